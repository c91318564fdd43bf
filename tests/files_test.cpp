#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include "QtPrinters.h"
#include "game/GameState.h"
#include "persist/Cp932.h"
#include "persist/HallOfFame.h"
#include "persist/SequentialFile.h"

using namespace mofurin;

namespace {

QByteArray sjis(const QString& text) { return encodeCp932(text); }

void write(const QString& path, const QByteArray& bytes) {
  QFile f(path);
  ASSERT_TRUE(f.open(QIODevice::WriteOnly));
  f.write(bytes);
}

QByteArray read(const QString& path) {
  QFile f(path);
  return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

}  // namespace

TEST(Cp932, TheGamesSpecialCharactersMapToTheirCodePageBytes) {
  EXPECT_EQ(encodeCp932(QString::fromUtf16(u"\uFF0D")), QByteArray("\x81\x7c"));
  EXPECT_EQ(encodeCp932(QString::fromUtf16(u"\u3000")), QByteArray("\x81\x40"));
  EXPECT_EQ(encodeCp932(QStringLiteral("？")), QByteArray("\x81\x48"));
  EXPECT_EQ(encodeCp932(QStringLiteral("\\")), QByteArray("\\"));
  EXPECT_EQ(encodeCp932(QStringLiteral("datﾌｧｲﾙ")), QByteArray("dat\xcc\xa7\xb2\xd9"));
}

TEST(Cp932, CharactersTheCodePageLacksBecomeQuestionMarks) {
  EXPECT_EQ(encodeCp932(QString::fromUtf16(u"a😀bé")), QByteArray("a?b?"));
}

TEST(Cp932, BrokenBytesDoNotSwallowTheTextAroundThem) {
  const QString text =
      decodeCp932(QByteArray("abc\x82\xff"
                             "def\xa0xyz"));
  EXPECT_TRUE(text.startsWith("abc"));
  EXPECT_TRUE(text.contains("def"));
  EXPECT_TRUE(text.endsWith("xyz"));
}

TEST(SequentialFile, WrittenRecordsReadBack) {
  SequentialWriter w;
  w.number(7).number(-263).endLine().text(QStringLiteral("春ウサギ, そして")).endLine().text(QString()).endLine();
  EXPECT_EQ(w.contents(), QStringLiteral("7,-263\r\n\"春ウサギ, そして\"\r\n\"\"\r\n"));
  SequentialReader r(decodeCp932(w.bytes()));
  EXPECT_EQ(r.readNumber(), 7.0);
  EXPECT_EQ(r.readNumber(), -263.0);
  EXPECT_EQ(r.readText(), QStringLiteral("春ウサギ, そして"));
  EXPECT_EQ(r.readText(), QString());
  EXPECT_TRUE(r.atEnd());
  EXPECT_FALSE(r.readText().has_value());
}

TEST(SequentialFile, ReadingIsLenientAboutSeparatorsButStrictAboutNumbers) {
  SequentialReader r(QStringLiteral("  \"a\" , b\nc\r\"d\",12 ,\"13\",x1\r\n"));
  EXPECT_EQ(r.readText(), "a");
  EXPECT_EQ(r.readText(), "b");
  EXPECT_EQ(r.readText(), "c");
  EXPECT_EQ(r.readText(), "d");
  EXPECT_EQ(r.readNumber(), 12.0);
  EXPECT_FALSE(r.readNumber().has_value());  // a quoted text is no number
  SequentialReader garbage(QStringLiteral("x1\r\n"));
  EXPECT_FALSE(garbage.readNumber().has_value());
}

TEST(SequentialFile, AnUnclosedQuoteTakesTheRestOfTheFile) {
  SequentialReader r(QStringLiteral("\"abc\r\ndef"));
  EXPECT_EQ(r.readText(), "abc\r\ndef");
  EXPECT_TRUE(r.atEnd());
}

TEST(SequentialFile, SavingReplacesTheWholeFile) {
  QTemporaryDir dir;
  const QString path = dir.filePath("x.txt");
  write(path, QByteArray(500, 'z'));
  SequentialWriter w;
  w.text("a").endLine();
  ASSERT_TRUE(w.saveTo(path));
  EXPECT_EQ(read(path), QByteArray("\"a\"\r\n"));
  EXPECT_FALSE(w.saveTo(dir.filePath("no/such/folder/x.txt")));
}

TEST(SequentialFile, AReplacementCutOffBeforeItsRenameLeavesThePreviousFile) {
  QTemporaryDir dir;
  const QString path = dir.filePath("game.dat");
  write(path, QByteArray("previous"));
  {
    FileReplacement replacement(path);
    ASSERT_TRUE(replacement.isOpen());
    // The program stops here: written, never renamed.
  }
  EXPECT_EQ(read(path), QByteArray("previous"));
  EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{"game.dat"});
}

