// Whole tournaments played by AUTO through the real driver binary, a step at
// a time over its standard input, answering every box with its default.

#include <gtest/gtest.h>

#include <QRegularExpression>
#include <QTemporaryDir>

#include "DriverSession.h"
#include "QtPrinters.h"

#ifndef MOFURIN_TOURNAMENTS
#define MOFURIN_TOURNAMENTS 4
#endif

using namespace mofurin::test;

namespace {

struct Record {
  int bouts = -1, wins = -1, losses = -1;
};

Record readRecord(const QStringList& lines) {
  static const QRegularExpression pattern(
      QStringLiteral(R"(^Form4\.WINNER = 登板数 (\d+)\\r\\n白星    (\d+)/\d+\\r\\n黒星    (\d+)$)"));
  Record r;
  for (const QString& line : lines) {
    if (const auto m = pattern.match(line); m.hasMatch()) {
      r = {m.captured(1).toInt(), m.captured(2).toInt(), m.captured(3).toInt()};
    }
  }
  return r;
}

// The four part HP the hub's status shows ("残りHP　100" …).
QStringList hitPointsShown(const QStringList& lines) {
  static const QRegularExpression hp(QStringLiteral("残りHP　(-?\\d+)"));
  QStringList values;
  for (const QString& line : lines) {
    if (!line.startsWith(u"Form4.MYST = ")) continue;
    for (auto it = hp.globalMatch(line); it.hasNext();) values << it.next().captured(1);
  }
  return values;
}

// Plays one tournament from a new game; false when something went wrong.
void playTournament(int seed) {
  QTemporaryDir dir;
  DriverSession driver(dir.path());
  QStringList out = driver.send({QStringLiteral("seed %1").arg(seed), "click Form2.o1", "key Form3 49",
                                 "click Form3.Command1", "print Form4.MYST"});
  ASSERT_TRUE(shown(out, "Form4")) << out.join('\n').toStdString();
  const QStringList hitPoints = hitPointsShown(out);
  ASSERT_EQ(hitPoints.size(), 4);
  const QStringList autoTurns(30, QStringLiteral("click Form1.Command1"));
  for (int bout = 0; bout < 200; ++bout) {
    out = driver.send(QStringList{"click Form4.BATTLE"} + autoTurns);
    // A long bout may use up its AUTO turns: the key A gives more.
    for (int step = 0; step < 100 && shown(out, "Form1"); ++step) {
      out = driver.send({"wait 60000"});
      if (shown(out, "Form1")) out = driver.send({"key Form1 65", "key Form1 65", "key Form1 65"});
    }
    if (out.last() == u"[end]") return;  // game over, after its four boxes
    ASSERT_TRUE(out.last().startsWith(u"screens = ")) << "seed " << seed << ": " << out.join('\n').toStdString();
    // A new technique is declined; the story is read and closed.
    if (shown(out, "Form6")) out = driver.send({"answer Yes", "click Form6.No"});
    if (shown(out, "Form7")) out = driver.send({"click Form7.Command1"});
    out = driver.send({"print Form4.WINNER", "print Form4.MYST"});
    ASSERT_TRUE(shown(out, "Form4")) << "seed " << seed << ": " << out.join('\n').toStdString();
    const Record r = readRecord(out);
    ASSERT_EQ(r.bouts, r.wins + r.losses) << "seed " << seed << " bout " << bout;
    ASSERT_EQ(hitPointsShown(out), hitPoints) << "seed " << seed << " bout " << bout;
    if (r.wins - r.losses >= 40) return;
  }
  FAIL() << "seed " << seed << ": the tournament never ended";
}

}  // namespace

TEST(Tournament, WholeTournamentsByAutoThroughTheDriver) {
  for (int seed = 1; seed <= MOFURIN_TOURNAMENTS; ++seed) {
    playTournament(seed);
    if (HasFatalFailure()) return;
  }
}
