// The game shown in English: every screen, box and message in English but
// the names the game does not know, and the same files and the same wire as
// the Japanese game.

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QPlainTextEdit>
#include <QRegularExpression>
#include <QScrollBar>
#include <QTemporaryDir>
#include <algorithm>
#include <map>

#include "DriverSession.h"
#include "QtGame.h"
#include "QtPrinters.h"
#include "TestGame.h"
#include "battle/BoutRecord.h"
#include "game/Techniques.h"
#include "platform/Language.h"
#include "platform/headless/MemoryNetwork.h"
#include "screens/BattleScreen.h"
#include "screens/Hub.h"
#include "screens/Learning.h"
#include "screens/Selection.h"
#include "screens/Story.h"

using namespace mofurin;
using namespace mofurin::test;

namespace {

constexpr Side P = Side::Player;
using platform::Language;

// The whole process shows this language for one test, and Japanese again
// after it.
class Shown {
 public:
  explicit Shown(Language language) {
    application();
    EXPECT_TRUE(platform::useLanguage(language));
  }
  ~Shown() { platform::useLanguage(Language::Japanese); }
};

bool isJapanese(QChar c) {
  const char16_t u = c.unicode();
  return (u >= 0x3000 && u <= 0x9fff) || (u >= 0xff00 && u <= 0xffef);
}

// The Japanese left in a text once the names the game does not know are
// taken out; empty when there is none.
QString japaneseIn(QString text, const QStringList& unknownNames) {
  for (const QString& name : unknownNames) text.remove(name);
  for (QChar c : text) {
    if (isJapanese(c)) return text;
  }
  return {};
}

// Everything a player may see or hear read out on the open screens, and the
// boxes and events printed since the last look.
void expectEnglish(TestGame& t, const QString& where, const QStringList& unknownNames) {
  QStringList seen = t.takeOutput();
  for (platform::Form* form : t.ctx.forms.openForms()) {
    seen << form->name() + QStringLiteral(" caption: ") + form->caption();
    for (const platform::Widget* w : form->widgets()) {
      seen << w->fullName() + QStringLiteral(": ") + w->caption()
           << w->fullName() + QStringLiteral(": ") + w->displayText()
           << w->fullName() + QStringLiteral(" (read as): ") + w->accessibleName();
      if (w->kind() == platform::WidgetKind::ComboBox) {
        seen << w->fullName() + QStringLiteral(" items: ") + static_cast<const ComboBox*>(w)->items().join(u'|');
      }
    }
  }
  for (const QString& line : seen) {
    const QString left = japaneseIn(line, unknownNames);
    EXPECT_TRUE(left.isEmpty()) << where.toStdString() << ": " << left.toStdString();
  }
}

bool isShown(TestGame& t, const QString& screen) {
  const platform::Form* f = t.ctx.forms.find(screen);
  return f && f->visible();
}

// A bout played by AUTO to its end, looked at every few seconds.
void playBoutByAuto(TestGame& t, const std::function<void()>& look) {
  for (int step = 0; step < 400 && isShown(t, "Form1"); ++step) {
    look();
    t.drive("click Form1.Command1\nkey Form1 65\nwait 3000\n");
  }
  EXPECT_FALSE(isShown(t, "Form1")) << "the bout never ended";
}

// A network bout: each player confirms its first technique whenever asked.
void playNetworkBout(TestGame& host, TestGame& guest, const std::function<void()>& look) {
  QStringList log;
  for (int step = 0; step < 3000; ++step) {
    log << host.drive("wait 100\n") << guest.takeOutput();
    for (TestGame* t : {&host, &guest}) {
      Form1* f = t->screen<Form1>();
      if (!f || !f->visible() || !f->HV125.visible()) continue;
      const int slot =
          static_cast<int>(f->WAZA.items().indexOf(QRegularExpression(QStringLiteral("(?!---NO DATA$).+"))));
      if (slot < 0) continue;
      f->WAZA.setListIndex(slot);
      log << t->drive("click Form1.IIYO(0)\n");
    }
    if (step % 20 == 0) look();
    if (step > 10 && isShown(host, "Form4") && isShown(guest, "Form4") && !host.screen<Form1>() &&
        !guest.screen<Form1>()) {
      return;
    }
  }
  ADD_FAILURE() << "the network bout never ended: "
                << (host.drive("screens\nprint Form11.Label1\n") + guest.drive("screens\nprint Form11.Label1\n"))
                       .join('\n')
                       .toStdString();
}

// A run's record set as a whole tournament would leave it, then the message
// screen the last bout opens: an ending, kept in the hall of fame.
void reachEnding(TestGame& t, const QString& saveFile) {
  GameState& g = t.ctx.game;
  g.wins = 40;
  g.losses = 0;
  g.bouts = 40;
  g.rankText = QStringLiteral("？");
  t.ctx.forms.close<Form4>();
  t.drive("answer Yes\nfile " + saveFile + "\n");
  t.ctx.forms.show<Form7>();
}

}  // namespace

