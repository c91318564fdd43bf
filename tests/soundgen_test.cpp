#include <gtest/gtest.h>
#include <sndfile.h>
#include <unistd.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <set>
#include <stdexcept>
#include <string>
#include <vector>

#include "tools/soundgen/Compositions.h"
#include "tools/soundgen/Impacts.h"
#include "tools/soundgen/MidiWriter.h"
#include "tools/soundgen/Score.h"
#include "tools/soundgen/SoundAssets.h"

namespace {

using soundgen::Bytes;
namespace fs = std::filesystem;

// A Standard MIDI File reader of the tests' own, strict where the format is
// strict (running status ends at meta and system events, every track ends
// with End of Track), so the writer is checked against the format and not
// against itself.
struct MidiEvent {
  long tick = 0;
  int status = 0;  // with the channel; 0xFF for meta events
  int data1 = 0, data2 = 0;
  int metaType = -1;
  Bytes meta;
};

struct Song {
  int format = -1;
  int division = 0;
  std::vector<std::vector<MidiEvent>> tracks;
};

class ByteReader {
 public:
  ByteReader(const Bytes& bytes, std::size_t begin, std::size_t end) : bytes_(bytes), at_(begin), end_(end) {}
  bool done() const { return at_ >= end_; }
  std::size_t position() const { return at_; }
  int byte() {
    if (at_ >= end_) throw std::runtime_error("read past the end of a chunk");
    return bytes_[at_++];
  }
  int peek() const { return at_ < end_ ? bytes_[at_] : -1; }
  long bigEndian(int count) {
    long v = 0;
    for (int i = 0; i < count; ++i) v = v << 8 | byte();
    return v;
  }
  long variableLength() {
    long v = 0;
    for (int i = 0; i < 4; ++i) {
      const int b = byte();
      v = v << 7 | (b & 0x7F);
      if (!(b & 0x80)) return v;
    }
    throw std::runtime_error("variable-length quantity longer than four bytes");
  }
  Bytes take(long count) {
    Bytes out;
    for (long i = 0; i < count; ++i) out.push_back(static_cast<std::uint8_t>(byte()));
    return out;
  }

