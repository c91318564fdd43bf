#include "platform/Media.h"

#include <QRegularExpression>

namespace mofurin::platform {

MusicCommand readMusicCommand(const QString& text) {
  static const QRegularExpression open(QStringLiteral(R"re(^open "(.*)" alias bgm$)re"));
  if (const QRegularExpressionMatch m = open.match(text); m.hasMatch()) return {MusicCommand::Open, m.captured(1)};
  if (text == QLatin1String("play bgm")) return {MusicCommand::Play, {}};
  if (text == QLatin1String("stop bgm")) return {MusicCommand::Stop, {}};
  if (text == QLatin1String("close bgm")) return {MusicCommand::Close, {}};
  return {};
}

}  // namespace mofurin::platform
