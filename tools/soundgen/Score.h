#pragma once

#include <string_view>
#include <vector>

#include "tools/soundgen/MidiWriter.h"

// The little score language the battle music is written in, and the
// arranger that turns a piece into a MIDI file.
//
// Time is counted in sixteenth-note steps, sixteen to a 4/4 bar.
//
// Melody lines: "e5q b4e. c5s | r h g5h". A note is a pitch (letter,
// optional # or b, octave; c4 is middle C) and a length (w h q e s, summed
// when several, "." makes it dotted), "~" ties it to the next note of the
// same pitch, ">" in front accents it, "r" is a rest and "|" checks that a
// bar line falls there.
//
// Chord charts: "Em | C D | B7", bars split by "|", chords within a bar
// share it evenly.
//
// Patterns (one or more bars, repeated through a section; "|" and spaces
// are only for the eye): chord hits "X" accented, "x" plain, "o" soft; for
// chord tones "1" root, "3" third, "5" fifth, "7" seventh (the octave when
// the chord has none), "8" root an octave up; "-" holds the previous note,
// "." is silence. Drum patterns use "X", "x" and "o".
namespace soundgen {

constexpr int kStepsPerBar = 16;

struct Chord {
  int root = 0;                // pitch class, C = 0
  std::vector<int> intervals;  // semitones above the root, the root's 0 first
};

// A note of a written line, in steps from the start of the line.
struct LineNote {
  int step;
  int length;
  int key;
  bool accent;
};

// The chord sounding from a step on, for a length of steps.
struct ChordSpan {
  int step;
  int length;
  Chord chord;
};

int readPitch(std::string_view name);
Chord readChord(std::string_view symbol);
std::vector<ChordSpan> readChordChart(std::string_view chart);
struct MelodyLine {
  std::vector<LineNote> notes;
  int steps = 0;  // rests included
};
MelodyLine readMelody(std::string_view line);

enum class Style {
  Melody,       // the section's text is a melody line
  Chords,       // a pattern of chord hits, close voiced from `low` up
  PowerChords,  // a pattern of root-fifth-octave hits from `low` up
  ChordTones,   // a pattern of chord degrees: bass lines and arpeggios
};

struct Instrument {
  std::string_view name;
  int channel;
  int program;  // General MIDI, counted from 0
  Style style;
  int low;       // lowest key chord notes are placed on
  int velocity;  // of a plain note; accents and soft hits move it
  int gate;      // how much of its written length a note sounds, in percent
  int volume;    // controller 7
  int pan;       // controller 10, 64 is the middle
  int reverb;    // controller 91
};

struct DrumLine {
  int key;  // General MIDI percussion key
  std::string_view pattern;
};
using Groove = std::vector<DrumLine>;

struct Section {
  std::string_view name;
  std::string_view chords;
  std::vector<std::string_view> parts;  // one per instrument, in order; "" rests
  int crash = 0;                        // a cymbal struck on the first beat, 0 for none
  Groove groove = {};
  Groove lastBar = {};  // played instead of the groove in the section's last bar, when given
};

struct Piece {
  std::string_view title;
  double beatsPerMinute;
  int keySharps;  // negative for flats
  bool minor;
  std::vector<Instrument> instruments;
  int drumVolume;
  std::vector<Section> sections;
};

constexpr int kDrumChannel = 9;

MidiFile render(const Piece& piece);

}  // namespace soundgen
