#include "platform/MidiLength.h"

#include <QFile>
#include <algorithm>
#include <cmath>
#include <vector>

namespace mofurin::platform {

namespace {

constexpr double kDefaultMicrosPerBeat = 500000;  // 120 beats a minute until a tempo says otherwise

struct TempoChange {
  qint64 tick;
  double microsPerBeat;
};

// What the length needs from a file: the tempo map and the last tick.
struct Timeline {
  std::vector<TempoChange> tempos;
  qint64 endTick = 0;
};

// Reads bytes [at, end); every read past end marks the reader broken.
class Reader {
 public:
  Reader(const QByteArray& bytes, qsizetype at, qsizetype end) : bytes_(bytes), at_(at), end_(end) {}

  bool ok() const { return ok_; }
  bool done() const { return !ok_ || at_ >= end_; }
  qsizetype position() const { return at_; }

  int byte() {
    if (at_ >= end_) return fail();
    return static_cast<quint8>(bytes_[at_++]);
  }
  int peek() const { return at_ < end_ ? static_cast<quint8>(bytes_[at_]) : -1; }
  qint64 bigEndian(int count) {
    qint64 value = 0;
    for (int i = 0; i < count; ++i) value = value << 8 | byte();
    return value;
  }
  // A variable-length quantity: at most four bytes of seven bits each.
  qint64 variableLength() {
    qint64 value = 0;
    for (int i = 0; i < 4; ++i) {
      const int b = byte();
      value = value << 7 | (b & 0x7F);
      if (!(b & 0x80)) return value;
    }
    return fail();
  }
  void skip(qint64 count) {
    if (count < 0 || count > end_ - at_) {
      fail();
    } else {
      at_ += count;
    }
  }

 private:
  int fail() {
    ok_ = false;
    at_ = end_;
    return 0;
  }

  const QByteArray& bytes_;
  qsizetype at_, end_;
  bool ok_ = true;
};

// One MTrk chunk: adds its tempo changes and pushes the end tick out to its
// last event. False when the events do not follow the format.
bool readTrack(Reader& in, Timeline& timeline) {
  qint64 tick = 0;
  int running = 0;
  while (!in.done()) {
    tick += in.variableLength();
    if (!in.ok()) return false;
    int status = in.peek();
    if (status & 0x80) {
      in.byte();
    } else if (running != 0) {
      status = running;
    } else {
      return false;  // a data byte with no status to continue
    }
    if (status == 0xFF) {
      const int type = in.byte();
      const qint64 length = in.variableLength();
      running = 0;
      if (type == 0x51 && length >= 3) {  // Set Tempo: microseconds a beat
        const qint64 micros = in.bigEndian(3);
        in.skip(length - 3);
        if (in.ok() && micros > 0) timeline.tempos.push_back({tick, static_cast<double>(micros)});
      } else {
        in.skip(length);
      }
      timeline.endTick = std::max(timeline.endTick, tick);
      if (type == 0x2F) return in.ok();  // End of Track
    } else if (status == 0xF0 || status == 0xF7) {
      in.skip(in.variableLength());
      running = 0;
    } else if (status >= 0xF0) {
      return false;  // system messages other than exclusive have no place in a file
    } else {
      running = status;
      const int kind = status & 0xF0;
      in.byte();
      if (kind != 0xC0 && kind != 0xD0) in.byte();
    }
    if (!in.ok()) return false;
    timeline.endTick = std::max(timeline.endTick, tick);
  }
  return in.ok();  // a track cut short of its End of Track still plays
}

}  // namespace

std::optional<qint64> midiLengthMs(const QByteArray& bytes) {
  Reader in(bytes, 0, bytes.size());
  if (!bytes.startsWith("MThd")) return std::nullopt;
  in.skip(4);
  const qint64 headerLength = in.bigEndian(4);
  if (headerLength < 6) return std::nullopt;
  in.skip(4);  // format and track count: the chunks themselves are what plays
  const int division = static_cast<int>(in.bigEndian(2));
  in.skip(headerLength - 6);
  if (!in.ok() || division == 0) return std::nullopt;

  Timeline timeline;
  int tracks = 0;
  constexpr qsizetype kChunkHeader = 8;
  while (bytes.size() - in.position() >= kChunkHeader) {  // a few bytes of padding may follow the last chunk
    const qint64 id = in.bigEndian(4);
    const qint64 length = in.bigEndian(4);
    const qsizetype start = in.position();
    in.skip(length);
    if (!in.ok()) return std::nullopt;  // a chunk longer than the file
    if (id != 0x4D54726B) continue;     // "MTrk"; other chunks are skipped
    Reader track(bytes, start, start + length);
    if (!readTrack(track, timeline)) return std::nullopt;
    ++tracks;
  }
  if (tracks == 0) return std::nullopt;

  double micros = 0;
  if (division & 0x8000) {
    // SMPTE time: frames a second (29 stands for 29.97) times ticks a frame.
    const int frames = -static_cast<qint8>(division >> 8);
    const int ticksPerFrame = division & 0xFF;
    if (frames <= 0 || ticksPerFrame == 0) return std::nullopt;
    const double framesPerSecond = frames == 29 ? 29.97 : frames;
    micros = timeline.endTick * 1e6 / (framesPerSecond * ticksPerFrame);
  } else {
    std::stable_sort(timeline.tempos.begin(), timeline.tempos.end(),
                     [](const TempoChange& a, const TempoChange& b) { return a.tick < b.tick; });
    double microsPerBeat = kDefaultMicrosPerBeat;
    qint64 from = 0;
    for (const TempoChange& change : timeline.tempos) {
      if (change.tick >= timeline.endTick) break;
      micros += (change.tick - from) * microsPerBeat / division;
      from = change.tick;
      microsPerBeat = change.microsPerBeat;
    }
    micros += (timeline.endTick - from) * microsPerBeat / division;
  }
  return std::llround(micros / 1000);
}

std::optional<qint64> midiFileLengthMs(const QString& path) {
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) return std::nullopt;
  return midiLengthMs(file.readAll());
}

}  // namespace mofurin::platform