// A whole game in English: title, settings, replays, the starters, the hub,
// the shop, the host finder, a training bout and a tournament bout by AUTO,
// learning, the tally, an ending, the hall of fame and the all-roster
// choice. The player's own name (ポチ) is the one name the game does not know.
TEST(English, EveryScreenBoxAndMessageIsEnglishButNamesTheGameDoesNotKnow) {
  Shown english(Language::English);
  const QStringList unknown{QStringLiteral("ポチ")};
  TestGame t;
  t.start();
  const auto look = [&](const char* where) { expectEnglish(t, QString::fromUtf8(where), unknown); };
  look("title");
  t.drive("click Form2.mnuSettings\n");
  // Each language is offered in its own words.
  expectEnglish(t, QStringLiteral("settings"), unknown + QStringList{QStringLiteral("日本語")});
  t.drive("click FormSettings.Command1\nclick Form2.mnuReplay\n");
  look("replay list");
  t.drive("click FormReplays.Command3\nclick Form2.o1\nkey Form3 51\n");
  look("starters");
  t.drive("type Form3.Text1 ポチ\nanswer OK\nclick Form3.Command1\n");
  ASSERT_TRUE(isShown(t, "Form4"));
  EXPECT_EQ(t.ctx.game.fighterName[P], QStringLiteral("ポチ"));
  look("hub");
  t.drive("click Form4.HPUP\ntype Form5.UPG 3\nwait 100\n");
  look("shop");
  t.drive(
      "answer Yes\nclick Form5.IIDASU\ntype Form5.UPG 99999\nwait 100\nanswer Yes\nclick Form5.IIDASU\nclick "
      "Form5.BYE\n");
  look("shop's boxes");
  t.drive("click Form4.Command3\n");
  look("host finder");
  t.drive("click FormHosts.Command3\nclick Form4.TRAI\n");
  playBoutByAuto(t, [&] { look("training bout"); });
  look("after the training bout");
  t.drive("click Form4.BATTLE\n");
  playBoutByAuto(t, [&] { look("tournament bout"); });
  if (!isShown(t, "Form6")) t.ctx.forms.show<Form6>();
  look("learning");
  t.drive("answer Yes\nclick Form6.No\n");
  ASSERT_TRUE(isShown(t, "Form7"));
  look("tally");
  t.drive("click Form7.Command1\n");
  reachEnding(t, t.workingFile("ending.dat"));
  look("ending");
  EXPECT_TRUE(QFile::exists(t.workingFile("kiro.txt")));
  t.drive("click Form7.Command1\nclick Form4.tabi\n");
  ASSERT_TRUE(isShown(t, "Form9"));
  look("hall of fame");
  t.drive("click Form9.Command1\n");
  t.ctx.forms.show<Form8>();
  t.drive("click Form8.Command1\n");
  look("all-roster choice");
}

