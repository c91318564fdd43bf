#include "QtPrinters.h"
#include "TestGame.h"
#include "game/Roster.h"
#include "persist/Cp932.h"
#include "persist/SaveFile.h"
#include "net/Protocol.h"

#include <functional>
#include <limits>

using namespace mofurin;
using namespace mofurin::test;

namespace {

constexpr Side P = Side::Player;

GameState sampleGame() {
  GameState g;
  g.levels[Side::Player] = 1;
  ApplyStartingData(g, 6);
  g.characterIndex[Side::Player] = 6;
  g.fighterName[Side::Player] = "ジャンヌ, 二世";
  g.fighterName[Side::Opponent] = "ダミー";
  g.levels[Side::Opponent] = 3;
  g.characterIndex[Side::Opponent] = 12;
  g.rankText = "？";
  g.money = 100;
  g.messageSpeed = 300;
  g.attackAnimation = 1;
  return g;
}

QStringList lines(const SequentialWriter& w) { return w.contents().split("\r\n"); }

}  // namespace

TEST(SaveFile, TheLayoutOfTheFirstLines) {
  const GameState g = sampleGame();
  const QStringList l = lines(*saveFileContents(g, 7));
  ASSERT_EQ(l.size(), 29);  // 28 lines and the end after the last CR LF
  EXPECT_EQ(l[0], "7,263");
  EXPECT_EQ(l[1], "700,175,0");
  EXPECT_EQ(l[5], "7,42");
  EXPECT_EQ(l[6], "21,84");
  EXPECT_EQ(l[16], "140,140,700,2100,7");
  EXPECT_EQ(l[17], "\"？\"");
  EXPECT_EQ(l[18], "\"ジャンヌ, 二世\"");
  EXPECT_EQ(l[20], "\"H--頭突き\"");
  EXPECT_EQ(l[27], "\"---NO DATA\"");
  EXPECT_TRUE(l[28].isEmpty());
}

TEST(SaveFile, WhatIsSavedComesBackExactly) {
  GameState g = sampleGame();
  g.wins = 12;
  g.losses = 3;
  g.bouts = 15;
  g.money = -17;  // never produced by the game, but kept
  const QString text = decodeCp932(saveFileContents(g, 13)->bytes());
  const std::optional<SavedGame> saved = parseSaveFile(text);
  ASSERT_TRUE(saved);
  EXPECT_TRUE(saved->passesIntegrityTest());
  GameState loaded;
  loaded.partHp(0, Side::Opponent) = 555;
  saved->applyTo(loaded);
  EXPECT_EQ(loaded.partHp.flat[0], g.partHp.flat[0]);
  EXPECT_EQ(loaded.partDefence(BodyPart::B, Side::Player), 25);
  EXPECT_EQ(loaded.techniqueNames(0, Side::Player), "H--頭突き");
  EXPECT_EQ(loaded.techniqueCosts(3, Side::Player), 10);
  EXPECT_EQ(loaded.fighterName[Side::Player], "ジャンヌ, 二世");
  EXPECT_EQ(loaded.money, -17);
  EXPECT_EQ(loaded.wins, 12);
  EXPECT_EQ(loaded.levels[Side::Opponent], 3);
  EXPECT_EQ(loaded.partHp(0, Side::Opponent), 555);  // not in the file: untouched
}

TEST(SaveFile, EditsThatBreakTheMultiplesOrTheChecksumAreCaught) {
  const GameState g = sampleGame();
  QStringList l = lines(*saveFileContents(g, 7));
  auto check = [&](int line, const QString& replacement) {
    QStringList edited = l;
    edited[line] = replacement;
    return parseSaveFile(edited.join("\r\n"))->passesIntegrityTest();
  };
  EXPECT_FALSE(check(16, "140,140,701,2100,7"));  // money + 1: not a multiple
  EXPECT_TRUE(check(16, "140,140,707,2100,7"));   // money + 7: outside the checksum
  EXPECT_FALSE(check(15, "7,0,0"));               // one more win changes the checksum
  EXPECT_TRUE(check(18, "\"別の名前\""));         // texts are not covered
}

TEST(SaveFile, ValuesTooLargeForTheFileAreNotWritten) {
  GameState g = sampleGame();
  g.money = 2000000000;
  EXPECT_FALSE(saveFileContents(g, 5).has_value());
  g.money = kValueCap;
  EXPECT_TRUE(saveFileContents(g, 17).has_value());
}

