#pragma once

#include <QByteArray>
#include <QString>
#include <optional>

namespace mofurin::platform {

// How long a Standard MIDI File plays, in milliseconds: from its start to
// its last event, following every tempo change. The battle music is played
// once and restarted, so this is where a round of it ends (a synthesizer
// reports the end only after its reverb has died away, seconds later).
// Nothing for a file that is missing or is not a well-formed MIDI file.
std::optional<qint64> midiLengthMs(const QByteArray& bytes);
std::optional<qint64> midiFileLengthMs(const QString& path);

}  // namespace mofurin::platform
