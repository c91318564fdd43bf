// The music's length, the recorder's music channel, the battle music's
// watchdog, and the real sound layer writing to SDL's disk audio driver.

#include <QFile>
#include <QTemporaryDir>
#include <QThread>
#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <initializer_list>
#include <optional>

#include "TestGame.h"
#include "platform/MidiLength.h"
#include "platform/headless/RecordingMedia.h"
#include "platform/qt/SdlMedia.h"

using namespace mofurin;
using namespace mofurin::platform;

namespace {

const QString kBin = QStringLiteral(MOFURIN_BIN_DIR);

QString openCommand(const QString& file) { return "open \"" + file + "\" alias bgm"; }

// A Standard MIDI File put together byte by byte.
QByteArray bytes(std::initializer_list<int> values) {
  QByteArray out;
  for (int v : values) out.append(static_cast<char>(v));
  return out;
}

QByteArray bigEndian(quint32 value, int count) {
  QByteArray out;
  for (int i = count - 1; i >= 0; --i) out.append(static_cast<char>(value >> (8 * i)));
  return out;
}

QByteArray chunk(const char* id, const QByteArray& body) { return id + bigEndian(body.size(), 4) + body; }

QByteArray midi(int division, std::initializer_list<QByteArray> tracks) {
  QByteArray file = chunk("MThd", bigEndian(1, 2) + bigEndian(tracks.size(), 2) + bigEndian(division, 2));
  for (const QByteArray& track : tracks) file += chunk("MTrk", track);
  return file;
}

const QByteArray kEndOfTrack = bytes({0x00, 0xFF, 0x2F, 0x00});

}  // namespace

TEST(MidiLength, TheGeneratedMusicLastsWhatItsTempoMapSays) {
  EXPECT_EQ(midiFileLengthMs(kBin + "/music1.mid"), 48000);  // 30 bars at 150 beats a minute
  EXPECT_EQ(midiFileLengthMs(kBin + "/music2.mid"), 53333);  // 28 bars at 126
}

TEST(MidiLength, TempoChangesCountFromTheirTickInWhicheverTrackTheyStand) {
  // 960 ticks at 120 beats a minute (1000 ms), then 960 at 240 (500 ms); the
  // second tempo stands in the note track, after the tempo track has ended.
  const QByteArray tempoTrack = bytes({0x00, 0xFF, 0x51, 0x03, 0x07, 0xA1, 0x20}) + kEndOfTrack;
  const QByteArray noteTrack =
      bytes({0x00, 0x90, 0x3C, 0x64,                          // note on
             0x00, 0x40, 0x64,                                // another, by running status
             0x87, 0x40, 0xFF, 0x51, 0x03, 0x03, 0xD0, 0x90,  // tick 960: 250000 microseconds a beat
             0x00, 0xF0, 0x01, 0xF7,                          // a system exclusive message
             0x87, 0x40, 0x80, 0x3C, 0x00}) +                 // tick 1920: note off
      kEndOfTrack;
  EXPECT_EQ(midiLengthMs(midi(480, {tempoTrack, noteTrack})), 1500);
  // A track cut short of its End of Track still plays to its last event.
  EXPECT_EQ(midiLengthMs(midi(480, {tempoTrack, noteTrack.chopped(4)})), 1500);
  // Padding after the last chunk is no harm.
  EXPECT_EQ(midiLengthMs(midi(480, {tempoTrack, noteTrack}) + QByteArray(3, '\0')), 1500);
  // No tempo at all: 120 beats a minute.
  EXPECT_EQ(midiLengthMs(midi(96, {bytes({0x00, 0x90, 0x3C, 0x64, 0x81, 0x40, 0x80, 0x3C, 0x00}) + kEndOfTrack})),
            1000);
}

TEST(MidiLength, SmpteTimeCountsFramesAndIgnoresTempo) {
  // 25 frames a second of 40 ticks: 2500 ticks are 2.5 s whatever the tempo.
  const QByteArray track =
      bytes({0x00, 0xFF, 0x51, 0x03, 0x03, 0xD0, 0x90, 0x00, 0x90, 0x3C, 0x64, 0x93, 0x44, 0x80, 0x3C, 0x00}) +
      kEndOfTrack;
  EXPECT_EQ(midiLengthMs(midi(0xE728, {track})), 2500);
}

