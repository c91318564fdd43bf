#include "platform/Platform.h"

namespace mofurin::platform {

class Platform::ModalScope {
 public:
  explicit ModalScope(Platform& p) : p_(p) { ++p_.modalDepth_; }
  ~ModalScope() {
    if (--p_.modalDepth_ > 0) return;
    // What waited for the box runs now, after the event that showed it.
    while (!p_.heldTasks_.empty()) {
      p_.post(std::move(p_.heldTasks_.front()));
      p_.heldTasks_.pop_front();
    }
  }

 private:
  Platform& p_;
};

Platform::Platform(Clock& clock) : clock_(clock), self_(std::make_shared<Platform*>(this)) {}

Platform::~Platform() { *self_ = nullptr; }

Answer Platform::message(const Message& box) {
  ModalScope scope(*this);
  if (box.title != kAppTitle) return dialogs().message(box);
  Message shown = box;
  shown.title = appTitle();
  return dialogs().message(shown);
}

std::optional<QString> Platform::openFile(const QString& filter, const QString& folder) {
  ModalScope scope(*this);
  return dialogs().openFile(filter, folder);
}

std::optional<QString> Platform::saveFile(const QString& filter) {
  ModalScope scope(*this);
  return dialogs().saveFile(filter);
}

void Platform::post(std::function<void()> task) {
  std::weak_ptr<Platform*> self = self_;
  clock_.post([self, task = std::move(task)] {
    if (auto alive = self.lock(); alive && *alive) (*alive)->runOrHold(task);
  });
}

void Platform::runOrHold(const std::function<void()>& task) {
  if (modal()) {
    heldTasks_.push_back(task);
  } else {
    task();
  }
}

void Platform::showHelp(const QString& topic) {
  trace(topic.isEmpty() ? QStringLiteral("[help]") : QStringLiteral("[help %1]").arg(topic));
  doShowHelp(topic);
}

void Platform::beep() {
  trace(QStringLiteral("[beep]"));
  media().beep();
}

void Platform::mediaCommand(const QString& text) {
  trace(QStringLiteral("[media] %1").arg(text));
  media().command(text);
}

void Platform::playEffect(int side, const QByteArray& waveImage) {
  trace(QStringLiteral("[sound] %1").arg(side));
  media().playEffect(waveImage);
}

void Platform::setVolumes(int music, int effects) {
  trace(QStringLiteral("[volume] music %1 effects %2").arg(music).arg(effects));
  media().setMusicVolume(music);
  media().setEffectVolume(effects);
}

void Platform::quit() {
  trace(QStringLiteral("[end]"));
  doQuit();
}

}  // namespace mofurin::platform
