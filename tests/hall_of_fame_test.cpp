// The hall of fame: recording a won run, the golden hall's display and
// erasing it, with kiro.txt checked byte for byte.

#include <QDir>

#include "QtPrinters.h"
#include "TestGame.h"
#include "persist/Cp932.h"
#include "screens/HallOfFameScreen.h"
#include "screens/Hub.h"
#include "screens/Story.h"

using namespace mofurin;
using namespace mofurin::test;

namespace {

constexpr Side P = Side::Player;

QByteArray readWorkingFile(TestGame& t, const QString& name) {
  QFile file(t.workingFile(name));
  if (!file.open(QIODevice::ReadOnly)) return {};
  return file.readAll();
}

// Wins the tournament with `name` playing `character`, answers Yes to the
// hall-of-fame question and gives the save dialog `saveAnswer`.
QStringList winAndRecord(TestGame& t, const QString& name, int character,
                         const QString& saveAnswer = QStringLiteral("file cancel\n")) {
  if (!t.ctx.forms.find("Form4")) startWithRabbit(t);
  t.ctx.forms.close<Form4>();
  GameState& g = t.ctx.game;
  g.fighterName[P] = name;
  g.characterIndex[P] = character;
  g.wins = 40;
  g.losses = 0;
  g.bouts = 40;
  g.rankText = QStringLiteral("？");
  t.drive("answer Yes\n" + saveAnswer);
  t.takeOutput();
  t.ctx.forms.show<Form7>();
  QStringList out = t.takeOutput();
  t.drive("click Form7.Command1\n");
  return out;
}

// Sixty lines, the given ones set and all others two double quotes.
QByteArray kiroBytes(const std::map<int, QByteArray>& lines) {
  QByteArray bytes;
  for (int line = 1; line <= 60; ++line) {
    auto it = lines.find(line);
    bytes += '"' + (it != lines.end() ? it->second : QByteArray()) + "\"\r\n";
  }
  return bytes;
}

Form9& openHall(TestGame& t) {
  if (!t.ctx.forms.find("Form4")) startWithRabbit(t);
  t.drive("click Form4.tabi\n");
  t.takeOutput();
  return *t.screen<Form9>();
}

void fillHall(GameState& g) {
  for (int e = 1; e <= kHallOfFameEntries; ++e) {
    g.hallOfFame[e] = {QStringLiteral("王者%1").arg(e), QString::number(e % 16), QStringLiteral("Ｃ")};
  }
}

}  // namespace

TEST(HallOfFame, AFirstRecordingWritesTheRunIntoKiroTxtAndOffersTheSave) {
  TestGame t;
  const QStringList out = winAndRecord(t, QStringLiteral("ジャンヌ"), 6);
  EXPECT_EQ(out.mid(1), (QStringList{"[msgbox モフリンＧＰ|YesNo] 殿堂システムに記録しますか？ -> Yes",
                                     "[file save datﾌｧｲﾙ|*.dat] -> cancel"}));
  // ジャンヌ and Ａ in code page 932.
  EXPECT_EQ(readWorkingFile(t, "kiro.txt"),
            kiroBytes({{1, QByteArray("\x83\x57\x83\x83\x83\x93\x83\x6B")}, {21, "6"}, {41, QByteArray("\x82\x60")}}));
  EXPECT_EQ(t.ctx.game.hallOfFame[1], (std::array<QString, 3>{"ジャンヌ", "6", "Ａ"}));
}

TEST(HallOfFame, RecordingFillsTheFirstFreeEntryOrReplacesTheTwentieth) {
  TestGame t;
  startWithRabbit(t);
  GameState& g = t.ctx.game;
  g.hallOfFame[1] = {"一", "1", "Ａ"};
  g.hallOfFame[3] = {"三", "3", "Ｂ"};
  winAndRecord(t, QStringLiteral("ハルコ"), 15);
  EXPECT_EQ(g.hallOfFame[2], (std::array<QString, 3>{"ハルコ", "15", "Ａ"}));
  EXPECT_EQ(g.hallOfFame[3][0], "三");

  fillHall(g);
  const auto before = g.hallOfFame;
  winAndRecord(t, QStringLiteral("ナミ"), 14);
  EXPECT_EQ(g.hallOfFame[20], (std::array<QString, 3>{"ナミ", "14", "Ａ"}));
  for (int e = 1; e < 20; ++e) EXPECT_EQ(g.hallOfFame[e], before[e]) << e;
  const QByteArray file = readWorkingFile(t, "kiro.txt");
  EXPECT_EQ(file.count("\r\n"), 60);
  EXPECT_TRUE(file.startsWith(encodeCp932(QStringLiteral("\"王者1\"\r\n\"王者2\"\r\n"))));
  EXPECT_TRUE(file.contains(encodeCp932(QStringLiteral("\"王者19\"\r\n\"ナミ\"\r\n\"1\"\r\n"))));
}

TEST(HallOfFame, TheRecordedRunCanBeSavedAtOnce) {
  TestGame t;
  const QString path = t.workingFile("champion.dat");
  const QStringList out = winAndRecord(t, QStringLiteral("ミニドラ"), 7, "file " + path + "\n");
  EXPECT_EQ(out.last(), "[file save datﾌｧｲﾙ|*.dat] -> " + path);
  EXPECT_TRUE(QFile::exists(path));
  EXPECT_TRUE(readWorkingFile(t, "champion.dat").contains(encodeCp932(QStringLiteral("\"Ａ\"\r\n\"ミニドラ\""))));

  // A save that fails says so, as the hub's does.
  const QStringList failed = winAndRecord(t, QStringLiteral("ミニドラ"), 7, "file " + t.workingFile("no/x.dat") + "\n");
  EXPECT_TRUE(failed.last().startsWith("[msgbox モフリンＧＰ|OK] SAVEできませんでした。"))
      << failed.last().toStdString();
}