class HallOfFameFile : public ::testing::Test {
 protected:
  QTemporaryDir dir;
  QString path = dir.filePath("kiro.txt");
  GameState game;
};

TEST_F(HallOfFameFile, AFirstRecordingWritesSixtyQuotedLines) {
  game.hallOfFame[1] = {QStringLiteral("ジャンヌ"), QStringLiteral("6"), QStringLiteral("Ａ")};
  ASSERT_TRUE(SaveHallOfFame(game, path));
  const QList<QByteArray> lines = read(path).split('\n');
  ASSERT_EQ(lines.size(), 61);  // 60 lines, each ended with CR LF
  EXPECT_EQ(lines[0], sjis(QStringLiteral("\"ジャンヌ\"\r")));
  EXPECT_EQ(lines[20], QByteArray("\"6\"\r"));
  EXPECT_EQ(lines[40], sjis(QStringLiteral("\"Ａ\"\r")));
  EXPECT_EQ(lines[1], QByteArray("\"\"\r"));
  EXPECT_EQ(lines[59], QByteArray("\"\"\r"));

  GameState loaded;
  LoadHallOfFame(loaded, path);
  EXPECT_EQ(loaded.hallOfFame, game.hallOfFame);
  EXPECT_TRUE(hallOfFameHasEntry(loaded));
}

TEST_F(HallOfFameFile, AMissingFileLeavesTheTableAsItWas) {
  game.hallOfFame[3][0] = "kept";
  LoadHallOfFame(game, dir.filePath("missing.txt"));
  EXPECT_EQ(game.hallOfFame[3][0], "kept");
  EXPECT_FALSE(hallOfFameHasEntry(game));
}

TEST_F(HallOfFameFile, AShortFileKeepsWhatWasRead) {
  write(path, sjis(QStringLiteral("\"ナミ\"\r\n\"ハルコ\"\r\n\"")));
  game.hallOfFame[5][0] = "older";
  LoadHallOfFame(game, path);
  EXPECT_EQ(game.hallOfFame[1][0], "ナミ");
  EXPECT_EQ(game.hallOfFame[2][0], "ハルコ");
  EXPECT_EQ(game.hallOfFame[3][0], "");  // the unclosed quote read as an empty text
  EXPECT_EQ(game.hallOfFame[5][0], "older");
}

TEST_F(HallOfFameFile, GarbageNeverBreaksTheReading) {
  QByteArray noise = sjis(QStringLiteral("\"ナミ\"\r\n\"ハルコ\"\r\n"));
  for (int i = 0; i < 4096; ++i) noise.append(char((i * 7919 + 13) & 0xff));
  write(path, noise);
  LoadHallOfFame(game, path);
  EXPECT_EQ(game.hallOfFame[1][0], "ナミ");  // what stands before the garbage is read
  EXPECT_EQ(game.hallOfFame[2][0], "ハルコ");
  write(path, QByteArray());
  GameState empty;
  LoadHallOfFame(empty, path);
  EXPECT_FALSE(hallOfFameHasEntry(empty));
}

// A number must be the whole field: digits followed by anything else are
// not a number, however close to one.
TEST(SequentialFile, ANumberFollowedByJunkIsNoNumber) {
  for (const QString& field : {QStringLiteral("12x"), QStringLiteral("12 3"), QStringLiteral("1E"), QStringLiteral("-"),
                               QStringLiteral("12\"")}) {
    SequentialReader r(field + QStringLiteral(",7\r\n"));
    EXPECT_FALSE(r.readNumber().has_value()) << field.toStdString();
  }
  SequentialReader exact(QStringLiteral("99999999,-0.5\r\n"));
  EXPECT_EQ(exact.readNumber(), 99999999.0);
  EXPECT_EQ(exact.readNumber(), -0.5);
}
