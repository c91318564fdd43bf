// Faults found in review, each pinned where a player or a file would meet it.

#include <QDir>
#include <QFile>

#include "QtPrinters.h"
#include "TestGame.h"
#include "game/Roster.h"
#include "game/Techniques.h"
#include "persist/Cp932.h"
#include "persist/SaveFile.h"

using namespace mofurin;
using namespace mofurin::test;

namespace {

GameState savedRabbit() {
  GameState g;
  g.levels[Side::Player] = 1;
  ApplyStartingData(g, 3);
  g.fighterName[Side::Player] = "春ウサギ";
  g.rankText = "？";
  return g;
}

// Loads bytes as a save file from the title; returns what the driver printed.
QStringList loadBytes(TestGame& t, const QByteArray& bytes) {
  t.writeWorkingFile("x.dat", bytes);
  return t.drive("file " + t.workingFile("x.dat") + "\nclick Form2.o2\nscreens\n");
}

bool unreadable(const QStringList& out) {
  return out.size() >= 2 && out[out.size() - 2].contains("このファイルは読み込めませんでした。") &&
         out.last() == "screens = Form2";
}

}  // namespace

TEST(Faults, NamesWithCharactersTheFilesCannotHoldAreRefusedOnBothScreens) {
  for (const QString& name : {QStringLiteral("ナミ😀"), QStringLiteral("é")}) {
    TestGame t;
    t.start();
    QStringList out = t.drive("click Form2.o1\nkey Form3 49\ntype Form3.Text1 " + name + "\nclick Form3.Command1\n");
    EXPECT_TRUE(out.last().startsWith("[msgbox モフリンＧＰ|OK] 名前に使えない文字が入っています。"))
        << name.toStdString();
    EXPECT_TRUE(t.ctx.forms.isShown("Form3"));

    TestGame u;
    u.writeWorkingFile("kiro.txt", "\"x\"\r\n");
    u.start();
    out = u.drive("answer Yes\nclick Form2.o1\ntype Form8.Text1 " + name + "\nclick Form8.Command3\n");
    EXPECT_TRUE(out.last().startsWith("[msgbox モフリンＧＰ|OK] 名前に使えない文字が入っています。"))
        << name.toStdString();
    EXPECT_TRUE(u.ctx.forms.isShown("Form8"));
    EXPECT_EQ(u.ctx.game.lifeForceMax, 0);  // no fighter was taken
  }
}

TEST(Faults, SaveFilesWithNumbersThatAreNotWhole32BitValuesAreUnreadable) {
  const QString good = saveFileContents(savedRabbit(), 7)->contents();
  const QString firstData = good.split("\r\n")[1];
  for (const char* bad : {"inf", "nan", "1e300", "-1e300", "-inf"}) {
    TestGame t;
    t.start();
    QString text = good;
    text.replace(firstData, QString(bad) + firstData.mid(firstData.indexOf(',')));
    EXPECT_TRUE(unreadable(loadBytes(t, encodeCp932(text)))) << bad;
  }
  const QString firstLine = good.split("\r\n")[0];  // "7,<sum>"
  const qint64 sum = firstLine.mid(2).toLongLong();
  for (const QString& line :
       {QStringLiteral("7,%1.9").arg(sum), QStringLiteral("7,99999999999"), QStringLiteral("7.5,%1").arg(sum)}) {
    TestGame t;
    t.start();
    const QStringList out = loadBytes(t, encodeCp932(QString(good).replace(firstLine, line)));
    EXPECT_TRUE(unreadable(out)) << line.toStdString();  // never the tampering end
    EXPECT_FALSE(t.ctx.ended());
  }
}

TEST(Faults, SaveFilesThatAreNotCodePage932OrHaveHugeLinesAreUnreadable) {
  const QByteArray good = saveFileContents(savedRabbit(), 7)->bytes();
  const QByteArray name = encodeCp932("春ウサギ");
  const QList<QByteArray> strangers{"\xFF", "\x80", "\xA0", "\xFD", "\x82", "\x82\x20"};
  for (const QByteArray& stranger : strangers) {
    TestGame t;
    t.start();
    EXPECT_TRUE(unreadable(loadBytes(t, QByteArray(good).replace(name, name + stranger))))
        << stranger.toHex().toStdString();
    EXPECT_TRUE(t.ctx.game.fighterName[Side::Player].isEmpty());
  }
  TestGame t;
  t.start();
  EXPECT_TRUE(unreadable(loadBytes(t, QByteArray(good).replace(name, QByteArray(5000, 'a')))));
  TestGame u;
  u.start();
  const QStringList out = loadBytes(u, good);  // the untouched file still loads
  EXPECT_EQ(out.last(), "screens = Form4 Form11(hidden)");
}

