#include "tools/soundgen/Compositions.h"

// Both pieces are played once and restarted from the top as soon as they
// end, so each one opens with a hit on the tonic and closes with a two-bar
// turnaround on the dominant that lands on that hit. The synthesizer only
// reports the end once every voice has died away (and then waits two more
// seconds for its reverb), so the last bar keeps clear of toms and
// cymbals, whose samples ring for seconds: it ends on a snare roll.
namespace soundgen {
namespace {

// General MIDI percussion keys.
constexpr int kKick = 36;
constexpr int kSnare = 38;
constexpr int kClap = 39;
constexpr int kFloorTom = 41;
constexpr int kClosedHat = 42;
constexpr int kLowTom = 45;
constexpr int kOpenHat = 46;
constexpr int kHighTom = 50;
constexpr int kCrash = 49;
constexpr int kRide = 51;
constexpr int kTambourine = 54;

// ---------------------------------------------------------------------------
// Tournament theme

// clang-format off
const Groove kTournamentIntro = {
    {kKick,      "X............... | X.....x.X.....x. | X.....x.X.....x. | X.x.X.x.X.x.X.x."},
    {kSnare,     "................ | ....X.......X... | ....X.......X... | ....X.......X..."},
    {kClosedHat, "................ | x.x.x.x.x.x.x.x. | x.x.x.x.x.x.x.x. | x.x.x.x.x.x.x.x."},
};

const Groove kTournamentDrive = {
    {kKick,      "X.....x.X.x....."},
    {kSnare,     "....X.......X..o"},
    {kClosedHat, "X.x.x.x.X.x.x.x."},
};

const Groove kTournamentRide = {
    {kKick,  "X.....x...x.X..."},
    {kSnare, "....X.......X.x."},
    {kRide,  "X.x.X.x.X.x.X.x."},
};

const Groove kTournamentFill = {
    {kKick,      "X.....x.X......."},
    {kSnare,     "....X.......xxXX"},
    {kHighTom,   "........XX......"},
    {kLowTom,    "..........XX...."},
    {kClosedHat, "x.x.x.x........."},
};

const Groove kTournamentRoll = {
    {kKick,      "X.....x.X...X..."},
    {kSnare,     "....X...xoxoXxXX"},
    {kClosedHat, "x.x.x.x........."},
};

const std::vector<Instrument> kTournamentBand = {
    // name     ch  GM program                  style                 low  vel gate vol pan rev
    {"Lead",    0,  81 /* sawtooth lead */,     Style::Melody,        0,   96, 92,  56, 64, 40},
    {"Brass",   1,  61 /* brass section */,     Style::Chords,        55,  84, 95,  61, 44, 50},
    {"Guitar",  2,  30 /* distortion guitar */, Style::PowerChords,   43,  78, 70,  49, 88, 20},
    {"Bass",    3,  34 /* picked bass */,       Style::ChordTones,    28, 100, 80,  80, 64, 10},
};
// clang-format on

constexpr std::string_view kTournamentA =
    "e5q b4e e5e g5q f#5e e5e | g5q e5e g5e c6q. b5e | a5q f#5e d5e a5q b5e a5e | f#5h. e5e d5e | "
    "e5q b4e e5e g5q b5e g5e | c6q. b5e a5e g5e e5q | c6e b5e a5e e5e a5q c6q | b5h a5e g5e f#5e d#5e";

// The second time round the fifth bar climbs an octave.
constexpr std::string_view kTournamentAgain =
    "e5q b4e e5e g5q f#5e e5e | g5q e5e g5e c6q. b5e | a5q f#5e d5e a5q b5e a5e | f#5h. e5e d5e | "
    "e6q b5e e6e g6q f#6e e6e | c6q. b5e a5e g5e e5q | c6e b5e a5e e5e a5q c6q | b5h a5e g5e f#5e d#5e";

constexpr std::string_view kTournamentB =
    "g5q c6q. b5e c6q | d6h. a5q | b5q. a5e g5q d5q | e5h. g5e b5e | "
    "c6q. b5e a5q e6q | d6q. c6e b5q a5q | b5q e5q e5e f#5e g5e a5e | b5h a5e f#5e e5e d#5e";

constexpr std::string_view kTournamentAChords = "Em | C | D | Bm | Em | C | Am | B";

}  // namespace

Piece tournamentTheme() {
  return {
      .title = "Tournament battle",
      .beatsPerMinute = 150,
      .keySharps = 1,
      .minor = true,
      .instruments = kTournamentBand,
      .drumVolume = 70,
      // clang-format off
      .sections =
          {
              {.name = "Intro",
               .chords = "Em | Em | C D | B",
               .parts = {/* lead    */ "b4e e5e g5e b5e e6h | rw | rw | rh b4e d#5e f#5e a5e",
                         /* brass   */ "X-------------.. | X..x..x.....x.x. | X..x..x.X..x..x. | X-------x-x-x-x-",
                         /* guitar  */ "X-------------.. | X.x.x.x.X.x.x.x. | X.x.x.x.X.x.x.x. | X.x.x.x.X-X-X-X-",
                         /* bass    */ "1-------------.. | 1.1.8.1.1.1.8.5. | 1.1.8.1.1.1.8.5. | 1.1.1.1.1.1.1.1."},
               .crash = kCrash,
               .groove = kTournamentIntro},
              {.name = "A",
               .chords = kTournamentAChords,
               .parts = {/* lead    */ kTournamentA,
                         /* brass   */ "X-------------..",
                         /* guitar  */ "X.x.x.x.X.x.x.x.",
                         /* bass    */ "1.1.8.1.1.1.8.1."},
               .crash = kCrash,
               .groove = kTournamentDrive,
               .lastBar = kTournamentFill},
              {.name = "B",
               .chords = "C | D | G | Em | Am | D | Bsus4 | B",
               .parts = {/* lead    */ kTournamentB,
                         /* brass   */ "X--x--x-X--x--x-",
                         /* guitar  */ "X-------X-------",
                         /* bass    */ "1.1.5.1.8.1.5.1."},
               .crash = kCrash,
               .groove = kTournamentRide,
               .lastBar = kTournamentFill},
              {.name = "A again",
               .chords = kTournamentAChords,
               .parts = {/* lead    */ kTournamentAgain,
                         /* brass   */ "X--x--x-X--x--x-",
                         /* guitar  */ "XxxxXxxxXxxxXxxx",
                         /* bass    */ "1.1.8.1.1.1.8.1."},
               .crash = kCrash,
               .groove = kTournamentDrive},
              {.name = "Turnaround",
               .chords = "C D | B7",
               .parts = {/* lead    */ "e5e g5e c6e g5e f#5e a5e d6e a5e | b5q. f#5e d#5q b4q",
                         /* brass   */ "X--x--x-X--x--x- | X-----x-----x-x-",
                         /* guitar  */ "X.x.x.x.X.x.x.x. | X-----x-----x-x-",
                         /* bass    */ "1.1.8.1.1.1.8.1. | 1.1.8.1.3.3.5.7."},
               .groove = kTournamentDrive,
               .lastBar = kTournamentRoll},
          },
      // clang-format on
  };
}

namespace {

// ---------------------------------------------------------------------------
// Sparring theme

// clang-format off
const Groove kSparringIntro = {
    {kKick, "X..............."},
};

const Groove kSparringBounce = {
    {kKick,       "X.......X.x....."},
    {kSnare,      "....X.......X..."},
    {kClap,       "....x.......x..."},
    {kClosedHat,  "X.x.X.x.X.x.X..."},
    {kOpenHat,    "..............x."},
    {kTambourine, "..x...x...x...x."},
};

const Groove kSparringDance = {
    {kKick,      "X...x...X...x..."},
    {kClap,      "....X.......X..."},
    {kClosedHat, "x.o.x.o.x.o.x.o."},
    {kOpenHat,   "..x...x...x...x."},
};

const Groove kSparringFill = {
    {kKick,      "X...X...X...X..."},
    {kSnare,     "........x.x.xxXX"},
    {kFloorTom,  "............x..."},
    {kClosedHat, "x.x.x.x........."},
};

const Groove kSparringRoll = {
    {kKick,      "X...X...X...X..."},
    {kSnare,     "........x.x.xxXX"},
    {kClap,      "....X.......X..."},
    {kClosedHat, "x.x.x.x........."},
};

const std::vector<Instrument> kSparringBand = {
    // name     ch  GM program                  style                 low  vel gate vol pan rev
    {"Lead",    0,  80 /* square lead */,       Style::Melody,        0,   92, 75,  71, 64, 40},
    {"Keys",    1,  4 /* electric piano */,     Style::Chords,        57,  72, 70,  64, 40, 50},
    {"Marimba", 2,  12 /* marimba */,           Style::ChordTones,    65,  80, 90,  76, 92, 40},
    {"Bass",    3,  36 /* slap bass */,         Style::ChordTones,    29, 100, 55,  77, 64, 10},
};
// clang-format on

constexpr std::string_view kSparringAChords = "F | Am Dm | Bb | C | F | Am Dm | Gm C | F";

constexpr std::string_view kSparringAFirstBars =
    "f5e a5e c6e a5e bb5q a5e g5e | a5q. e5e f5q a5q | bb5e d6e bb5e f5e g5e a5e bb5q | c6q. g5e e5q c5q | "
    "f5e a5e c6e f6e e6e d6e c6q | e6q. c6e d6q a5q | bb5e a5e g5e bb5e e5e g5e c6q | ";

constexpr std::string_view kSparringB =
    "f5q bb5q d6q. c6e | c6q. bb5e a5e g5e e5q | a5q c6q e6q. d6e | d6q a5q f5h | "
    "d5e g5e bb5e d6e c6e bb5e a5q | c6q. a5e e5q a5q | d6e c6e bb5e a5e bb5e c6e d6q | e6h. c6e bb5e";

}  // namespace

Piece sparringTheme() {
  // The two A sections differ only in their last bar: a pickup into B the
  // first time, a plain landing before the turnaround the second.
  static const std::string kA = std::string(kSparringAFirstBars) + "a5h rq c5e e5e";
  static const std::string kAAgain = std::string(kSparringAFirstBars) + "f5q c5q f5q a5q";
  return {
      .title = "Sparring",
      .beatsPerMinute = 126,
      .keySharps = -1,
      .minor = false,
      .instruments = kSparringBand,
      .drumVolume = 75,
      // clang-format off
      .sections =
          {
              {.name = "Intro",
               .chords = "F | C7",
               .parts = {/* lead    */ "f6q. c6e a5e f5e c5q | rh c5e d5e e5e g5e",
                         /* keys    */ "X-------------.. | ..x...x...x...x.",
                         /* marimba */ "8-5-3-1-........ | 1.3.5.7.8.7.5.3.",
                         /* bass    */ "1-------........ | 1.1.5.5.7.7.8.8."},
               .crash = kCrash,
               .groove = kSparringIntro,
               .lastBar = kSparringFill},
              {.name = "A",
               .chords = kSparringAChords,
               .parts = {/* lead    */ kA,
                         /* keys    */ "..x...x...x...x.",
                         /* marimba */ "1.5.8.5.3.5.8.5.",
                         /* bass    */ "1..8..1.1..8.5.."},
               .crash = kCrash,
               .groove = kSparringBounce,
               .lastBar = kSparringFill},
              {.name = "B",
               .chords = "Bb | C | Am | Dm | Gm | Am | Bb | C",
               .parts = {/* lead    */ kSparringB,
                         /* keys    */ "X-..x.x.X-..x.x.",
                         /* marimba */ "1358853113588531",
                         /* bass    */ "1..1..8.1..1..5."},
               .crash = kCrash,
               .groove = kSparringDance,
               .lastBar = kSparringFill},
              {.name = "A again",
               .chords = kSparringAChords,
               .parts = {/* lead    */ kAAgain,
                         /* keys    */ "..x...x...x...x.",
                         /* marimba */ "1358853113588531",
                         /* bass    */ "1..8..1.1..8.5.."},
               .crash = kCrash,
               .groove = kSparringDance},
              {.name = "Turnaround",
               .chords = "Bb | C7",
               .parts = {/* lead    */ "bb5e a5e bb5e d6e f6q d6q | e6q c6e bb5e g5e e5e g5e c6e",
                         /* keys    */ "X-..x.x.X-..x.x. | X-------x.x.x.x.",
                         /* marimba */ "1358853113588531 | 1.3.5.7.8.......",
                         /* bass    */ "1..1..8.1..1..5. | 1.1.3.3.5.5.7.7."},
               .groove = kSparringBounce,
               .lastBar = kSparringRoll},
          },
      // clang-format on
  };
}

}  // namespace soundgen