TEST(MidiLength, MissingAndBrokenFilesHaveNoLength) {
  const QByteArray note = bytes({0x00, 0x90, 0x3C, 0x64});
  const std::pair<const char*, QByteArray> broken[] = {
      {"empty", {}},
      {"not MIDI", QByteArray("RIFF\x24\x00\x00\x00WAVEfmt ", 16)},
      {"header cut short", midi(480, {}).left(10)},
      {"no track", midi(480, {})},
      {"no division", midi(0, {note + kEndOfTrack})},
      {"track longer than the file", midi(480, {note + kEndOfTrack}).chopped(2)},
      {"data byte without status", midi(480, {bytes({0x00, 0x3C, 0x64}) + kEndOfTrack})},
      {"running status after a meta event", midi(480, {note + bytes({0x00, 0xFF, 0x01, 0x00, 0x00, 0x3C, 0x00})})},
      {"event cut by its chunk", midi(480, {bytes({0x00, 0x90, 0x3C})})},
      {"five-byte delta", midi(480, {bytes({0x81, 0x81, 0x81, 0x81, 0x01, 0x90, 0x3C, 0x64}) + kEndOfTrack})},
      {"system common message", midi(480, {bytes({0x00, 0xF2, 0x00, 0x00}) + kEndOfTrack})},
      {"meta event longer than its track", midi(480, {bytes({0x00, 0xFF, 0x01, 0x7F, 0x41})})},
  };
  for (const auto& [name, file] : broken) EXPECT_EQ(midiLengthMs(file), std::nullopt) << name;
  EXPECT_EQ(midiFileLengthMs(kBin + "/no-such-music.mid"), std::nullopt);
  EXPECT_EQ(midiFileLengthMs(kBin), std::nullopt);  // a folder
}

TEST(RecordingMedia, MusicPlaysForTheFilesOwnLengthAndAMissingFileNeverOpens) {
  VirtualClock clock;
  RecordingMedia media(clock);
  media.command(openCommand(kBin + "/music1.mid"));
  media.command("play bgm");
  clock.advance(47999);
  EXPECT_EQ(media.musicMode(), "playing");
  clock.advance(1);
  EXPECT_EQ(media.musicMode(), "stopped");

  media.command("close bgm");
  EXPECT_EQ(media.musicMode(), "");
  media.command(openCommand(kBin + "/no-such-music.mid"));
  media.command("play bgm");
  EXPECT_EQ(media.musicMode(), "");
}

TEST(MusicWatchdog, ABoutRestartsItsMusicWithinATickOfItsEnd) {
  test::TestGame t;
  test::startWithRabbit(t);
  VirtualClock& clock = t.platform().virtualClock();
  t.drive("click Form4.BATTLE\n");
  const qint64 played = clock.now();
  const QStringList restart = {"[media] stop bgm", "[media] close bgm", "[media] " + openCommand(kBin + "/music1.mid"),
                               "[media] play bgm"};
  // Nobody picks a technique: the bout waits in its command phase.
  for (int round = 1; round <= 2; ++round) {
    SCOPED_TRACE(round);
    clock.advance(played + 48000 * round - 1 - clock.now());
    EXPECT_FALSE(t.takeOutput().contains("[media] play bgm"));
    clock.advance(200);
    EXPECT_EQ(t.takeOutput(), restart);
  }
}

TEST(MusicWatchdog, MusicThatNeverOpenedIsNotReopened) {
  test::TestGame t;
  test::startWithRabbit(t);
  t.platform().recordingMedia().musicLength = [](const QString&) { return std::nullopt; };  // no file
  const QStringList out = t.drive("click Form4.TRAI\nwait 5000\n");
  EXPECT_EQ(out.filter("[media]").size(), 4) << out.join('\n').toStdString();
  EXPECT_EQ(SilentMedia().musicMode(), "");  // a muted game's channel never opens either
}

namespace {

// The real sound layer with SDL's disk driver, which writes the device's
// samples (44.1 kHz, 16-bit, stereo) to a file in real time.
class DiskAudio : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(dir_.isValid());
    setEnv("SDL_AUDIODRIVER", "disk");
    setEnv("SDL_DISKAUDIOFILE", dir_.filePath("samples.raw").toLocal8Bit());
  }
  void TearDown() override {
    for (auto it = saved_.rbegin(); it != saved_.rend(); ++it) {
      const auto& [name, value] = *it;
      if (value) {
        qputenv(name, *value);
      } else {
        qunsetenv(name);
      }
    }
  }

  void setEnv(const char* name, const QByteArray& value) {
    saved_.emplace_back(name, qEnvironmentVariableIsSet(name) ? std::optional(qgetenv(name)) : std::nullopt);
    qputenv(name, value);
  }

  // The loudest sample the device was given; read once the device is closed.
  int peak() const {
    QFile file(dir_.filePath("samples.raw"));
    if (!file.open(QIODevice::ReadOnly)) return -1;
    const QByteArray raw = file.readAll();
    int loudest = 0;
    for (qsizetype i = 0; i + 1 < raw.size(); i += 2) {
      const int sample = static_cast<qint16>(static_cast<quint8>(raw[i]) | static_cast<quint8>(raw[i + 1]) << 8);
      loudest = std::max(loudest, std::abs(sample));
    }
    return loudest;
  }

  static QByteArray fileBytes(const QString& name) {
    QFile file(kBin + "/" + name);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
  }

  QTemporaryDir dir_;
  std::vector<std::pair<const char*, std::optional<QByteArray>>> saved_;
};

constexpr int kAudible = 1000;  // of 32767

}  // namespace