namespace {

// What one seeded game leaves behind: every file of both players' folders
// and every byte the two sent each other.
struct Traces {
  std::map<QString, QByteArray> files;
  QByteArray wire;
};

void collectFiles(const QString& who, const QString& folder, Traces& traces) {
  QList<QByteArray> records;  // named by the second they were kept in: compared by content
  for (QDirIterator it(folder, QDir::Files, QDirIterator::Subdirectories); it.hasNext();) {
    const QString path = it.next();
    QFile file(path);
    EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << path.toStdString();
    if (path.endsWith(QStringLiteral(".replay"))) {
      records << file.readAll();
    } else {
      traces.files[who + u'/' + QDir(folder).relativeFilePath(path)] = file.readAll();
    }
  }
  std::sort(records.begin(), records.end());
  for (int i = 0; i < records.size(); ++i) traces.files[who + QStringLiteral("/record %1").arg(i)] = records[i];
}

// A tournament bout, the shop, learning, a save, an ending with the hall of
// fame and a network bout, all seeded, shown in the given language.
Traces playSeededGame(Language language) {
  Shown shown(language);
  Traces traces;
  platform::VirtualClock clock;
  platform::MemoryWire wire(clock);
  wire.sent = [&traces](const QString& from, const QByteArray& bytes) {
    traces.wire += from.toUtf8() + ": " + bytes + '\n';
  };
  TestGame host(&clock), guest(&clock);
  host.platform().joinWire(wire, QStringLiteral("10.0.0.1"));
  guest.platform().joinWire(wire, QStringLiteral("10.0.0.2"));
  host.start();
  guest.start();
  host.drive("seed 7\nclick Form2.o1\nkey Form3 49\nanswer OK\nclick Form3.Command1\n");
  guest.drive("seed 8\nclick Form2.o1\nkey Form3 52\ntype Form3.Text1 ポチ\nanswer OK\nclick Form3.Command1\n");
  for (int bout = 0; bout < 3; ++bout) {
    host.drive("click Form4.BATTLE\n");
    playBoutByAuto(host, [] {});
    // A new technique goes into the second slot; the story is read.
    if (isShown(host, "Form6")) host.drive("key Form6.WAZA 40\nkey Form6.WAZA 40\nanswer Yes\nclick Form6.Ok\n");
    if (isShown(host, "Form7")) host.drive("click Form7.Command1\n");
  }
  host.ctx.forms.show<Form6>();
  host.drive("key Form6.WAZA 40\nanswer Yes\nclick Form6.Ok\nclick Form7.Command1\n");
  host.drive(
      "click Form4.HPUP\nclick Form5.BASS(2)\ntype Form5.UPG 7\nwait 100\nanswer Yes\nclick Form5.IIDASU\n"
      "click Form5.BYE\nfile " +
      host.workingFile("game.dat") + "\nclick Form4.SEVE\n");
  reachEnding(host, host.workingFile("champion.dat"));
  host.drive("click Form7.Command1\n");
  host.drive("scroll Form4.SPEED 1\nclick Form4.Check1\nclick Form4.Check2\nclick Form4.Command2\n");
  guest.drive("scroll Form4.SPEED 1\ntype Form4.Text1 10.0.0.1\nclick Form4.Command2\n");
  playNetworkBout(host, guest, [] {});
  collectFiles(QStringLiteral("host"), host.workingFile(QString()), traces);
  collectFiles(QStringLiteral("guest"), guest.workingFile(QString()), traces);
  return traces;
}

}  // namespace

