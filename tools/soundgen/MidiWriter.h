#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace soundgen {

using Bytes = std::vector<std::uint8_t>;

// One track of a Standard MIDI File. Events are added at absolute tick
// positions in any order; they are put in time order when the track is
// written, with delta times and running status.
class MidiTrack {
 public:
  explicit MidiTrack(std::string_view name);

  void tempo(int tick, double beatsPerMinute);
  void timeSignature(int tick, int numerator, int denominator);
  // sharps < 0 counts flats, as the file format does.
  void keySignature(int tick, int sharps, bool minor);
  void marker(int tick, std::string_view text);
  void programChange(int tick, int channel, int program);
  void controlChange(int tick, int channel, int controller, int value);
  // A note-on at tick and its note-off length ticks later.
  void note(int tick, int length, int channel, int key, int velocity);

  // The tick of the End of Track event: the latest event unless end() moved
  // it further, so that every track of a piece can stop on the same bar line.
  int endTick() const;
  void end(int tick);

  // The whole "MTrk" chunk.
  Bytes chunk() const;

 private:
  // At one tick, meta events come first, then channel set-up, then the
  // note-offs, then the note-ons, so a repeated note is released before it
  // sounds again instead of being cut short by its own note-off.
  enum class Order { Meta, Setup, NoteOff, NoteOn };
  struct Event {
    int tick;
    Order order;
    Bytes bytes;  // status byte first
  };
  void add(int tick, Order order, Bytes bytes);
  void meta(int tick, std::uint8_t type, const Bytes& data);

  std::vector<Event> events_;
  int endTick_ = 0;
};

// A format 1 file: all tracks play together, the first one carries the
// tempo map.
struct MidiFile {
  int ticksPerQuarter = 480;
  std::vector<MidiTrack> tracks;

  Bytes bytes() const;
};

// The variable-length quantity of delta times and meta lengths.
void appendVariableLength(Bytes& out, std::uint32_t value);

}  // namespace soundgen