TEST(SaveFile, BrokenFilesAreNotReadAtAll) {
  const QString good = saveFileContents(sampleGame(), 7)->contents();
  EXPECT_TRUE(parseSaveFile(good + "\r\n\r\n").has_value());  // trailing blank lines are fine
  EXPECT_FALSE(parseSaveFile(good.left(good.size() / 2)).has_value());
  EXPECT_FALSE(parseSaveFile(QString(good).replace("7,263", "0,263")).has_value());
  EXPECT_FALSE(parseSaveFile(QString(good).replace("700,175,0", "\"700\",175,0")).has_value());
  EXPECT_FALSE(parseSaveFile(QString(good).replace("700,175,0", "70.5,175,0")).has_value());
  EXPECT_FALSE(parseSaveFile("").has_value());
  EXPECT_FALSE(parseSaveFile("garbage\r\n\x01\x02").has_value());
}

TEST(SaveFile, SavingAndLoadingThroughTheGame) {
  TestGame t;
  startWithRabbit(t);
  t.ctx.game.money = 777;
  const QString path = t.workingFile("game.dat");
  QStringList out = t.drive("file " + path + "\nclick Form4.SEVE\n");
  EXPECT_EQ(out, (QStringList{"[file save datﾌｧｲﾙ|*.dat] -> " + path,
                              "[msgbox モフリンＧＰ|OK] SAVEが終わりました。 -> OK (default)"}));
  out = t.drive("file cancel\nclick Form4.SEVE\n");
  EXPECT_EQ(out, (QStringList{"[file save datﾌｧｲﾙ|*.dat] -> cancel"}));

  TestGame u;
  u.writeWorkingFile("game.dat", [&] {
    QFile f(path);
    f.open(QIODevice::ReadOnly);
    return f.readAll();
  }());
  u.start();
  out = u.drive("file " + u.workingFile("game.dat") + "\nclick Form2.o2\nprint Form4.MOTIG\n");
  EXPECT_EQ(out.mid(1), (QStringList{"[file open datﾌｧｲﾙ |*.dat] -> " + u.workingFile("game.dat"), "[close Form2]",
                                     "[show Form4]", "Form4.MOTIG = 所持金　777\\"}));
  EXPECT_EQ(u.ctx.game.fighterName[Side::Player], "春ウサギ");
}

TEST(SaveFile, ALoadThatReadsNothingStaysOnTheTitle) {
  TestGame t;
  t.writeWorkingFile("short.dat", "7,263\r\n700,175");
  t.start();
  QStringList out = t.drive("file cancel\nclick Form2.o2\nscreens\n");
  EXPECT_EQ(out.mid(1), (QStringList{"[file open datﾌｧｲﾙ |*.dat] -> cancel", "screens = Form2"}));
  out = t.drive("file " + t.workingFile("short.dat") + "\nclick Form2.o2\nscreens\n");
  EXPECT_TRUE(out[1].startsWith("[msgbox モフリンＧＰ|OK] このファイルは読み込めませんでした。"));
  EXPECT_EQ(out.last(), "screens = Form2");
  EXPECT_EQ(t.ctx.game.partHp.flat[0], 0);
}

TEST(SaveFile, AFileThatFailsTheIntegrityTestEndsTheGame) {
  TestGame t;
  QString text = saveFileContents(sampleGame(), 7)->contents();
  text.replace("140,140,700,2100,7", "140,140,701,2100,7");
  t.writeWorkingFile("bad.dat", encodeCp932(text));
  t.start();
  const QStringList out = t.drive("file " + t.workingFile("bad.dat") + "\nclick Form2.o2\nscreens\n");
  EXPECT_EQ(
      out.mid(2),
      (QStringList{
          "[msgbox モフリンＧＰ|OK] パスワードが変造されています！\r\nプログラムが強制終了されます！！ -> OK (default)",
          "[end]"}));
  EXPECT_TRUE(t.ctx.ended());
}