// English is only a way of showing the game: the same seeded play writes
// the same saves, hall of fame and records, and sends the same messages.
TEST(English, TheSameGameWritesTheSameFilesAndSendsTheSameMessages) {
  const Traces japanese = playSeededGame(Language::Japanese);
  const Traces english = playSeededGame(Language::English);
  // The play reached everything it is meant to compare.
  QStringList names;
  for (const auto& [name, bytes] : japanese.files) names << name;
  for (const char* file : {"host/game.dat", "host/champion.dat", "host/kiro.txt", "host/record 3", "guest/record 0"}) {
    EXPECT_TRUE(names.contains(QString::fromUtf8(file))) << file << " among " << names.join(' ').toStdString();
  }
  EXPECT_TRUE(japanese.wire.contains("10.0.0.2: ")) << japanese.wire.toStdString();
  EXPECT_GT(japanese.wire.count('\n'), 20);
  ASSERT_EQ(japanese.files.size(), english.files.size());
  for (const auto& [name, bytes] : japanese.files) {
    ASSERT_TRUE(english.files.count(name)) << name.toStdString();
    EXPECT_EQ(english.files.at(name), bytes) << name.toStdString();
  }
  EXPECT_EQ(english.wire, japanese.wire);
}

namespace {

// Two driver processes over the loopback, one shown in English and one in
// Japanese, on a port of this test's own.
quint16 testPort() { return static_cast<quint16>(20000 + (QCoreApplication::applicationPid() * 7 + 11) % 20000); }

std::optional<BoutRecord> onlyRecord(const QString& folder) {
  const QFileInfoList files = QDir(folder + QStringLiteral("/replays")).entryInfoList({"*.replay"}, QDir::Files);
  if (files.size() != 1) return std::nullopt;
  QFile file(files.front().absoluteFilePath());
  if (!file.open(QIODevice::ReadOnly)) return std::nullopt;
  auto read = readBoutRecord(file.readAll());
  if (!std::holds_alternative<BoutRecord>(read)) return std::nullopt;
  return std::get<BoutRecord>(std::move(read));
}

}  // namespace

TEST(English, AnEnglishAndAJapaneseCopyFightOneBoutAndAgree) {
  application();
  QTemporaryDir hostDir, guestDir;
  const QString port = QString::number(testPort());
  DriverSession host(hostDir.path(), {"--port", port, "--language", "en"});
  DriverSession guest(guestDir.path(), {"--port", port});
  QStringList hostLog = host.send({"click Form2.o1", "key Form3 49", "click Form3.Command1", "scroll Form4.SPEED 1",
                                   "click Form4.Check1", "click Form4.Check2", "click Form4.Command2"});
  QStringList guestLog = guest.send({"click Form2.o1", "key Form3 50", "click Form3.Command1", "scroll Form4.SPEED 1",
                                     "click Form4.Check1", "type Form4.Text1 127.0.0.1", "click Form4.Command2"});
  bool over = false;
  for (int i = 0; i < 600 && !over; ++i) {
    host.post({"wait 100"});
    guest.post({"wait 100"});
    const QStringList h = host.collect(), g = guest.collect();
    hostLog << h;
    guestLog << g;
    if (shown(h, "Form1")) chooseIfAsked(host);
    if (shown(g, "Form1")) chooseIfAsked(guest);
    over = shown(h, "Form4") && shown(g, "Form4") && hostLog.contains("[close Form1]") &&
           guestLog.contains("[close Form1]");
  }
  ASSERT_TRUE(over) << hostLog.join('\n').toStdString() << "\n---\n" << guestLog.join('\n').toStdString();
  const QStringList names = host.send({"print Form4.MYNA", "print Form4.WAZA.items"});
  for (const QString& line : hostLog + names) {
    EXPECT_TRUE(japaneseIn(line, {}).isEmpty()) << "the English copy shows: " << line.toStdString();
  }
  // Both kept the same bout, each from its own side.
  const std::optional<BoutRecord> hostRecord = onlyRecord(hostDir.path());
  const std::optional<BoutRecord> guestRecord = onlyRecord(guestDir.path());
  ASSERT_TRUE(hostRecord && guestRecord);
  EXPECT_EQ(hostRecord->fighters[Side::Player].name, guestRecord->fighters[Side::Opponent].name);
  EXPECT_EQ(hostRecord->fighters[Side::Opponent].name, guestRecord->fighters[Side::Player].name);
  EXPECT_EQ(hostRecord->fighters[Side::Player].name, QStringLiteral("ジャンヌ"));  // kept in Japanese
  const auto mirrored = [](Ending e) { return e == Ending::Won ? Ending::Lost : e == Ending::Lost ? Ending::Won : e; };
  EXPECT_EQ(mirrored(hostRecord->ending), guestRecord->ending);
  EXPECT_NE(hostRecord->ending, Ending::Unfinished);
}

