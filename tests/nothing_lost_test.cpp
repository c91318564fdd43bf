// Nothing lost: the close box that would end the game asks first, saves stay
// possible whatever play does, and the quiet faults that lost a name, a file
// or a frame.

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>

#include "QtPrinters.h"
#include "TestGame.h"
#include "persist/SaveFile.h"
#include "screens/BattleScreen.h"
#include "screens/Hub.h"
#include "screens/LinkWindow.h"
#include "screens/Shop.h"

using namespace mofurin;
using namespace mofurin::test;

namespace {

constexpr Side P = Side::Player;
constexpr Side O = Side::Opponent;

const QString kLossWarning = QStringLiteral("セーブしていないデータは消えてしまいます。");
const QString kQuestion =
    QStringLiteral("[msgbox モフリンＧＰ|YesNo|Question] セーブしていないデータは消えてしまいます。\r\n終了しますか？");

// Buys 10 HP for the head in the shop beside the hub.
void buyHitPoints(TestGame& t) {
  t.drive("click Form4.HPUP\ntype Form5.UPG 10\nanswer Yes\nclick Form5.IIDASU\nclick Form5.BYE\n");
  t.takeOutput();
}

}  // namespace

TEST(CloseBox, ClosingTheLastWindowAsksOnlyWhenProgressWouldBeLost) {
  TestGame t;
  startWithRabbit(t);
  // A fighter just chosen: nothing to lose.
  EXPECT_FALSE(t.ctx.game.unsavedProgress);
  buyHitPoints(t);
  EXPECT_TRUE(t.ctx.game.unsavedProgress);
  EXPECT_EQ(t.drive("answer No\nclose Form4\nscreens\n"),
            (QStringList{kQuestion + " -> No", "screens = Form4 Form11(hidden)"}));

  t.drive("file " + t.workingFile("run1") + "\nclick Form4.SEVE\n");
  EXPECT_FALSE(t.ctx.game.unsavedProgress);
  // A name typed without an extension is saved where the load dialog looks.
  EXPECT_TRUE(QFile::exists(t.workingFile("run1.dat")));
  EXPECT_EQ(t.drive("close Form4\n"), (QStringList{"[close Form4]", "[end]"}));
}

TEST(CloseBox, NoLeavesTheBoutGoingAndYesEndsIt) {
  TestGame t;
  startWithRabbit(t);
  buyHitPoints(t);
  t.drive("click Form4.BATTLE\nwait 500\n");
  EXPECT_EQ(t.drive("answer No\nclose Form1\nscreens\n"), (QStringList{kQuestion + " -> No", "screens = Form1"}));
  EXPECT_TRUE(t.screen<Form1>()->Timer1.enabled());  // the command phase goes on
  const QStringList out = t.drive("answer Yes\nclose Form1\n");
  EXPECT_EQ(out.first(), kQuestion + " -> Yes");
  EXPECT_EQ(out.last(), "[end]");
  EXPECT_TRUE(t.ctx.ended());
}

TEST(CloseBox, ABookedBoutIsProgressAndATitleAfterResetHasNone) {
  TestGame t;
  startWithRabbit(t);
  t.drive("seed 3\nclick Form4.TRAI\n");
  for (int i = 0; i < 30; ++i) t.drive("click Form1.Command1\n");
  for (int i = 0; i < 20 && t.ctx.forms.isShown("Form1"); ++i) t.drive("key Form1 65\nwait 5000\n");
  ASSERT_TRUE(t.ctx.forms.isShown("Form4"));
  // Won or lost, a training bout changes nothing lasting unless it is won.
  EXPECT_EQ(t.ctx.game.unsavedProgress, t.ctx.battle.battleResult == BattleResult::OpponentBeaten);
  t.drive("answer Yes\nclick Form4.Command4\n");
  EXPECT_EQ(t.drive("close Form2\n"), (QStringList{"[close Form2]", "[end]"}));
}

TEST(SavesStayPossible, TheHeadsAttackStopsAtTheCapAndEveryKeySavesIt) {
  TestGame t;
  startWithRabbit(t);
  GameState& g = t.ctx.game;
  g.partAttack(BodyPart::H, P) = kValueCap;
  for (int slot = 0; slot < kSlotCount; ++slot) {
    g.techniqueNames(slot, P) = QStringLiteral("H--ずつき");
    g.techniqueCosts(slot, P) = 1;
  }
  t.drive("seed 5\nclick Form4.TRAI\nclick Form1.Command1\n");
  // The dummy has only its head left, with one point: the first hit wins.
  for (BodyPart p : {BodyPart::A, BodyPart::L, BodyPart::B}) g.partHp(p, O) = 0;
  g.partHp(BodyPart::H, O) = 1;
  t.drive("wait 5000\n");
  ASSERT_EQ(t.ctx.battle.battleResult, BattleResult::OpponentBeaten);
  ASSERT_GT(t.ctx.battle.battleExperience(BodyPart::H, P), 0);
  EXPECT_EQ(g.partAttack(BodyPart::H, P), kValueCap);
  for (int key = kFirstSaveKey; key <= kLastSaveKey; ++key) {
    const std::optional<SequentialWriter> file = saveFileContents(g, key);
    ASSERT_TRUE(file) << key;
    const std::optional<SavedGame> back = parseSaveFile(file->contents());
    ASSERT_TRUE(back && back->passesIntegrityTest()) << key;
    EXPECT_EQ(back->values.partAttack(BodyPart::H, P), kValueCap) << key;
  }
}