 private:
  const Bytes& bytes_;
  std::size_t at_, end_;
};

std::vector<MidiEvent> readTrack(ByteReader& in) {
  std::vector<MidiEvent> events;
  long tick = 0;
  int running = 0;
  while (!in.done()) {
    if (!events.empty() && events.back().metaType == 0x2F) throw std::runtime_error("events after End of Track");
    MidiEvent e;
    tick += in.variableLength();
    e.tick = tick;
    if (in.peek() & 0x80) {
      e.status = in.byte();
    } else if (running != 0) {
      e.status = running;
    } else {
      throw std::runtime_error("data byte without a status");
    }
    if (e.status == 0xFF) {
      e.metaType = in.byte();
      e.meta = in.take(in.variableLength());
      running = 0;
    } else if (e.status == 0xF0 || e.status == 0xF7) {
      in.take(in.variableLength());
      running = 0;
    } else {
      running = e.status;
      e.data1 = in.byte();
      const int kind = e.status & 0xF0;
      if (kind != 0xC0 && kind != 0xD0) e.data2 = in.byte();
      if (e.data1 > 127 || e.data2 > 127) throw std::runtime_error("data byte above 127");
    }
    events.push_back(e);
  }
  if (events.empty() || events.back().metaType != 0x2F) throw std::runtime_error("a track without End of Track");
  return events;
}

Song readSong(const Bytes& bytes) {
  Song song;
  ByteReader in(bytes, 0, bytes.size());
  if (in.take(4) != Bytes{'M', 'T', 'h', 'd'} || in.bigEndian(4) != 6) throw std::runtime_error("no MThd header");
  song.format = static_cast<int>(in.bigEndian(2));
  const long trackCount = in.bigEndian(2);
  song.division = static_cast<int>(in.bigEndian(2));
  if (song.division & 0x8000) throw std::runtime_error("SMPTE time is not expected");
  while (!in.done()) {
    const Bytes id = in.take(4);
    const long length = in.bigEndian(4);
    const std::size_t start = in.position();
    if (start + length > bytes.size()) throw std::runtime_error("a chunk longer than the file");
    if (id == Bytes{'M', 'T', 'r', 'k'}) {
      ByteReader chunk(bytes, start, start + length);
      song.tracks.push_back(readTrack(chunk));
    }
    in.take(length);
  }
  if (static_cast<long>(song.tracks.size()) != trackCount) throw std::runtime_error("track count mismatch");
  return song;
}

struct Note {
  int channel, key, velocity;
  long on, off;
};

// Pairs note-ons with their note-offs (or note-ons of velocity 0), first in
// first out; anything left unpaired is counted.
struct NoteList {
  std::vector<Note> notes;
  int unpaired = 0;
  int overlapping = 0;  // a key struck again on its channel while still sounding
};

NoteList notesOf(const Song& song) {
  NoteList list;
  for (const auto& track : song.tracks) {
    std::map<std::pair<int, int>, std::vector<std::size_t>> sounding;
    for (const MidiEvent& e : track) {
      const int kind = e.status & 0xF0, channel = e.status & 0x0F;
      if (e.status == 0xFF || (kind != 0x80 && kind != 0x90)) continue;
      auto& open = sounding[{channel, e.data1}];
      if (kind == 0x90 && e.data2 > 0) {
        if (!open.empty()) ++list.overlapping;
        open.push_back(list.notes.size());
        list.notes.push_back({channel, e.data1, e.data2, e.tick, -1});
      } else if (open.empty()) {
        ++list.unpaired;
      } else {
        list.notes[open.front()].off = e.tick;
        open.erase(open.begin());
      }
    }
    for (const auto& [key, open] : sounding) list.unpaired += static_cast<int>(open.size());
  }
  return list;
}

std::vector<MidiEvent> metaEvents(const Song& song, int type) {
  std::vector<MidiEvent> out;
  for (const auto& track : song.tracks) {
    std::copy_if(track.begin(), track.end(), std::back_inserter(out),
                 [type](const MidiEvent& e) { return e.metaType == type; });
  }
  return out;
}

long endTick(const Song& song) {
  long end = 0;
  for (const auto& track : song.tracks) end = std::max(end, track.back().tick);
  return end;
}

// Seconds from the start to tick, following every tempo change.
double secondsAt(const Song& song, long tick) {
  std::vector<MidiEvent> tempos = metaEvents(song, 0x51);
  std::stable_sort(tempos.begin(), tempos.end(), [](const auto& a, const auto& b) { return a.tick < b.tick; });
  double seconds = 0, microsPerBeat = 500000;
  long from = 0;
  for (const MidiEvent& t : tempos) {
    if (t.tick >= tick) break;
    seconds += (t.tick - from) * microsPerBeat / 1e6 / song.division;
    from = t.tick;
    microsPerBeat = t.meta[0] << 16 | t.meta[1] << 8 | t.meta[2];
  }
  return seconds + (tick - from) * microsPerBeat / 1e6 / song.division;
}

double beatsPerMinute(const Song& song) {
  const MidiEvent t = metaEvents(song, 0x51).at(0);
  return 60e6 / (t.meta[0] << 16 | t.meta[1] << 8 | t.meta[2]);
}

TEST(MidiWriter, VariableLengthQuantitiesMatchTheFormatsTable) {
  const std::vector<std::pair<std::uint32_t, Bytes>> table = {{0x00, {0x00}},
                                                              {0x40, {0x40}},
                                                              {0x7F, {0x7F}},
                                                              {0x80, {0x81, 0x00}},
                                                              {0x2000, {0xC0, 0x00}},
                                                              {0x3FFF, {0xFF, 0x7F}},
                                                              {0x4000, {0x81, 0x80, 0x00}},
                                                              {0x1FFFFF, {0xFF, 0xFF, 0x7F}},
                                                              {0x200000, {0x81, 0x80, 0x80, 0x00}},
                                                              {0x0FFFFFFF, {0xFF, 0xFF, 0xFF, 0x7F}}};
  for (const auto& [value, expected] : table) {
    Bytes out;
    soundgen::appendVariableLength(out, value);
    EXPECT_EQ(out, expected) << std::hex << value;
  }
  Bytes out;
  EXPECT_THROW(soundgen::appendVariableLength(out, 0x10000000), std::invalid_argument);
}

TEST(MidiWriter, EventsReadBackAtTheirTicksAcrossChannelsAndMetaEvents) {
  soundgen::MidiFile file;
  soundgen::MidiTrack& track = file.tracks.emplace_back("t");
  // Deltas of every encoded length between events of two channels, with a
  // meta event among them, which must end the running status.
  const std::vector<long> ticks = {0, 127, 255, 16638, 33022, 2130173, 4227325};
  for (std::size_t i = 0; i < ticks.size(); ++i) track.controlChange(ticks[i], i % 2, 7, static_cast<int>(i));
  track.note(300, 20, 1, 40, 70);
  track.marker(310, "here");  // between two note-ons of one channel
  track.note(310, 20, 1, 41, 70);
  track.end(5000000);

  const Song song = readSong(file.bytes());
  ASSERT_EQ(song.format, 1);
  ASSERT_EQ(song.tracks.size(), 1u);
  EXPECT_EQ(song.division, 480);
  std::vector<std::tuple<long, int, int>> volumes;
  for (const MidiEvent& e : song.tracks[0]) {
    if ((e.status & 0xF0) == 0xB0 && e.data1 == 7) volumes.emplace_back(e.tick, e.status & 0x0F, e.data2);
  }
  ASSERT_EQ(volumes.size(), ticks.size());
  for (std::size_t i = 0; i < ticks.size(); ++i) {
    EXPECT_EQ(volumes[i], std::make_tuple(ticks[i], static_cast<int>(i % 2), static_cast<int>(i)));
  }
  EXPECT_EQ(song.tracks[0].back().tick, 5000000);
  const NoteList list = notesOf(song);
  EXPECT_EQ(list.unpaired, 0);
  ASSERT_EQ(list.notes.size(), 2u);
  EXPECT_EQ(std::make_tuple(list.notes[1].on, list.notes[1].off, list.notes[1].key), std::make_tuple(310L, 330L, 41));
}

TEST(MidiWriter, ARepeatedNoteIsReleasedBeforeItSoundsAgain) {
  soundgen::MidiFile file;
  soundgen::MidiTrack& track = file.tracks.emplace_back("t");
  track.note(480, 480, 0, 60, 100);  // added first, yet it must come second
  track.note(0, 480, 0, 60, 100);
  const NoteList list = notesOf(readSong(file.bytes()));
  EXPECT_EQ(list.overlapping, 0);
  ASSERT_EQ(list.notes.size(), 2u);
  EXPECT_EQ(list.notes[0].off, 480);
  EXPECT_EQ(list.notes[1].on, 480);
}

TEST(MidiWriter, RefusesWhatTheFormatCannotHold) {
  soundgen::MidiTrack track("t");
  EXPECT_THROW(track.note(0, 10, 16, 60, 100), std::invalid_argument);
  EXPECT_THROW(track.note(0, 10, 0, 128, 100), std::invalid_argument);
  EXPECT_THROW(track.note(0, 10, 0, 60, 0), std::invalid_argument);  // would read as a note-off
  EXPECT_THROW(track.note(0, 0, 0, 60, 100), std::invalid_argument);
  track.note(0, 100, 0, 60, 100);
  EXPECT_THROW(track.end(99), std::invalid_argument);
}

TEST(ScoreNotation, MelodiesReadPitchesLengthsTiesAndRests) {
  const soundgen::MelodyLine line = soundgen::readMelody("c4q d#4e. bb3s >e5e~ e5e rq | rh c5h~ | c5w");
  EXPECT_EQ(line.steps, 48);
  const std::vector<std::tuple<int, int, int, bool>> expected = {
      {0, 4, 60, false}, {4, 3, 63, false}, {7, 1, 58, false}, {8, 4, 76, true}, {24, 24, 72, false}};
  ASSERT_EQ(line.notes.size(), expected.size());
  for (std::size_t i = 0; i < expected.size(); ++i) {
    const auto& n = line.notes[i];
    EXPECT_EQ(std::make_tuple(n.step, n.length, n.key, n.accent), expected[i]) << i;
  }
}

TEST(ScoreNotation, MistakesInTheScoreAreCaughtAtBuildTime) {
  for (const char* wrong : {"c4q | c4h.",  // a bar line inside a bar
                            "c4h~ d4h",    // a tie between different notes
                            "c4 c4q c4h", "c4w~", "x4w", "c4h rq", "c4h. c4s."}) {
    EXPECT_THROW(soundgen::readMelody(wrong), std::invalid_argument) << wrong;
  }
  EXPECT_THROW(soundgen::readChord("Cxyz"), std::invalid_argument);
  EXPECT_THROW(soundgen::readChordChart("C D E"), std::invalid_argument);  // three chords do not share a bar
}

TEST(ScoreNotation, ChordsKnowTheirTones) {
  const soundgen::Chord fSharpMinor7 = soundgen::readChord("F#m7");
  EXPECT_EQ(fSharpMinor7.root, 6);
  EXPECT_EQ(fSharpMinor7.intervals, (std::vector<int>{0, 3, 7, 10}));
  EXPECT_EQ(soundgen::readChord("Bb").root, 10);
  EXPECT_EQ(soundgen::readChord("Bsus4").intervals, (std::vector<int>{0, 5, 7}));
  const auto chart = soundgen::readChordChart("C G | Am");
  ASSERT_EQ(chart.size(), 3u);
  EXPECT_EQ(std::make_tuple(chart[1].step, chart[1].length, chart[1].chord.root), std::make_tuple(8, 8, 7));
  EXPECT_EQ(std::make_tuple(chart[2].step, chart[2].length), std::make_tuple(16, 16));
}

TEST(ScoreNotation, AHeldChordIsStruckAgainWhereTheHarmonyChanges) {
  const soundgen::Piece piece{
      .title = "test",
      .beatsPerMinute = 120,
      .keySharps = 0,
      .minor = false,
      .instruments = {{"Pad", 1, 0, soundgen::Style::Chords, 60, 80, 100, 100, 64, 0}},
      .drumVolume = 100,
      .sections = {{.name = "only", .chords = "C G", .parts = {"X---------------"}}},
  };
  const NoteList list = notesOf(readSong(soundgen::render(piece).bytes()));
  std::map<long, std::set<int>> chords;
  for (const Note& n : list.notes) chords[n.on].insert(n.key);
  // Both close voiced within the octave above the part's lowest key.
  EXPECT_EQ(chords[0], (std::set<int>{60, 64, 67}));
  EXPECT_EQ(chords[960], (std::set<int>{62, 67, 71}));
  EXPECT_EQ(chords.size(), 2u);
}

// The generated files, made once into a folder of their own.
class GeneratedSound : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    folder_ = fs::temp_directory_path() / ("mofurin-soundgen-test-" + std::to_string(getpid()));
    fs::create_directories(folder_);
    std::string error;
    ASSERT_TRUE(soundgen::writeSoundAssets(folder_, error)) << error;
  }
  static void TearDownTestSuite() { fs::remove_all(folder_); }

  static Bytes fileBytes(const char* name) {
    std::ifstream in(folder_ / name, std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(in), {});
  }
  static Song song(const char* name) { return readSong(fileBytes(name)); }

  struct Wave {
    SF_INFO info{};
    std::vector<short> samples;
  };
  static Wave wave(const char* name) {
    Wave w;
    SNDFILE* f = sf_open((folder_ / name).string().c_str(), SFM_READ, &w.info);
    if (f == nullptr) return w;
    w.samples.resize(static_cast<std::size_t>(w.info.frames * w.info.channels));
    w.samples.resize(static_cast<std::size_t>(sf_read_short(f, w.samples.data(), w.info.frames * w.info.channels)));
    sf_close(f);
    return w;
  }

  static inline fs::path folder_;
};

