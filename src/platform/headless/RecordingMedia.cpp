#include "platform/headless/RecordingMedia.h"

#include <QRegularExpression>

#include "platform/Timer.h"

namespace mofurin::platform {

void RecordingMedia::command(const QString& text) {
  commands_ << text;
  static const QRegularExpression open(QStringLiteral(R"re(^open "(.*)" alias bgm$)re"));
  if (const QRegularExpressionMatch m = open.match(text); m.hasMatch()) {
    if (openFile_.isEmpty()) openFile_ = m.captured(1);
  } else if (text == QLatin1String("play bgm")) {
    if (openFile_.isEmpty()) return;
    playing_ = true;
    playStart_ = clock_.now();
    playLength_ = musicLength ? musicLength(openFile_) : -1;
  } else if (text == QLatin1String("stop bgm")) {
    playing_ = false;
  } else if (text == QLatin1String("close bgm")) {
    playing_ = false;
    openFile_.clear();
  }
}

QString RecordingMedia::musicMode() {
  const bool ended = playLength_ >= 0 && clock_.now() - playStart_ >= playLength_;
  return playing_ && !ended ? QStringLiteral("playing") : QStringLiteral("stopped");
}

}  // namespace mofurin::platform
