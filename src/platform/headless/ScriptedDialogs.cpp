#include "platform/headless/ScriptedDialogs.h"

#include <utility>

namespace mofurin::platform {

namespace {

bool isButtonOf(Answer a, Buttons b) {
  switch (b) {
    case Buttons::OK: return a == Answer::OK;
    case Buttons::OKCancel: return a == Answer::OK || a == Answer::Cancel;
    case Buttons::YesNo: return a == Answer::Yes || a == Answer::No;
  }
  return false;
}

QString iconSuffix(Icon icon) {
  switch (icon) {
    case Icon::None: return {};
    case Icon::Question: return QStringLiteral("|Question");
    case Icon::Exclamation: return QStringLiteral("|Exclamation");
  }
  return {};
}

}  // namespace

Answer ScriptedDialogs::message(const Message& box) {
  shown_.push_back(box);
  opened();
  Answer answer = firstButton(box.buttons);
  QString note = QStringLiteral(" (default)");
  if (!answers_.empty()) {
    const Answer queued = answers_.front();
    answers_.pop_front();
    if (isButtonOf(queued, box.buttons)) {
      answer = queued;
      note.clear();
    } else {
      note = QStringLiteral(" (no %1 button)").arg(answerName(queued));
    }
  }
  if (trace_) {
    trace_(QStringLiteral("[msgbox %1|%2%3] %4 -> %5%6")
               .arg(box.title, buttonsName(box.buttons), iconSuffix(box.icon), box.text, answerName(answer), note));
  }
  return answer;
}

void ScriptedDialogs::opened() {
  if (whileOpen) whileOpen();
  if (std::function<void()> once = std::exchange(whileNextOpen, {})) once();
}

std::optional<QString> ScriptedDialogs::file(const QString& kind, const QString& filter) {
  opened();
  std::optional<QString> path;
  if (!files_.empty()) {
    path = files_.front();
    files_.pop_front();
  }
  if (trace_) {
    trace_(QStringLiteral("[file %1 %2] -> %3").arg(kind, filter, path ? *path : QStringLiteral("cancel")));
  }
  return path;
}

std::optional<QString> ScriptedDialogs::openFile(const QString& filter, const QString&) {
  return file(QStringLiteral("open"), filter);
}

std::optional<QString> ScriptedDialogs::saveFile(const QString& filter) { return file(QStringLiteral("save"), filter); }

}  // namespace mofurin::platform