constexpr const char* kMusic[] = {"music1.mid", "music2.mid"};
constexpr const char* kHits[] = {"Snd091.wav", "Snd053.wav"};

TEST_F(GeneratedSound, TheMusicIsAFormatOneBandWithDrums) {
  for (const char* name : kMusic) {
    SCOPED_TRACE(name);
    const Song s = song(name);
    EXPECT_EQ(s.format, 1);
    EXPECT_GE(s.tracks.size(), 4u);
    const NoteList list = notesOf(s);
    std::set<int> channels;
    for (const Note& n : list.notes) channels.insert(n.channel);
    EXPECT_TRUE(channels.count(soundgen::kDrumChannel));
    EXPECT_GE(channels.size(), 4u) << "melody, harmony and bass besides the drums";
    // Every melodic channel chooses its instrument before its first note.
    for (int channel : channels) {
      if (channel == soundgen::kDrumChannel) continue;
      long firstNote = -1, program = -1;
      for (const auto& track : s.tracks) {
        for (const MidiEvent& e : track) {
          if (e.status == (0xC0 | channel) && program < 0) program = e.tick;
          if (e.status == (0x90 | channel) && firstNote < 0) firstNote = e.tick;
        }
      }
      EXPECT_GE(program, 0) << "channel " << channel;
      EXPECT_LE(program, firstNote) << "channel " << channel;
    }
  }
}