TEST(SavesStayPossible, OnlyTheKeysTheWriterMakesAreRead) {
  GameState g;
  g.rankText = QStringLiteral("？");
  const QString at5 = saveFileContents(g, 5)->contents();
  const QString at17 = saveFileContents(g, 17)->contents();
  EXPECT_TRUE(parseSaveFile(at5));
  EXPECT_TRUE(parseSaveFile(at17));
  // The same zeros under keys the writer never draws: the first line is
  // "key,checksum", and a checksum of zeros is the key itself.
  for (const int key : {-1, 0, 1, 4, 18, 2147483647}) {
    QString text = at5;
    text.replace(0, text.indexOf(u'\r'), QString::number(key) + u',' + QString::number(key));
    EXPECT_FALSE(parseSaveFile(text)) << key;
  }
  // The hostile file of the fault: key -1 and a field of -2147483648.
  QString hostile = at5;
  const qsizetype secondLineEnd = hostile.indexOf(u'\n', hostile.indexOf(u'\n') + 1);
  hostile.replace(0, secondLineEnd + 1, QStringLiteral("-1,-1\r\n-2147483648,0,0\r\n"));
  EXPECT_FALSE(parseSaveFile(hostile));
}

TEST(QuietFaults, ABlankLineAfterTheHallOfFameErasesNothing) {
  TestGame t;
  QByteArray kiro = "\"\x83\x57\x83\x83\x83\x93\x83\x6B\"\r\n";
  for (int line = 2; line <= 60; ++line) kiro += line == 21 ? "\"6\"\r\n" : "\"\"\r\n";
  t.writeWorkingFile("kiro.txt", kiro + "\r\n");
  t.start();
  EXPECT_EQ(t.ctx.game.hallOfFame[1][0], "ジャンヌ");
  EXPECT_EQ(t.ctx.game.hallOfFame[1][1], "6");
}

TEST(QuietFaults, TheFirstFramesShowTheGamesFiguresNotTheDesigns) {
  TestGame t;
  startWithRabbit(t);
  t.drive("click Form4.HPUP\n");
  EXPECT_EQ(t.screen<Form5>()->GOLDOK.text(), "所持金：100\\");  // before any tick
  t.drive("click Form5.BYE\n");

  // In a fresh program the pop-up's caption falls from the opening until
  // its fifth tick; in later bouts it is hidden from the start.
  t.drive("click Form4.TRAI\n");
  const Form1& first = *t.screen<Form1>();
  int ticksShown = 0;
  for (; first.Label5.visible() && ticksShown < 20; ++ticksShown) t.drive("wait 16\n");
  EXPECT_EQ(ticksShown, 5);
  t.drive("wait 500\nclick Form1.NIGERU(0)\nclick Form4.TRAI\n");
  EXPECT_FALSE(t.screen<Form1>()->Label5.visible());
}

TEST(QuietFaults, AnUnknownOptionIsNamedWithoutADisplay) {
  QProcess game;
  QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
  for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"}) env.remove(name);
  game.setProcessEnvironment(env);
  game.start(QStringLiteral(MOFURIN_BIN_DIR "/mofurin"), {"--bogus"});
  ASSERT_TRUE(game.waitForFinished(20000));
  EXPECT_EQ(game.exitStatus(), QProcess::NormalExit);
  EXPECT_EQ(game.exitCode(), 2);
  EXPECT_TRUE(game.readAllStandardError().contains("bogus"));
}

// The manual page tells every option the game takes and every key it
// answers to.
TEST(QuietFaults, TheManualPageListsEveryOptionAndTheKeys) {
  QProcess game;
  game.start(QStringLiteral(MOFURIN_BIN_DIR "/mofurin"), {"--help"});
  ASSERT_TRUE(game.waitForFinished(20000));
  const QString help = QString::fromUtf8(game.readAllStandardOutput());
  QFile page(QStringLiteral(MOFURIN_BIN_DIR "/../packaging/mofurin.6"));
  ASSERT_TRUE(page.open(QIODevice::ReadOnly));
  const QString manual = QString::fromUtf8(page.readAll());
  QStringList options;
  for (const QRegularExpressionMatch& m : QRegularExpression("--([a-z-]+)").globalMatch(help)) options << m.captured(1);
  EXPECT_GE(options.size(), 7);
  for (const QString& option : options) {
    const QString entry = "^\\.BI? \\\\-\\\\-" + QString(option).replace("-", "\\\\-") + "\\b";
    EXPECT_TRUE(manual.contains(QRegularExpression(entry, QRegularExpression::MultilineOption)))
        << option.toStdString();
  }
  for (const char* key : {".B 1 ", ".B Enter\n", ".B A\n", ".B Esc\n", ".B F1\n"}) {
    EXPECT_TRUE(manual.contains(key)) << key;
  }
  EXPECT_FALSE(manual.contains("played with the mouse."));
}

