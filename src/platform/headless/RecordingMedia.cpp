#include "platform/headless/RecordingMedia.h"

#include "platform/MidiLength.h"
#include "platform/Timer.h"

namespace mofurin::platform {

RecordingMedia::RecordingMedia(const Clock& clock)
    : musicLength([](const QString& file) { return midiFileLengthMs(file).value_or(0); }), clock_(clock) {}

void RecordingMedia::command(const QString& text) {
  commands_ << text;
  const MusicCommand c = readMusicCommand(text);
  switch (c.kind) {
    case MusicCommand::Open:
      if (openFile_.isEmpty()) openFile_ = c.file;  // else the alias is taken
      break;
    case MusicCommand::Play:
      if (openFile_.isEmpty()) return;
      playing_ = true;
      playStart_ = clock_.now();
      playLength_ = musicLength ? musicLength(openFile_) : -1;
      break;
    case MusicCommand::Stop: playing_ = false; break;
    case MusicCommand::Close:
      playing_ = false;
      openFile_.clear();
      break;
    case MusicCommand::Other: break;
  }
}

QString RecordingMedia::musicMode() {
  const bool ended = playLength_ >= 0 && clock_.now() - playStart_ >= playLength_;
  return playing_ && !ended ? QStringLiteral("playing") : QStringLiteral("stopped");
}

}  // namespace mofurin::platform
