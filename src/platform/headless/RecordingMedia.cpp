#include "platform/headless/RecordingMedia.h"

#include "platform/MidiLength.h"
#include "platform/Timer.h"

namespace mofurin::platform {

RecordingMedia::RecordingMedia(const Clock& clock)
    : musicLength([](const QString& file) { return midiFileLengthMs(file); }), clock_(clock) {}

void RecordingMedia::command(const QString& text) {
  commands_ << text;
  const MusicCommand c = readMusicCommand(text);
  switch (c.kind) {
    case MusicCommand::Open: {
      if (open_) return;  // the alias is taken
      const std::optional<qint64> length = musicLength ? musicLength(c.file) : -1;
      open_ = length.has_value();
      openLength_ = length.value_or(-1);
      break;
    }
    case MusicCommand::Play:
      if (!open_) return;
      playing_ = true;
      playStart_ = clock_.now();
      playLength_ = openLength_;
      break;
    case MusicCommand::Stop: playing_ = false; break;
    case MusicCommand::Close:
      playing_ = false;
      open_ = false;
      break;
    case MusicCommand::Other: break;
  }
}

QString RecordingMedia::musicMode() {
  if (!open_) return {};
  const bool ended = playLength_ >= 0 && clock_.now() - playStart_ >= playLength_;
  return playing_ && !ended ? QStringLiteral("playing") : QStringLiteral("stopped");
}

}  // namespace mofurin::platform