TEST(HallOfFame, AHallThatCannotBeWrittenIsReportedNeverAsDone) {
  TestGame t;
  // A folder where the file should be: kiro.txt cannot be replaced.
  ASSERT_TRUE(QDir(t.workingFile("")).mkdir("kiro.txt"));
  const QString failure =
      "[msgbox モフリンＧＰ|OK] 殿堂データ（kiro.txt）を書き込めませんでした。\r\nファイルは前のままです。 -> OK "
      "(default)";
  const QStringList out = winAndRecord(t, QStringLiteral("ジャンヌ"), 6, "file " + t.workingFile("x.dat") + "\n");
  EXPECT_EQ(out.last(), failure);
  EXPECT_TRUE(out.filter("[file").isEmpty());          // no save after a failed record
  EXPECT_EQ(t.ctx.game.hallOfFame[1][0], "ジャンヌ");  // the table keeps the run

  openHall(t);
  const QStringList erased = t.drive("answer Yes\nclick Form9.Command2\n");
  ASSERT_EQ(erased.size(), 2);
  EXPECT_EQ(erased[1], failure);
  EXPECT_TRUE(t.ctx.game.hallOfFame[1][0].isEmpty());
}

TEST(HallOfFame, TheHallShowsEachEntryWithItsNumberRankAndCharacter) {
  TestGame t;
  GameState& g = t.ctx.game;
  startWithRabbit(t);
  g.hallOfFame[7] = {"ジャンヌ", "6", "Ａ"};
  g.hallOfFame[12] = {"ナミ", "14", "不合格"};
  Form9& f = openHall(t);
  EXPECT_EQ(f.Scroll1.value(), 1);
  EXPECT_EQ(f.Scroll1.min(), 1);
  EXPECT_EQ(f.Scroll1.max(), 20);
  // An empty entry: the hall's own picture, no rank and no name.
  EXPECT_EQ(f.Label2.caption(), " 1代目チャンピオン　ＲＡＮＫ－－\r\n　　　　　");
  EXPECT_EQ(f.USI.picture().file, "hall_background.png");
  EXPECT_EQ(f.MA.picture().file, "hall_background.png");
  t.drive("scroll Form9.Scroll1 7\n");
  EXPECT_EQ(f.Label2.caption(), " 7代目チャンピオン　ＲＡＮＫ－－Ａ\r\n　　　　　ジャンヌ");
  EXPECT_EQ(f.USI.picture().file, "chara06_back.png");
  EXPECT_EQ(f.MA.picture().file, "chara06_front.png");
  t.drive("scroll Form9.Scroll1 12\n");
  EXPECT_EQ(f.Label2.caption(), "12代目チャンピオン　ＲＡＮＫ－－不合格\r\n　　　　　ナミ");
  EXPECT_EQ(f.MA.picture().file, "chara14_front.png");
}

TEST(HallOfFame, AnEntryWithoutARosterCharacterShowsTheHall) {
  for (const char* field : {"16", "-1", "x", "99999999999", " 6 "}) {
    TestGame t;
    startWithRabbit(t);
    t.ctx.game.hallOfFame[1] = {"謎", QString::fromUtf8(field), "Ｂ"};
    Form9& f = openHall(t);
    const QString expected = QString(field) == " 6 " ? "chara06_back.png" : "hall_background.png";
    EXPECT_EQ(f.USI.picture().file, expected) << field;
    EXPECT_EQ(f.Label2.caption(), " 1代目チャンピオン　ＲＡＮＫ－－Ｂ\r\n　　　　　謎");
  }
}

TEST(HallOfFame, ErasingNeedsAYesAndLeavesSixtyEmptyLines) {
  TestGame t;
  startWithRabbit(t);
  fillHall(t.ctx.game);
  Form9& f = openHall(t);
  const QString question = "[msgbox モフリンＧＰ|YesNo] 殿堂データを消すと二度と戻りません\r\nいいですか？";
  EXPECT_EQ(t.drive("answer No\nclick Form9.Command2\n"), QStringList{question + " -> No"});
  EXPECT_EQ(t.ctx.game.hallOfFame[20][0], "王者20");
  EXPECT_FALSE(QFile::exists(t.workingFile("kiro.txt")));

  EXPECT_EQ(t.drive("scroll Form9.Scroll1 5\nanswer Yes\nclick Form9.Command2\n"),
            (QStringList{question + " -> Yes", "[msgbox モフリンＧＰ|OK] 抹消しました。 -> OK (default)"}));
  EXPECT_EQ(readWorkingFile(t, "kiro.txt"), kiroBytes({}));
  for (int e = 1; e <= kHallOfFameEntries; ++e) EXPECT_EQ(t.ctx.game.hallOfFame[e], (std::array<QString, 3>{}));
  EXPECT_EQ(f.Label2.caption(), " 5代目チャンピオン　ＲＡＮＫ－－\r\n　　　　　");
  EXPECT_EQ(f.MA.picture().file, "hall_background.png");

  // Back at the title, a new game no longer offers the all-roster mode.
  t.drive("click Form9.Command1\nanswer Yes\nclick Form4.Command4\n");
  t.takeOutput();
  EXPECT_EQ(t.drive("click Form2.o1\n"), (QStringList{"[close Form2]", "[show Form3]"}));
}