TEST_F(GeneratedSound, TheMusicLastsHalfAMinuteToAMinuteAndAHalf) {
  for (const char* name : kMusic) {
    const Song s = song(name);
    const double seconds = secondsAt(s, endTick(s));
    EXPECT_GE(seconds, 30) << name;
    EXPECT_LE(seconds, 90) << name;
  }
}

TEST_F(GeneratedSound, EveryNoteIsReleasedAndNoKeyIsStruckWhileSounding) {
  for (const char* name : kMusic) {
    const NoteList list = notesOf(song(name));
    EXPECT_GT(list.notes.size(), 500u) << name;
    EXPECT_EQ(list.unpaired, 0) << name;
    EXPECT_EQ(list.overlapping, 0) << name;
  }
}

// Played once and restarted when it ends: it must start at once, stop on a
// bar line, stay busy up to its end and not leave cymbals or toms ringing,
// which would hold the restart back while they die away.
TEST_F(GeneratedSound, TheMusicLoopsFromBarLineToBarLine) {
  const std::set<int> ringing = {41, 43, 45, 46, 47, 48, 49, 50, 51, 52, 55, 57, 59};
  for (const char* name : kMusic) {
    SCOPED_TRACE(name);
    const Song s = song(name);
    const long end = endTick(s);
    for (const auto& track : s.tracks) EXPECT_EQ(track.back().tick, end);
    const long bar = 4L * s.division;
    EXPECT_EQ(end % bar, 0);
    const NoteList list = notesOf(s);
    long firstOn = end, lastOff = 0;
    for (const Note& n : list.notes) {
      firstOn = std::min(firstOn, n.on);
      lastOff = std::max(lastOff, n.off);
      if (n.channel == soundgen::kDrumChannel && n.on >= end - bar) {
        EXPECT_FALSE(ringing.count(n.key)) << n.key;
      }
    }
    EXPECT_EQ(firstOn, 0);
    EXPECT_LE(lastOff, end);
    EXPECT_GE(lastOff, end - s.division / 2);
  }
}

