#include "tools/soundgen/MidiWriter.h"

#include <algorithm>
#include <cmath>
#include <stdexcept>

namespace soundgen {
namespace {

void require(bool condition, const char* what) {
  if (!condition) throw std::invalid_argument(what);
}

int checkedChannel(int channel) {
  require(channel >= 0 && channel < 16, "MIDI channel out of range");
  return channel;
}

std::uint8_t dataByte(int value, const char* what) {
  require(value >= 0 && value < 128, what);
  return static_cast<std::uint8_t>(value);
}

void appendBigEndian(Bytes& out, std::uint32_t value, int byteCount) {
  for (int shift = 8 * (byteCount - 1); shift >= 0; shift -= 8) out.push_back((value >> shift) & 0xFF);
}

}  // namespace

void appendVariableLength(Bytes& out, std::uint32_t value) {
  require(value <= 0x0FFFFFFF, "value too large for a variable-length quantity");
  std::uint8_t groups[4];
  int count = 0;
  do {
    groups[count++] = value & 0x7F;
    value >>= 7;
  } while (value != 0);
  while (count > 1) out.push_back(groups[--count] | 0x80);
  out.push_back(groups[0]);
}

MidiTrack::MidiTrack(std::string_view name) { meta(0, 0x03, Bytes(name.begin(), name.end())); }

void MidiTrack::add(int tick, Order order, Bytes bytes) {
  require(tick >= 0, "event before the start of the track");
  endTick_ = std::max(endTick_, tick);
  events_.push_back({tick, order, std::move(bytes)});
}

void MidiTrack::meta(int tick, std::uint8_t type, const Bytes& data) {
  Bytes bytes{0xFF, type};
  appendVariableLength(bytes, static_cast<std::uint32_t>(data.size()));
  bytes.insert(bytes.end(), data.begin(), data.end());
  add(tick, Order::Meta, std::move(bytes));
}

void MidiTrack::tempo(int tick, double beatsPerMinute) {
  require(beatsPerMinute > 0, "tempo out of range");
  const double microsecondsPerBeat = std::round(60'000'000.0 / beatsPerMinute);
  require(microsecondsPerBeat >= 1 && microsecondsPerBeat <= 0xFFFFFF, "tempo does not fit three bytes");
  Bytes data;
  appendBigEndian(data, static_cast<std::uint32_t>(microsecondsPerBeat), 3);
  meta(tick, 0x51, data);
}

void MidiTrack::timeSignature(int tick, int numerator, int denominator) {
  require(numerator > 0 && numerator < 256, "time signature numerator out of range");
  int power = 0;
  while ((1 << power) < denominator) ++power;
  require((1 << power) == denominator, "time signature denominator must be a power of two");
  // 24 clocks per metronome click, 8 thirty-seconds per quarter note.
  meta(tick, 0x58, {static_cast<std::uint8_t>(numerator), static_cast<std::uint8_t>(power), 24, 8});
}

void MidiTrack::keySignature(int tick, int sharps, bool minor) {
  require(sharps >= -7 && sharps <= 7, "key signature out of range");
  meta(tick, 0x59,
       {static_cast<std::uint8_t>(static_cast<std::int8_t>(sharps)), minor ? std::uint8_t{1} : std::uint8_t{0}});
}

void MidiTrack::marker(int tick, std::string_view text) { meta(tick, 0x06, Bytes(text.begin(), text.end())); }

void MidiTrack::programChange(int tick, int channel, int program) {
  add(tick, Order::Setup,
      {static_cast<std::uint8_t>(0xC0 | checkedChannel(channel)), dataByte(program, "program out of range")});
}

void MidiTrack::controlChange(int tick, int channel, int controller, int value) {
  add(tick, Order::Setup,
      {static_cast<std::uint8_t>(0xB0 | checkedChannel(channel)), dataByte(controller, "controller out of range"),
       dataByte(value, "controller value out of range")});
}

void MidiTrack::note(int tick, int length, int channel, int key, int velocity) {
  require(length > 0, "a note needs a length");
  require(velocity > 0, "a note-on of velocity 0 would be a note-off");
  const std::uint8_t k = dataByte(key, "note out of range");
  const std::uint8_t v = dataByte(velocity, "velocity out of range");
  add(tick, Order::NoteOn, {static_cast<std::uint8_t>(0x90 | checkedChannel(channel)), k, v});
  add(tick + length, Order::NoteOff, {static_cast<std::uint8_t>(0x80 | channel), k, 64});
}

int MidiTrack::endTick() const { return endTick_; }

void MidiTrack::end(int tick) {
  require(tick >= endTick_, "the track cannot end before its last event");
  endTick_ = tick;
}

Bytes MidiTrack::chunk() const {
  std::vector<const Event*> ordered;
  for (const Event& e : events_) ordered.push_back(&e);
  std::stable_sort(ordered.begin(), ordered.end(), [](const Event* a, const Event* b) {
    return a->tick != b->tick ? a->tick < b->tick : a->order < b->order;
  });

  Bytes body;
  int now = 0;
  std::uint8_t runningStatus = 0;
  for (const Event* e : ordered) {
    appendVariableLength(body, static_cast<std::uint32_t>(e->tick - now));
    now = e->tick;
    const std::uint8_t status = e->bytes.front();
    const bool channelEvent = status < 0xF0;
    const bool repeatStatus = channelEvent && status == runningStatus;
    body.insert(body.end(), e->bytes.begin() + (repeatStatus ? 1 : 0), e->bytes.end());
    runningStatus = channelEvent ? status : 0;  // a meta event cancels running status
  }
  appendVariableLength(body, static_cast<std::uint32_t>(endTick_ - now));
  body.insert(body.end(), {0xFF, 0x2F, 0x00});

  Bytes out{'M', 'T', 'r', 'k'};
  appendBigEndian(out, static_cast<std::uint32_t>(body.size()), 4);
  out.insert(out.end(), body.begin(), body.end());
  return out;
}

Bytes MidiFile::bytes() const {
  require(!tracks.empty() && tracks.size() < 0x10000, "a MIDI file needs between 1 and 65535 tracks");
  require(ticksPerQuarter > 0 && ticksPerQuarter < 0x8000, "ticks per quarter note out of range");
  Bytes out{'M', 'T', 'h', 'd', 0, 0, 0, 6, 0, 1};
  appendBigEndian(out, static_cast<std::uint32_t>(tracks.size()), 2);
  appendBigEndian(out, static_cast<std::uint32_t>(ticksPerQuarter), 2);
  for (const MidiTrack& track : tracks) {
    const Bytes chunk = track.chunk();
    out.insert(out.end(), chunk.begin(), chunk.end());
  }
  return out;
}

}  // namespace soundgen
