// The player's sound settings: kept between games, read safely from any
// file, and heard at once, also in a bout in progress.

#include <QFileInfo>

#include "TestGame.h"
#include "persist/SoundSettings.h"
#include "screens/BattleScreen.h"

using namespace mofurin;
using namespace mofurin::test;

namespace {

// A second game on the folder of the first, as the next start of the game.
SoundSettings readBackAfterRestart(TestGame& first, int* musicVolume = nullptr, int* effectVolume = nullptr) {
  platform::VirtualClock clock;
  platform::HeadlessPlatform platform(clock, MOFURIN_BIN_DIR, QFileInfo(first.workingFile("x")).absolutePath());
  Game next(platform);
  if (musicVolume) *musicVolume = platform.recordingMedia().musicVolume();
  if (effectVolume) *effectVolume = platform.recordingMedia().effectVolume();
  return next.soundSettings;
}

}  // namespace

TEST(SoundSettings, EverySettingIsKeptForTheNextStart) {
  TestGame t;
  t.start();
  t.takeOutput();
  const QStringList out = t.drive(
      "click Form2.mnuSettings\nclick FormSettings.Check1\nscroll FormSettings.Volume1 30\n"
      "click FormSettings.Check1\nscroll FormSettings.Volume1 30\nscroll FormSettings.Volume2 55\n"
      "click FormSettings.Check2\nprint FormSettings.Label2\nkey FormSettings 27\n");
  // A volume switched off cannot be moved.
  EXPECT_EQ(out, (QStringList{"[show FormSettings]", "[volume] music 0 effects 100",
                              "[not usable FormSettings.Volume1]", "[volume] music 100 effects 100",
                              "[volume] music 30 effects 100", "[volume] music 30 effects 55",
                              "[volume] music 30 effects 0", "FormSettings.Label2 = 音量 55", "[close FormSettings]"}));
  int music = -1, effects = -1;
  const SoundSettings kept = readBackAfterRestart(t, &music, &effects);
  EXPECT_EQ(kept, (SoundSettings{true, 30, false, 55}));
  EXPECT_EQ(music, 30);
  EXPECT_EQ(effects, 0);
}

TEST(SoundSettings, ABrokenOrForeignFileReadsAsDefaults) {
  const QByteArray files[] = {
      QByteArray("\x00\xff\xfe[[[=\n\x01", 10),
      "[General]\ngeometry=@ByteArray(abc)\nrecent=a, b\n",
      "[sound]\nmusic=maybe\nmusicVolume=101\nhitSounds=1\nhitSoundVolume=-5\n",
      "[sound]\nmusicVolume=1e2\nhitSoundVolume=50abc\nmusic=\n",
      QByteArray(100000, '['),
  };
  for (const QByteArray& bytes : files) {
    TestGame t;
    t.writeWorkingFile("mofurin.conf", bytes);
    EXPECT_EQ(readBackAfterRestart(t), SoundSettings{}) << bytes.left(40).toStdString();
  }
}

TEST(SoundSettings, VolumesChangeAtOnceInABoutInProgress) {
  TestGame t;
  t.start();
  // The settings stay open while the player starts a game and a bout.
  t.drive("click Form2.mnuSettings\n");
  t.drive("click Form2.o1\nkey Form3 51\nanswer OK\nclick Form3.Command1\nclick Form4.TRAI\nwait 600\n");
  ASSERT_TRUE(t.ctx.forms.isShown("Form1"));
  t.drive("scroll FormSettings.Volume1 40\nscroll FormSettings.Volume2 20\n");
  EXPECT_EQ(t.platform().recordingMedia().musicVolume(), 40);
  EXPECT_EQ(t.platform().recordingMedia().effectVolume(), 20);
  EXPECT_TRUE(t.ctx.forms.isShown("Form1"));
}