TEST_F(GeneratedSound, TheTwoPiecesDifferInTempoKeyAndSound) {
  const Song tournament = song("music1.mid"), sparring = song("music2.mid");
  EXPECT_GT(std::abs(beatsPerMinute(tournament) - beatsPerMinute(sparring)), 10);
  EXPECT_NE(metaEvents(tournament, 0x59).at(0).meta, metaEvents(sparring, 0x59).at(0).meta);
  auto programs = [](const Song& s) {
    std::set<int> out;
    for (const auto& track : s.tracks) {
      for (const MidiEvent& e : track) {
        if ((e.status & 0xF0) == 0xC0 && (e.status & 0x0F) != soundgen::kDrumChannel) out.insert(e.data1);
      }
    }
    return out;
  };
  std::set<int> shared;
  const std::set<int> a = programs(tournament), b = programs(sparring);
  std::set_intersection(a.begin(), a.end(), b.begin(), b.end(), std::inserter(shared, shared.end()));
  EXPECT_TRUE(shared.empty());
}

TEST_F(GeneratedSound, GenerationIsTheSameEveryTime) {
  EXPECT_EQ(soundgen::render(soundgen::tournamentTheme()).bytes(), fileBytes("music1.mid"));
  EXPECT_EQ(soundgen::render(soundgen::sparringTheme()).bytes(), fileBytes("music2.mid"));
  EXPECT_EQ(soundgen::playerHit().samples, soundgen::playerHit().samples);
}