TEST_F(DiskAudio, TheMusicSoundsWithEitherSoundFontAndNotWhenOff) {
  EXPECT_EQ(SdlMedia::bestSoundFont(), SdlMedia::kFluidR3);  // the set-up installs both
  for (const QString& font : {SdlMedia::kFluidR3, SdlMedia::kTimGM6mb}) {
    for (const bool off : {false, true}) {
      SCOPED_TRACE((font + (off ? " off" : " on")).toStdString());
      {
        SdlMedia media({.soundFont = font});
        if (off) media.setMusicVolume(0);
        EXPECT_FALSE(media.deviceOpen());  // nothing before the first command
        media.command(openCommand(kBin + "/music1.mid"));
        media.command("play bgm");
        media.finishWork();
        ASSERT_TRUE(media.deviceOpen());
        EXPECT_EQ(media.musicMode(), "playing");  // off, it still keeps the piece's time
        QThread::msleep(500);
      }
      if (off) {
        EXPECT_EQ(peak(), 0);
      } else {
        EXPECT_GT(peak(), kAudible);
      }
    }
  }
}

TEST_F(DiskAudio, AHitSoundAtHalfVolumePeaksSixDecibelsLower) {
  const auto peakAt = [this](int volume) {
    {
      SdlMedia media;
      media.setEffectVolume(volume);
      media.playEffect(fileBytes("Snd091.wav"));
      media.finishWork();
      QThread::msleep(300);
    }
    return peak();
  };
  const double full = peakAt(100);
  const double half = peakAt(50);
  ASSERT_GT(full, kAudible);
  EXPECT_NEAR(20 * std::log10(half / full), -6.0, 1.0);
  EXPECT_EQ(peakAt(0), 0);
}

TEST_F(DiskAudio, AHitSoundPlaysFromItsImage) {
  {
    SdlMedia media;
    media.playEffect(fileBytes("Snd091.wav"));
    media.finishWork();
    QThread::msleep(300);
  }
  EXPECT_GT(peak(), kAudible);
}

TEST_F(DiskAudio, TheBeepIsOurBlip) {
  {
    SdlMedia media;
    media.beep();
    media.finishWork();
    QThread::msleep(200);
  }
  EXPECT_GT(peak(), kAudible);
}

TEST_F(DiskAudio, MusicStopsAtTheEndOfItsTempoMapNotOfItsReverb) {
  QFile file(dir_.filePath("short.mid"));
  ASSERT_TRUE(file.open(QIODevice::WriteOnly));
  // 300 ms of a held note at 120 beats a minute, 480 ticks a beat.
  file.write(
      midi(480, {bytes({0x00, 0xC0, 0x00, 0x00, 0x90, 0x3C, 0x64, 0x82, 0x20, 0x80, 0x3C, 0x00}) + kEndOfTrack}));
  file.close();
  SdlMedia media;
  media.command(openCommand(file.fileName()));
  media.command("play bgm");
  media.finishWork();
  EXPECT_EQ(media.musicMode(), "playing");
  QThread::msleep(330);
  EXPECT_EQ(media.musicMode(), "stopped");
}

TEST_F(DiskAudio, WithoutTheSoundFontOrTheFilesNothingSoundsAndNothingFails) {
  {
    SdlMedia media({.soundFont = dir_.filePath("no-such-font.sf2")});
    media.command(openCommand(kBin + "/music1.mid"));
    media.command("play bgm");
    media.finishWork();
    EXPECT_TRUE(media.deviceOpen());
    EXPECT_EQ(media.musicMode(), "playing");  // unheard, it keeps the piece's time
    media.command("close bgm");
    media.command(openCommand(dir_.filePath("no-such-music.mid")));
    media.command("play bgm");
    media.playEffect(QByteArray());
    media.playEffect(QByteArray("RIFF\x10\x00\x00\x00WAVEjunk", 16));
    media.playEffect(fileBytes("no-such-sound.wav"));
    media.finishWork();
    EXPECT_EQ(media.musicMode(), "");  // the file never opened
    QThread::msleep(200);
  }
  EXPECT_EQ(peak(), 0);
}

TEST_F(DiskAudio, WithoutTheLibraryOrADeviceTheChannelNeverOpens) {
  for (const bool noLibrary : {true, false}) {
    SCOPED_TRACE(noLibrary ? "no library" : "no device");
    SdlMedia::Setup setup;
    if (noLibrary) setup.library = "libno-such-mixer.so.0";
    setEnv("SDL_AUDIODRIVER", "no-such-driver");
    SdlMedia media(setup);
    media.command(openCommand(kBin + "/music2.mid"));
    media.command("play bgm");
    media.playEffect(fileBytes("Snd053.wav"));
    media.finishWork();
    EXPECT_FALSE(media.deviceOpen());
    EXPECT_EQ(media.musicMode(), "");
    media.command("stop bgm");
    EXPECT_EQ(media.musicMode(), "");
  }
}
