#include "tools/soundgen/Score.h"

#include <algorithm>
#include <cctype>
#include <stdexcept>
#include <string>

namespace soundgen {
namespace {

constexpr int kTicksPerStep = 120;  // 480 ticks to the quarter note
// Notes are released a little before their written end so that repeated
// notes are heard as repeated; drums are one-shots, a short note will do.
constexpr int kReleaseGap = 12;
constexpr int kShortestNote = 60;  // a thirty-second note
constexpr int kDrumLength = kShortestNote;
constexpr int kDrumVelocity = 90;  // the drum track's level is its channel volume
constexpr int kCrashVelocity = 112;

[[noreturn]] void fail(const std::string& what, std::string_view text) {
  throw std::invalid_argument(what + ": \"" + std::string(text) + "\"");
}

std::vector<std::string_view> words(std::string_view text) {
  std::vector<std::string_view> out;
  std::size_t i = 0;
  while (i < text.size()) {
    while (i < text.size() && std::isspace(static_cast<unsigned char>(text[i]))) ++i;
    const std::size_t start = i;
    while (i < text.size() && !std::isspace(static_cast<unsigned char>(text[i]))) ++i;
    if (i > start) out.push_back(text.substr(start, i - start));
  }
  return out;
}

std::vector<std::string_view> split(std::string_view text, char separator) {
  std::vector<std::string_view> out;
  std::size_t start = 0;
  for (std::size_t i = 0; i <= text.size(); ++i) {
    if (i == text.size() || text[i] == separator) {
      out.push_back(text.substr(start, i - start));
      start = i + 1;
    }
  }
  return out;
}

int pitchClassOfLetter(char letter) {
  switch (std::tolower(static_cast<unsigned char>(letter))) {
    case 'c': return 0;
    case 'd': return 2;
    case 'e': return 4;
    case 'f': return 5;
    case 'g': return 7;
    case 'a': return 9;
    case 'b': return 11;
    default: return -1;
  }
}

// Reads a letter and an optional accidental from the front of text; returns
// the pitch class and how many characters it took: "b4" is B, "bb4" B flat.
std::pair<int, std::size_t> readPitchClass(std::string_view text) {
  if (text.empty() || pitchClassOfLetter(text[0]) < 0) fail("not a note name", text);
  int pc = pitchClassOfLetter(text[0]);
  std::size_t used = 1;
  if (text.size() > 1 && text[1] == '#') {
    ++pc, ++used;
  } else if (text.size() > 1 && text[1] == 'b') {
    --pc, ++used;
  }
  return {(pc + 12) % 12, used};
}

int lengthOfLetter(char letter) {
  switch (letter) {
    case 'w': return 16;
    case 'h': return 8;
    case 'q': return 4;
    case 'e': return 2;
    case 's': return 1;
    default: return 0;
  }
}

struct Hit {
  int step;
  int length;
  char mark;
};

std::string patternSteps(std::string_view pattern, std::string_view allowed) {
  std::string steps;
  for (char c : pattern) {
    if (c == '|' || c == ' ') continue;
    if (c != '-' && c != '.' && allowed.find(c) == std::string_view::npos) fail("unknown pattern mark", pattern);
    steps.push_back(c);
  }
  if (steps.empty() || steps.size() % kStepsPerBar != 0) fail("a pattern must fill whole bars", pattern);
  if (steps.front() == '-') fail("a pattern cannot start by holding", pattern);
  return steps;
}

// The hits of a pattern repeated over a number of steps; a hit lasts through
// the "-" marks after it.
std::vector<Hit> readPattern(std::string_view pattern, int stepCount, std::string_view allowed) {
  const std::string steps = patternSteps(pattern, allowed);
  std::vector<Hit> hits;
  for (int s = 0; s < stepCount; ++s) {
    const char c = steps[s % steps.size()];
    if (c == '-' && !hits.empty() && hits.back().step + hits.back().length == s) {
      ++hits.back().length;
    } else if (c != '-' && c != '.') {
      hits.push_back({s, 1, c});
    }
  }
  return hits;
}

// A held chord is struck again where the harmony changes under it.
std::vector<Hit> splitAtChordChanges(const std::vector<Hit>& hits, const std::vector<ChordSpan>& chart) {
  std::vector<Hit> out;
  for (Hit hit : hits) {
    for (const ChordSpan& span : chart) {
      if (span.step > hit.step && span.step < hit.step + hit.length) {
        out.push_back({hit.step, span.step - hit.step, hit.mark});
        hit = {span.step, hit.step + hit.length - span.step, hit.mark};
      }
    }
    out.push_back(hit);
  }
  return out;
}

const Chord& chordAt(const std::vector<ChordSpan>& chart, int step) {
  for (const ChordSpan& span : chart) {
    if (step >= span.step && step < span.step + span.length) return span.chord;
  }
  throw std::invalid_argument("a step outside the chord chart");
}

int lowestKeyOf(int pitchClass, int low) { return low + ((pitchClass - low) % 12 + 12) % 12; }

int intervalNear(const Chord& chord, std::initializer_list<int> wanted, int otherwise) {
  for (int i : chord.intervals) {
    if (std::find(wanted.begin(), wanted.end(), i) != wanted.end()) return i;
  }
  return otherwise;
}

std::vector<int> chordKeys(const Chord& chord, Style style, int low, char degree) {
  const int root = lowestKeyOf(chord.root, low);
  switch (style) {
    case Style::PowerChords: return {root, root + 7, root + 12};
    case Style::ChordTones:
      switch (degree) {
        case '1': return {root};
        case '3': return {root + intervalNear(chord, {3, 4, 2, 5}, 4)};
        case '5': return {root + intervalNear(chord, {7, 6, 8}, 7)};
        case '7': return {root + intervalNear(chord, {10, 11, 9}, 12)};
        case '8': return {root + 12};
        default: fail("unknown chord degree", std::string(1, degree));
      }
    default: {
      std::vector<int> keys;
      for (int i : chord.intervals) keys.push_back(lowestKeyOf((chord.root + i) % 12, low));
      std::sort(keys.begin(), keys.end());
      return keys;
    }
  }
}

// Beats are leaned on, the off sixteenths eased, marks move it further.
int velocityAt(int base, int step, char mark) {
  int v = base;
  if (step % kStepsPerBar == 0) {
    v += 8;
  } else if (step % 4 == 0) {
    v += 4;
  } else if (step % 2 == 1) {
    v -= 6;
  }
  if (mark == 'X') v += 16;
  if (mark == 'o') v -= 28;
  return std::clamp(v, 1, 127);
}

int ticksOf(int steps) { return steps * kTicksPerStep; }
int soundingTicks(int steps, int gate) { return std::max(kShortestNote, ticksOf(steps) * gate / 100 - kReleaseGap); }

void renderPart(MidiTrack& track, const Instrument& instrument, std::string_view text,
                const std::vector<ChordSpan>& chart, int start, int stepCount) {
  if (text.empty()) return;
  if (instrument.style == Style::Melody) {
    const MelodyLine line = readMelody(text);
    if (line.steps != stepCount) fail("the melody does not fill its section", text);
    for (const LineNote& n : line.notes) {
      const int at = start + n.step;
      track.note(ticksOf(at), soundingTicks(n.length, instrument.gate), instrument.channel, n.key,
                 velocityAt(instrument.velocity, at, n.accent ? 'X' : 'x'));
    }
    return;
  }
  const std::string_view marks = instrument.style == Style::ChordTones ? "13578" : "Xxo";
  for (const Hit& hit : splitAtChordChanges(readPattern(text, stepCount, marks), chart)) {
    const int at = start + hit.step;
    const int velocity = velocityAt(instrument.velocity, at, hit.mark);
    for (int key : chordKeys(chordAt(chart, hit.step), instrument.style, instrument.low, hit.mark)) {
      track.note(ticksOf(at), soundingTicks(hit.length, instrument.gate), instrument.channel, key, velocity);
    }
  }
}

void renderDrums(MidiTrack& track, const Section& section, int start, int stepCount) {
  if (section.crash != 0) track.note(ticksOf(start), kDrumLength, kDrumChannel, section.crash, kCrashVelocity);
  const int bars = stepCount / kStepsPerBar;
  for (int bar = 0; bar < bars; ++bar) {
    const bool fill = bar == bars - 1 && !section.lastBar.empty();
    const int barStart = bar * kStepsPerBar;
    for (const DrumLine& line : fill ? section.lastBar : section.groove) {
      // A groove runs through the section; a fill starts with its bar.
      const int offset = fill ? 0 : barStart;
      const std::string steps = patternSteps(line.pattern, "Xxo");
      for (int s = 0; s < kStepsPerBar; ++s) {
        const char c = steps[(offset + s) % steps.size()];
        if (c == '.' || c == '-') continue;
        const int at = start + barStart + s;
        track.note(ticksOf(at), kDrumLength, kDrumChannel, line.key, velocityAt(kDrumVelocity, at, c));
      }
    }
  }
}

void setUpChannel(MidiTrack& track, int channel, int program, int volume, int pan, int reverb) {
  track.programChange(0, channel, program);
  track.controlChange(0, channel, 7, volume);
  track.controlChange(0, channel, 10, pan);
  track.controlChange(0, channel, 91, reverb);
  track.controlChange(0, channel, 93, 0);  // no chorus: it smears the attacks
}

}  // namespace

int readPitch(std::string_view name) {
  const auto [pc, used] = readPitchClass(name);
  const std::string_view octave = name.substr(used);
  if (octave.empty() || !std::all_of(octave.begin(), octave.end(),
                                     [](char c) { return std::isdigit(static_cast<unsigned char>(c)) != 0; })) {
    fail("a note needs an octave", name);
  }
  const int key = 12 * (std::stoi(std::string(octave)) + 1) + pc;
  if (key > 127) fail("note too high", name);
  return key;
}

Chord readChord(std::string_view symbol) {
  const auto [root, used] = readPitchClass(symbol);
  const std::string_view quality = symbol.substr(used);
  static const std::vector<std::pair<std::string_view, std::vector<int>>> kQualities = {
      {"", {0, 4, 7}},     {"m", {0, 3, 7}},    {"7", {0, 4, 7, 10}}, {"m7", {0, 3, 7, 10}}, {"maj7", {0, 4, 7, 11}},
      {"sus4", {0, 5, 7}}, {"sus2", {0, 2, 7}}, {"dim", {0, 3, 6}},   {"5", {0, 7}},         {"add9", {0, 4, 7, 14}}};
  for (const auto& [name, intervals] : kQualities) {
    if (quality == name) return {root, intervals};
  }
  fail("unknown chord", symbol);
}

std::vector<ChordSpan> readChordChart(std::string_view chart) {
  std::vector<ChordSpan> spans;
  int barStart = 0;
  for (std::string_view bar : split(chart, '|')) {
    const std::vector<std::string_view> symbols = words(bar);
    if (symbols.empty() || kStepsPerBar % symbols.size() != 0) fail("a bar needs 1, 2, 4 or 8 chords", bar);
    const int length = kStepsPerBar / static_cast<int>(symbols.size());
    for (std::size_t i = 0; i < symbols.size(); ++i) {
      spans.push_back({barStart + static_cast<int>(i) * length, length, readChord(symbols[i])});
    }
    barStart += kStepsPerBar;
  }
  return spans;
}

MelodyLine readMelody(std::string_view line) {
  MelodyLine out;
  std::vector<LineNote>& notes = out.notes;
  int& step = out.steps;
  bool tiedToNext = false;
  for (std::string_view word : words(line)) {
    if (word == "|") {
      if (step % kStepsPerBar != 0) {
        fail("a bar line " + std::to_string(step % kStepsPerBar) + " steps into a bar", line);
      }
      continue;
    }
    const bool accent = word.front() == '>';
    std::string_view token = word.substr(accent ? 1 : 0);
    const bool tie = !token.empty() && token.back() == '~';
    if (tie) token.remove_suffix(1);
    const bool dotted = !token.empty() && token.back() == '.';
    if (dotted) token.remove_suffix(1);

    // The length letters end the word; in "e5e" only the last "e" is one.
    std::size_t lengthStart = token.size();
    while (lengthStart > 0 && lengthOfLetter(token[lengthStart - 1]) > 0) --lengthStart;
    const std::string_view pitch = token.substr(0, lengthStart);
    int length = 0;
    for (char c : token.substr(lengthStart)) length += lengthOfLetter(c);
    if (dotted) {
      if (length % 2 != 0) fail("a dotted sixteenth is too short", word);
      length += length / 2;
    }
    if (length == 0) fail("a note needs a length", word);

    if (pitch == "r") {
      if (tiedToNext) fail("a tie into a rest", word);
    } else {
      const int key = readPitch(pitch);
      if (tiedToNext) {
        if (notes.back().key != key) fail("a tie between different notes", word);
        notes.back().length += length;
      } else {
        notes.push_back({step, length, key, accent});
      }
    }
    tiedToNext = tie;
    step += length;
  }
  if (tiedToNext) fail("a tie at the end of a line", line);
  if (step % kStepsPerBar != 0) fail("a melody must fill whole bars", line);
  return out;
}

MidiFile render(const Piece& piece) {
  MidiFile file;
  std::vector<MidiTrack>& tracks = file.tracks;
  tracks.emplace_back(piece.title);
  for (const Instrument& instrument : piece.instruments) {
    setUpChannel(tracks.emplace_back(instrument.name), instrument.channel, instrument.program, instrument.volume,
                 instrument.pan, instrument.reverb);
  }
  setUpChannel(tracks.emplace_back("Drums"), kDrumChannel, 0, piece.drumVolume, 64, 30);
  MidiTrack& conductor = tracks.front();
  MidiTrack& drums = tracks.back();
  conductor.tempo(0, piece.beatsPerMinute);
  conductor.timeSignature(0, 4, 4);
  conductor.keySignature(0, piece.keySharps, piece.minor);

  int start = 0;
  for (const Section& section : piece.sections) {
    if (section.parts.size() != piece.instruments.size()) fail("every instrument needs a line", section.name);
    const std::vector<ChordSpan> chart = readChordChart(section.chords);
    const int stepCount = chart.back().step + chart.back().length;
    conductor.marker(ticksOf(start), section.name);
    for (std::size_t i = 0; i < piece.instruments.size(); ++i) {
      renderPart(tracks[i + 1], piece.instruments[i], section.parts[i], chart, start, stepCount);
    }
    renderDrums(drums, section, start, stepCount);
    start += stepCount;
  }
  for (MidiTrack& track : tracks) track.end(ticksOf(start));
  return file;
}

}  // namespace soundgen