TEST_F(GeneratedSound, HitSoundsAreShortSixteenBitMonoWaves) {
  for (const char* name : kHits) {
    SCOPED_TRACE(name);
    const Wave w = wave(name);
    EXPECT_EQ(w.info.format, SF_FORMAT_WAV | SF_FORMAT_PCM_16);
    EXPECT_EQ(w.info.channels, 1);
    EXPECT_TRUE(w.info.samplerate == 22050 || w.info.samplerate == 44100);
    const double seconds = static_cast<double>(w.info.frames) / w.info.samplerate;
    EXPECT_GE(seconds, 0.15);
    EXPECT_LE(seconds, 0.35);
    EXPECT_EQ(static_cast<sf_count_t>(w.samples.size()), w.info.frames);
  }
}

TEST_F(GeneratedSound, HitSoundsStrikeAtOnceAndFadeToSilenceWithoutClipping) {
  for (const char* name : kHits) {
    SCOPED_TRACE(name);
    const Wave w = wave(name);
    ASSERT_FALSE(w.samples.empty());
    std::size_t loudest = 0;
    for (std::size_t i = 0; i < w.samples.size(); ++i) {
      if (std::abs(w.samples[i]) > std::abs(w.samples[loudest])) loudest = i;
    }
    const int peak = std::abs(w.samples[loudest]);
    EXPECT_GT(peak, 32767 / 3);
    EXPECT_LT(peak, 32000);
    EXPECT_LT(loudest, static_cast<std::size_t>(w.info.samplerate / 50)) << "peak within 20 ms";
    EXPECT_LT(std::abs(w.samples.front()), 330);
    const std::size_t tail = static_cast<std::size_t>(w.info.samplerate / 500);  // the last 2 ms
    for (std::size_t i = w.samples.size() - tail; i < w.samples.size(); ++i) EXPECT_LT(std::abs(w.samples[i]), 330);
  }
}

TEST_F(GeneratedSound, ThePlayersHitIsBrighterThanTheOpponents) {
  auto crossingsPerSecond = [](const Wave& w) {
    int crossings = 0;
    for (std::size_t i = 1; i < w.samples.size(); ++i) crossings += (w.samples[i - 1] < 0) != (w.samples[i] < 0);
    return crossings * static_cast<double>(w.info.samplerate) / w.samples.size();
  };
  const Wave player = wave("Snd091.wav"), opponent = wave("Snd053.wav");
  EXPECT_GT(crossingsPerSecond(player), 2 * crossingsPerSecond(opponent));
  EXPECT_NE(player.samples.size(), opponent.samples.size());
}

}  // namespace