TEST(SaveFile, TheExampleGameIsWrittenByteForByte) {
  GameState g;
  const int hp[] = {100, 80, 58, 131}, attack[] = {25, 78, 62, 88}, defence[] = {0, 35, 42, 25};
  for (int p = 0; p < kPartCount; ++p) {
    g.partHp(p, Side::Player) = hp[p];
    g.partAttack(p, Side::Player) = attack[p];
    g.partDefence(p, Side::Player) = defence[p];
  }
  g.levels = {{1, 3}};
  g.characterIndex = {{6, 12}};
  const char16_t* techniques[] = {u"H--頭突き", u"A--ストレートパンチ", u"L--足払い"};
  const int costs[] = {7, 6, 3};
  for (int s = 0; s < kSlotCount; ++s) {
    g.techniqueNames(s, Side::Player) = s < 3 ? QString::fromUtf16(techniques[s]) : QStringLiteral("---NO DATA");
    g.techniqueCosts(s, Side::Player) = s < 3 ? costs[s] : 0;
  }
  g.lifeForce = g.lifeForceMax = 20;
  g.money = 100;
  g.messageSpeed = 300;
  g.attackAnimation = 1;
  g.rankText = "？";
  g.fighterName = {{"ジャンヌ", "ダミー"}};
  // Written by hand: the checksum 100 + 7 + 58 + 78 + 0 + 0 + 20 = 263, and
  // every number seven times its value.
  const QString expected =
      "7,263\r\n700,175,0\r\n560,546,245\r\n406,434,294\r\n917,616,175\r\n7,42\r\n21,84\r\n"
      "49\r\n42\r\n21\r\n0\r\n0\r\n0\r\n0\r\n0\r\n0,0,0\r\n140,140,700,2100,7\r\n"
      "\"？\"\r\n\"ジャンヌ\"\r\n\"ダミー\"\r\n\"H--頭突き\"\r\n\"A--ストレートパンチ\"\r\n\"L--足払い\"\r\n"
      "\"---NO DATA\"\r\n\"---NO DATA\"\r\n\"---NO DATA\"\r\n\"---NO DATA\"\r\n\"---NO DATA\"\r\n";
  EXPECT_EQ(saveFileContents(g, 7)->bytes(), encodeCp932(expected));
}

// A fighter's values cross the link in nine characters each. A file edited
// to hold one that cannot (technique costs lie outside the checksum) is not
// loaded, whatever field holds it; every value that can is read back on
// the other machine as it was written, down to the smallest and up to the
// largest a file may hold.
TEST(SaveFile, AValueTheLinkCannotWriteWholeIsNotLoaded) {
  using Field = std::function<qint32&(GameState&, Side)>;
  std::vector<std::pair<std::string, Field>> fields = {{"level", [](GameState& g, Side s) -> qint32& { return g.levels[s]; }}};
  for (int p = 0; p < kPartCount; ++p) {
    fields.push_back({"hp " + std::to_string(p), [p](GameState& g, Side s) -> qint32& { return g.partHp(p, s); }});
    fields.push_back({"attack " + std::to_string(p), [p](GameState& g, Side s) -> qint32& { return g.partAttack(p, s); }});
    fields.push_back({"defence " + std::to_string(p), [p](GameState& g, Side s) -> qint32& { return g.partDefence(p, s); }});
  }
  for (int s = 0; s < kSlotCount; ++s) {
    fields.push_back({"cost " + std::to_string(s), [slot = s](GameState& g, Side side) -> qint32& { return g.techniqueCosts(slot, side); }});
  }
  const qint32 values[] = {std::numeric_limits<qint32>::min(), -100000000, -99999999, 999999999, 1000000000,
                           std::numeric_limits<qint32>::max()};
  int loaded = 0, refused = 0;
  for (const auto& [name, field] : fields) {
    for (const qint32 value : values) {
      GameState g = sampleGame();
      field(g, P) = value;
      const auto contents = saveFileContents(g, 7);
      if (!contents) continue;  // the file itself cannot hold it
      TestGame t;
      t.writeWorkingFile("edited.dat", encodeCp932(contents->contents()));
      t.start();
      const QStringList out = t.drive("file " + t.workingFile("edited.dat") + "\nclick Form2.o2\nscreens\n");
      const bool fits = value >= -99999999 && value <= 999999999;
      SCOPED_TRACE(name + " = " + std::to_string(value));
      if (!fits) {
        ++refused;
        EXPECT_TRUE(out.join('\n').contains(QStringLiteral("大きすぎるか小さすぎる数があります")));
        EXPECT_EQ(out.last(), "screens = Form2");
        EXPECT_EQ(t.ctx.game.levels[P], 0);
        continue;
      }
      ++loaded;
      EXPECT_TRUE(out.last().startsWith("screens = Form4"));
      GameState received;
      for (int number = 0; number <= 9; ++number) storeSetup(readSetupHeader(setupMessage(number, t.ctx.game)), received);
      EXPECT_EQ(field(received, Side::Opponent), value) << "as the other machine reads it";
    }
  }
  EXPECT_GT(loaded, 0);
  EXPECT_GT(refused, 0);
}