TEST(Faults, ASaveWhoseFileCannotBeCreatedDrawsNoKey) {
  TestGame t;
  startWithRabbit(t);
  t.ctx.random.queue(0.5f);
  const QStringList out = t.drive("file " + t.workingFile("no/such/folder/x.dat") + "\nclick Form4.SEVE\n");
  EXPECT_TRUE(out.last().contains("SAVEできませんでした")) << out.join('\n').toStdString();
  EXPECT_EQ(t.ctx.random.queuedCount(), 1u);
}

TEST(Faults, OneLineBoxesHoldNoLineBreaks) {
  TestGame t;
  t.start();
  t.drive("click Form2.o1\nkey Form3 49\n");
  EXPECT_EQ(t.drive("type Form3.Text1 a\\r\\nb\\nc\nprint Form3.Text1\n"), (QStringList{"Form3.Text1 = abc"}));
}

TEST(Faults, TheDriverPrintsAQuestionMarkAndSaysWhenAKeyCannotBeUsed) {
  TestGame t;
  t.start();
  t.drive("click Form2.o1\nkey Form3 49\n");
  EXPECT_EQ(t.drive("type Form3.Text1 ?\nprint Form3.Text1\n"), (QStringList{"Form3.Text1 = ?"}));
  t.ctx.forms.find("Form3")->findWidget("Text1", -1)->setEnabled(false);
  EXPECT_EQ(t.drive("key Form3.Text1 49\n"), (QStringList{"[not usable Form3.Text1]"}));
}

TEST(Faults, TheDriverPressesAWindowsCloseBox) {
  TestGame t;
  startWithRabbit(t);
  t.drive("click Form4.HPUP\n");
  EXPECT_EQ(t.drive("close Form4\nclose Form5\nscreens\n"),
            (QStringList{"[not usable Form4]", "[close Form5]", "screens = Form4 Form11(hidden)"}));
  int status = 0;
  t.drive("close Form4.HPUP\n", &status);
  EXPECT_EQ(status, 2);
  EXPECT_EQ(t.drive("close Form4\n"), (QStringList{"[close Form4]", "[end]"}));
}

TEST(Faults, TechniqueCodesOutsideTheTableAreTheirOwnClass) {
  EXPECT_EQ(techniqueClass("H--a"), TechniqueClass::Plain);
  EXPECT_EQ(techniqueClass("HR-a"), TechniqueClass::Repeat);
  EXPECT_EQ(techniqueClass("H-Sa"), TechniqueClass::Special);
  EXPECT_EQ(techniqueClass("HXYa"), TechniqueClass::Unknown);
  EXPECT_EQ(techniqueClass("H"), TechniqueClass::Unknown);
  EXPECT_EQ(techniquePart("Z--a"), -1);
  EXPECT_EQ(techniquePart("B--a"), 3);
}

TEST(Faults, ASaveThatCannotBeWrittenKeepsTheOldFileAndSaysSo) {
  TestGame t;
  startWithRabbit(t);
  const QString path = t.workingFile("old.dat");
  t.writeWorkingFile("old.dat", "the previous save");
  // Scaled by any key of 5 to 17, this money no longer fits 32 bits.
  t.ctx.game.money = 500000000;
  const QStringList out = t.drive("file " + path + "\nclick Form4.SEVE\n");
  EXPECT_TRUE(out.last().startsWith("[msgbox モフリンＧＰ|OK] SAVEできませんでした。")) << out.join('\n').toStdString();
  QFile file(path);
  ASSERT_TRUE(file.open(QIODevice::ReadOnly));
  EXPECT_EQ(file.readAll(), QByteArray("the previous save"));
  EXPECT_EQ(QDir(t.workingFile("")).entryList(QDir::Files), QStringList{"old.dat"});  // no temporary file left
}