// Every way the game can end, and every way back to the title, says that
// progress will be lost exactly when a save would keep something, about the
// player's own game (never a replay's copy); "No" leaves every screen as it
// was, "Yes" ends the game or shows the title. A way out that only closes a
// screen with another behind it neither asks nor ends.
TEST(WaysOut, EveryScreenAndEveryWayOutFollowsOneRule) {
  enum Leads { ToAnotherScreen, ToTheEnd, ToTheTitle };
  struct Row {
    const char* name;
    QString setUp;   // driver lines from the hub of a new game
    QString wayOut;  // the player's way out
    Leads leads;
  };
  const QString linkShown = "show-link";
  const Row rows[] = {
      {"title's close box", "answer Yes\nclick Form4.Command4\n", "close Form2", ToTheEnd},
      {"title's 終了", "answer Yes\nclick Form4.Command4\n", "click Form2.o3", ToTheEnd},
      {"selection's close box", "answer Yes\nclick Form4.Command4\nclick Form2.o1\n", "close Form3", ToTheEnd},
      {"learning's close box", "open Form6", "close Form6", ToTheEnd},
      {"story's close box", "open Form7", "close Form7", ToTheEnd},
      {"hall of fame's close box", "click Form4.tabi\n", "close Form9", ToTheEnd},
      {"hub's close box", "", "close Form4", ToTheEnd},
      {"hub's close box beside the link window", linkShown, "close Form4", ToTheEnd},
      {"link window's やめる", linkShown, "click Form11.Command1", ToTheEnd},
      {"link window's close box", linkShown, "close Form11", ToAnotherScreen},
      {"battle's close box", "click Form4.TRAI\nwait 500\n", "close Form1", ToTheEnd},
      {"shop's close box", "click Form4.HPUP\n", "close Form5", ToAnotherScreen},
      {"finder's close box", "click Form4.Command3\n", "close FormHosts", ToAnotherScreen},
      {"settings' close box", "answer Yes\nclick Form4.Command4\nclick Form2.mnuSettings\n", "close FormSettings",
       ToAnotherScreen},
      {"replay's close box", "replay REC\nwait 500\n", "close Form1", ToAnotherScreen},
      {"the desktop's logout", "", "logout", ToTheEnd},
      {"hub's リセット", "", "click Form4.Command4", ToTheTitle},
  };
  for (const Row& row : rows) {
    for (const bool progress : {false, true}) {
      for (const char* answer : {"No", "Yes"}) {
        SCOPED_TRACE(std::string(row.name) + (progress ? ", unsaved progress, " : ", nothing to lose, ") + answer);
        TestGame t;
        startWithRabbit(t);
        QString setUp = row.setUp;
        if (setUp.contains("REC")) {
          t.drive("seed 5\nclick Form4.TRAI\nwait 500\nclick Form1.NIGERU(0)\n");
          const QStringList records = QDir(t.workingFile("replays")).entryList(QDir::Files);
          ASSERT_EQ(records.size(), 1);
          setUp.replace("REC", t.workingFile("replays/" + records[0]));
        }
        if (setUp == linkShown) {
          t.ctx.forms.show<Form11>();
          setUp.clear();
        }
        if (setUp.startsWith("open ")) {  // as the end of a bout opens it
          t.ctx.game.levels[Side::Player] = 10;
          t.ctx.forms.close<Form4>();
          t.ctx.forms.show(setUp.mid(5));
          setUp.clear();
        }
        t.drive(setUp);
        GameState& own = t.ctx.replay ? t.ctx.replay->savedGame : t.ctx.game;
        own.unsavedProgress = progress;
        const QStringList before = t.drive("screens\n");
        QStringList out;
        if (QString(row.wayOut) == "logout") {
          t.dialogs().queueAnswer(QString(answer) == "Yes" ? platform::Answer::Yes : platform::Answer::No);
          if (t.ctx.playerMayEnd()) t.ctx.end();
          out = t.takeOutput();
        } else {
          out = t.drive(QStringLiteral("answer %1\n%2\n").arg(answer, row.wayOut));
        }
        const bool asked = !out.filter(kLossWarning).isEmpty();
        EXPECT_EQ(asked, row.leads != ToAnotherScreen && progress) << out.join('\n').toStdString();
        // The way to the title asks its own question even with nothing to lose.
        const bool stays = (asked || row.leads == ToTheTitle) && QString(answer) == "No";
        if (stays) {
          EXPECT_EQ(t.drive("screens\n"), before);
        }
        EXPECT_EQ(t.ctx.ended(), row.leads == ToTheEnd && !stays) << out.join('\n').toStdString();
        if (row.leads == ToTheTitle && !stays) {
          EXPECT_TRUE(t.ctx.forms.isShown("Form2"));
        }
      }
    }
  }
}