// The longest texts of the story still fit their window in English.
TEST(English, EveryEndingFitsItsRealWindowWithoutScrolling) {
  Shown english(Language::English);
  QtGame g;
  for (int character = 0; character < kRosterSize; ++character) {
    GameState& game = g.ctx.game;
    game.rankText = QStringLiteral("？");
    game.fighterName[P] = QStringLiteral("モフリンモフリンモフリンモフ");  // the longest name a player can type
    game.characterIndex[P] = character;
    game.wins = 40;
    game.losses = 0;
    game.bouts = 52;
    g.dialogs.queueAnswer(platform::Answer::No);
    g.ctx.forms.show<Form7>();
    g.settle();
    QWidget* window = g.window("Form7");
    ASSERT_NE(window, nullptr);
    auto* text = window->findChild<QPlainTextEdit*>();
    ASSERT_NE(text, nullptr);
    EXPECT_EQ(text->verticalScrollBar()->maximum(), 0) << character << ": " << text->toPlainText().toStdString();
    EXPECT_EQ(text->horizontalScrollBar()->maximum(), 0) << character;
    g.ctx.forms.close<Form7>();
    g.settle();
  }
}

// The settings screen's choice shows every open screen in the new language
// at once and is kept for the next start; choosing Japanese brings every
// text back as it was.
TEST(English, TheSettingsChoiceChangesTheOpenScreensAtOnceAndIsKept) {
  application();
  TestGame t;
  t.start();
  const QStringList before = t.drive("click Form2.mnuSettings\nprint Form2.o1\nprint FormSettings\n");
  EXPECT_TRUE(before.contains("Form2.o1 = はじめから")) << before.join('\n').toStdString();
  const QStringList english = t.drive("click FormSettings.Language(1)\nprint Form2.o1\nprint FormSettings\n");
  EXPECT_TRUE(english.contains("Form2.o1 = New Game")) << english.join('\n').toStdString();
  EXPECT_TRUE(english.contains("FormSettings = Settings")) << english.join('\n').toStdString();
  EXPECT_EQ(platform::currentLanguage(), Language::English);
  QFile kept(t.platform().settingsFile());
  ASSERT_TRUE(kept.open(QIODevice::ReadOnly));
  EXPECT_TRUE(kept.readAll().contains("language=en"));
  kept.close();
  const QStringList japanese = t.drive("click FormSettings.Language(0)\nprint Form2.o1\nprint FormSettings\n");
  EXPECT_EQ(japanese, (QStringList{"Form2.o1 = はじめから", "FormSettings = 設定"}));
  EXPECT_EQ(platform::currentLanguage(), Language::Japanese);
}

// The driver speaks Japanese on an English desktop unless told otherwise,
// and its "language" command changes the screens that are open.
TEST(English, TheDriverIsJapaneseWhateverTheLocaleUntilItsScriptSaysOtherwise) {
  application();
  QTemporaryDir dir;
  qputenv("LANG", "en_US.UTF-8");
  qputenv("LC_ALL", "en_US.UTF-8");
  DriverSession driver(dir.path());
  qunsetenv("LC_ALL");
  const QStringList japanese = driver.send({"print Form2.o1"});
  EXPECT_TRUE(japanese.contains("Form2.o1 = はじめから")) << japanese.join('\n').toStdString();
  const QStringList english = driver.send({"click Form2.o1", "key Form3 49", "click Form3.Command1", "language en",
                                           "print Form4", "print Form4.MYNA", "language fr"});
  EXPECT_TRUE(english.contains("Form4 = Status")) << english.join('\n').toStdString();
  EXPECT_TRUE(english.contains("Form4.MYNA = Lv.1 Jeanne")) << english.join('\n').toStdString();
  EXPECT_TRUE(english.last().startsWith("error: line 9: language needs en or ja")) << english.join('\n').toStdString();
  // Nothing of the choice is kept: the driver's next start is Japanese again.
  EXPECT_FALSE(QFile(dir.filePath("mofurin.conf")).exists());
}

// The language changes in the middle of a bout: the panel and the lists
// speak the new language at once, and the player's pick is still the one
// the list shows and the round will play.
TEST(English, ABoutInProgressChangesLanguageAndKeepsThePlayersPick) {
  application();
  TestGame t;
  t.start();
  t.drive("click Form2.o1\nkey Form3 49\nanswer OK\nclick Form3.Command1\nclick Form4.TRAI\nuntil Form1\nwait 5000\n");
  Form1* battle = t.screen<Form1>();
  ASSERT_TRUE(battle && battle->HV125.visible());
  const QStringList japanese = battle->WAZA.items();
  t.drive("key Form1 50\n");  // the digit 2: the second slot
  const int picked = battle->WAZA.listIndex();
  const qint32 slot = t.ctx.battle.chosenSlot[Side::Player];
  t.drive("language en\n");
  EXPECT_EQ(battle->IIYO[0].caption(), "Go!");
  EXPECT_NE(battle->WAZA.items(), japanese);
  EXPECT_EQ(battle->WAZA.listIndex(), picked);
  EXPECT_EQ(t.ctx.battle.chosenSlot[Side::Player], slot);
  t.drive("language ja\n");
  EXPECT_EQ(battle->WAZA.items(), japanese);
  EXPECT_EQ(battle->IIYO[0].caption(), "これでＯＫ");
}

// Texts that read as English: a count in the singular or the plural, a
// technique's code apart from its name, the re-learning note as a sentence
// of its own, and never two full stops where one or three are meant.
TEST(English, TextsReadAsEnglish) {
  Shown english(Language::English);
  const auto hits = [](int n) {
    return QCoreApplication::translate("BattleEngine", "%1　は　%n 回ヒットした！！", nullptr, n).arg("Moku");
  };
  EXPECT_EQ(hits(1), "Moku landed 1 hit!!");
  EXPECT_EQ(hits(0), "Moku landed 0 hits!!");
  EXPECT_EQ(hits(2), "Moku landed 2 hits!!");
  for (int n = 1; n <= 44; ++n) {
    const QString shown = techniqueForDisplay(LookupTechnique(n, 1).text);
    EXPECT_TRUE(QRegularExpression("^[HALB][-R][-S] \\w").match(shown).hasMatch()) << shown.toStdString();
  }
  const QString note = QCoreApplication::translate("Form6", "覚え直すことになります");
  EXPECT_TRUE(note.startsWith("\r\n") && note.endsWith(".")) << note.toStdString();
  QFile ts(QStringLiteral(MOFURIN_SOURCE_DIR "/translations/mofurin_en.ts"));
  ASSERT_TRUE(ts.open(QIODevice::ReadOnly));
  const QString all = QString::fromUtf8(ts.readAll());
  const QRegularExpression twoStops("(?<![.])[.][.](?![.])");
  for (const QRegularExpressionMatch& m : QRegularExpression("<(?:translation|numerusform)>([^<]*)").globalMatch(all)) {
    EXPECT_FALSE(m.captured(1).contains(twoStops)) << m.captured(1).toStdString();
  }
}
