// Bout records and replays: live bouts against their replays, broken files,
// and the keeping of the replays folder.

#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QCryptographicHash>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QRandomGenerator>
#include <QStandardPaths>
#include <QTemporaryDir>

#include "DriverSession.h"
#include "QtPrinters.h"
#include "TestGame.h"
#include "battle/BoutRecord.h"
#include "game/Roster.h"
#include "persist/KeptFiles.h"
#include "persist/SaveFile.h"
#include "screens/BattleScreen.h"
#include "screens/Hub.h"
#include "screens/Learning.h"
#include "screens/Replays.h"
#include "screens/Story.h"
#include "screens/Title.h"

using namespace mofurin;
using namespace mofurin::test;

namespace {

// What the battle screen shows after every step of the engine: messages,
// names and levels, hit points, strengths, rounds.
void watchTexts(Form1& f, QStringList& seen) {
  auto tick = f.Timer3.onTimer;
  f.Timer3.onTimer = [&f, &seen, tick] {
    tick();
    seen << f.MSG.caption() + u'|' + f.HITP[0].caption() + u'|' + f.HITP[1].caption() + u'|' + f.NAMAE[0].caption() +
                u'|' + f.NAMAE[1].caption() + u'|' + f.ZYOU[0].text() + u'|' + f.ZYOU[1].text() + u'|' +
                f.Label2.caption();
  };
}

// The events a bout's watcher hears and reads in boxes.
QStringList boxesAndHits(const QStringList& out) {
  QStringList kept;
  for (const QString& line : out) {
    if (line.startsWith(u"[msgbox") || line.startsWith(u"[sound]")) kept << line;
  }
  return kept;
}

QStringList replayFiles(const QString& folder) {
  return QDir(folder + QStringLiteral("/replays"))
      .entryList({QStringLiteral("*.replay")}, QDir::Files, QDir::Time | QDir::Reversed);
}

// Everything of the game a save file keeps, with one key.
QByteArray savedBytes(const GameState& g) { return saveFileContents(g, 5)->bytes(); }

struct Bout {
  QStringList texts;
  QStringList events;
};

// One AUTO bout from the hub; back on the hub afterwards (or the game over).
Bout playAutoBout(TestGame& t, const QString& button, int seed) {
  Bout bout;
  t.drive(QStringLiteral("seed %1\nclick Form4.%2").arg(seed).arg(button));
  Form1* battle = t.screen<Form1>();
  if (!battle) return bout;
  watchTexts(*battle, bout.texts);
  QStringList out = t.drive(QStringLiteral("click Form1.Command1\n").repeated(30) + QStringLiteral("wait 60000"));
  for (int step = 0; step < 100 && t.screen<Form1>() && !t.ctx.ended(); ++step) {
    out += t.drive(QStringLiteral("key Form1 65\nkey Form1 65\nkey Form1 65\nwait 60000"));
  }
  bout.events = boxesAndHits(out);
  if (t.screen<Form6>()) t.drive("answer Yes\nclick Form6.No");
  if (t.screen<Form7>()) t.drive("click Form7.Command1");
  return bout;
}

Bout replay(TestGame& t, const QString& file, const QString& backTo) {
  Bout bout;
  QStringList out = t.drive(QStringLiteral("replay ") + file);
  if (Form1* battle = t.screen<Form1>()) watchTexts(*battle, bout.texts);
  out += t.drive(QStringLiteral("until %1 7200000").arg(backTo));
  bout.events = boxesAndHits(out);
  return bout;
}

}  // namespace

// Many seeds, tournament and training: the replay of each record shows the
// same texts after every step, the same boxes and hits, ends the same way,
// and leaves the player's game as it was.
TEST(Replays, AutoBoutsReplayExactlyAndChangeNothing) {
  auto t = std::make_unique<TestGame>();
  startWithRabbit(*t);
  for (int bout = 0; bout < 200; ++bout) {
    const QString button = bout % 3 == 2 ? QStringLiteral("TRAI") : QStringLiteral("BATTLE");
    const QString folder = t->workingFile(QString());
    const QStringList earlier = replayFiles(folder);
    const Bout live = playAutoBout(*t, button, 1000 + bout);
    ASSERT_FALSE(live.texts.isEmpty()) << "bout " << bout;
    const QStringList files = replayFiles(folder);
    // The bout's own record: bouts in virtual time may end within the same
    // millisecond, so the newest by time could be another.
    QStringList added = files;
    for (const QString& f : earlier) added.removeOne(f);
    ASSERT_EQ(added.size(), 1) << "bout " << bout;
    std::unique_ptr<TestGame> played;
    if (t->ctx.ended()) {  // game over: its record is watched in a new game
      played = std::move(t);
      t = std::make_unique<TestGame>();
      startWithRabbit(*t);
    }
    ASSERT_TRUE(t->screen<Form4>()) << "bout " << bout;
    const QByteArray before = savedBytes(t->ctx.game);

    const Bout replayed = replay(*t, folder + QStringLiteral("/replays/") + added.first(), QStringLiteral("Form4"));
    ASSERT_EQ(replayed.texts, live.texts) << "bout " << bout;
    ASSERT_EQ(replayed.events, live.events) << "bout " << bout;
    ASSERT_EQ(savedBytes(t->ctx.game), before) << "bout " << bout;
    ASSERT_EQ(replayFiles(t->workingFile(QString())).size(), played ? 0 : files.size()) << "a replay is not recorded";
  }
}

// In real windows the cosmetic draws follow the real timers; the record
// keeps only the rules' draws, so the bout replays headless all the same.
TEST(Replays, ABoutInRealWindowsReplaysHeadless) {
  QTemporaryDir dir;
  QStringList live;
  {
    DriverSession driver(dir.path(), {QStringLiteral("--qt"), QStringLiteral("--mute")});
    driver.send({"seed 5", "click Form2.o1", "key Form3 49", "click Form3.Command1", "scroll Form4.SPEED 1",
                 "click Form4.TRAI"});
    live = driver.send(QStringList(30, QStringLiteral("click Form1.Command1")) + QStringList{"until Form4 120000"});
    ASSERT_TRUE(shown(live, "Form4")) << live.join('\n').toStdString();
  }
  const QStringList files = replayFiles(dir.path());
  ASSERT_EQ(files.size(), 1);
  TestGame t;
  t.start();
  const Bout replayed = replay(t, dir.path() + QStringLiteral("/replays/") + files[0], QStringLiteral("Form2"));
  EXPECT_EQ(replayed.events, boxesAndHits(live));
  EXPECT_TRUE(t.screen<Form2>());
}

namespace {

BoutRecord sampleRecord() {
  GameState g;
  ApplyStartingData(g, 3);
  g.fighterName[Side::Player] = QStringLiteral("a b\\c\r\nd");  // a peer may send any name
  g.fighterName[Side::Opponent] = QStringLiteral("ダミー");
  g.messageSpeed = 1;
  g.battleKind = kTrainingOrNetworkBout;
  BattleState b;
  BoutRecord r = BoutRecord::opening(g, b, false);
  r.events = {DrawEvent{Draw::Auto, 0.999999940f},
              ChoiceEvent{Side::Player, Chooser::Auto, 7},
              DrawEvent{Draw::Damage, 0.1f},
              ChoiceEvent{Side::Opponent, Chooser::Computer, kBeatenMark},
              PeerStrikeEvent{-5, 9, 3},
              FleeEvent{Side::Opponent},
              LinkLostEvent{}};
  r.ending = Ending::Fled;
  return r;
}

bool refused(const QByteArray& bytes) { return std::holds_alternative<RecordProblem>(readBoutRecord(bytes)); }

}  // namespace

TEST(BoutRecords, WriteAndReadBackEveryItemExactly) {
  const BoutRecord r = sampleRecord();
  const QByteArray bytes = writeBoutRecord(r);
  const auto read = readBoutRecord(bytes);
  ASSERT_TRUE(std::holds_alternative<BoutRecord>(read)) << std::get<RecordProblem>(read).reason.toStdString();
  EXPECT_TRUE(std::get<BoutRecord>(read) == r);
}

TEST(BoutRecords, BrokenFilesAreRefusedWithTheirLine) {
  const QByteArray good = writeBoutRecord(sampleRecord());
  for (qsizetype size = 0; size < good.size(); ++size) ASSERT_TRUE(refused(good.left(size))) << size;
  // Any digit changed anywhere.
  for (qsizetype at = 0; at < good.size(); ++at) {
    if (!std::isdigit(static_cast<unsigned char>(good[at]))) continue;
    QByteArray changed = good;
    changed[at] = good[at] == '9' ? '0' : good[at] + 1;
    ASSERT_TRUE(refused(changed)) << at;
  }
  // A draw spelt otherwise than its shortest form (a digit more, read as the
  // same value), with its sum made right.
  QByteArray longer = good.left(good.indexOf("\nsum ") + 1);
  const qsizetype drawEnd = longer.indexOf('\n', longer.indexOf("\ndraw auto ") + 1);
  longer.insert(drawEnd, "1");
  longer += "sum " + QCryptographicHash::hash(longer, QCryptographicHash::Sha256).toHex().left(16) + "\n";
  const auto spelt = readBoutRecord(longer);
  ASSERT_TRUE(std::holds_alternative<RecordProblem>(spelt));
  EXPECT_TRUE(std::get<RecordProblem>(spelt).reason.contains(QStringLiteral("乱数")));
  QByteArray newer = good;
  newer.replace("mofurin-bout-record 1", "mofurin-bout-record 2");
  const auto problem = std::get<RecordProblem>(readBoutRecord(newer));
  EXPECT_EQ(problem.line, 1);
  EXPECT_TRUE(problem.reason.contains(QStringLiteral("新しい版"))) << problem.reason.toStdString();
  for (int i = 0; i < 200; ++i) {
    QByteArray noise(QRandomGenerator::global()->bounded(1, 4000), '\0');
    for (char& c : noise) c = static_cast<char>(QRandomGenerator::global()->bounded(256));
    ASSERT_TRUE(refused(noise));
  }
}

// The list shows each playable kept record, newest first, by when, who,
// the kind of bout and its end; a broken file is left out, and one chosen
// through the file dialog leaves the title as it was.
TEST(Replays, TheListShowsTheKeptRecordsAndABrokenFileChangesNothing) {
  TestGame t;
  t.start();
  QDir().mkpath(t.workingFile("replays"));
  BoutRecord older = sampleRecord();
  older.battleKind = 1;
  older.ending = Ending::Won;
  t.writeWorkingFile("replays/20261206-081500 x vs y.replay", writeBoutRecord(older));
  BoutRecord playerFled = sampleRecord();
  for (BoutEvent& e : playerFled.events) {
    if (std::holds_alternative<FleeEvent>(e)) e = FleeEvent{Side::Player};
  }
  t.writeWorkingFile("replays/20261205-120000 x vs y.replay", writeBoutRecord(playerFled));
  t.writeWorkingFile("replays/20261207-192000 x vs y.replay", writeBoutRecord(sampleRecord()));
  t.writeWorkingFile("replays/20261208-000000 broken.replay", writeBoutRecord(sampleRecord()).left(300));
  t.takeOutput();
  EXPECT_EQ(t.drive("click Form2.mnuReplay\nprint FormReplays.List1.items\nprint Form2.enabled\n"),
            (QStringList{"[show FormReplays]",
                         "FormReplays.List1.items = 2026/12/07 19:20　a b\\c d　対　ダミー　練習　相手が逃亡|"
                         "2026/12/06 08:15　a b\\c d　対　ダミー　大会　勝ち|"
                         "2026/12/05 12:00　a b\\c d　対　ダミー　練習　あなたが逃亡",
                         "Form2.enabled = false"}));
  const QStringList out = t.drive(QStringLiteral("file %1\nclick FormReplays.Command2\nscreens")
                                      .arg(t.workingFile("replays/20261208-000000 broken.replay")));
  ASSERT_EQ(out.size(), 3) << out.join('\n').toStdString();
  EXPECT_TRUE(out[1].contains(QStringLiteral("このリプレイは再生できません。") + newLine +
                              QStringLiteral("ファイルが途中で切れています（19 行目）")))
      << out[1].toStdString();
  EXPECT_EQ(out[2], QStringLiteral("screens = Form2 FormReplays"));
  EXPECT_EQ(t.drive("key FormReplays 27\nprint Form2.enabled\n"),
            (QStringList{"[close FormReplays]", "Form2.enabled = true"}));
}

// The replays folder keeps the newest hundred; a folder that cannot be
// written costs nothing and says nothing.
TEST(Replays, TheNewestHundredAreKeptAndAFailedWriteIsSilent) {
  TestGame t;
  const BoutRecord r = sampleRecord();
  std::optional<QString> last;
  // Each record a minute newer than the one before it, as records of real
  // bouts are (a file's time is only as fine as the file system keeps it).
  const QDateTime start = QDateTime::currentDateTime().addDays(-1);
  for (int i = 0; i < kKeptReplays + 5; ++i) {
    last = keepBoutRecord(t.ctx, r);
    ASSERT_TRUE(last);
    QFile file(*last);
    ASSERT_TRUE(file.open(QIODevice::ReadWrite));
    file.setFileTime(start.addSecs(60 * i), QFileDevice::FileModificationTime);
  }
  const QStringList files = replayFiles(t.workingFile(QString()));
  EXPECT_EQ(files.size(), kKeptReplays);
  ASSERT_TRUE(last);
  EXPECT_EQ(files.last(), QFileInfo(*last).fileName());
  EXPECT_FALSE(QFileInfo(*last).fileName().contains(u'\n'));

  TestGame blocked;
  blocked.writeWorkingFile("replays", "a file where the folder should be");
  EXPECT_FALSE(keepBoutRecord(blocked.ctx, r));
  EXPECT_TRUE(blocked.takeOutput().isEmpty());
}

// A second record of the same name is numbered, whatever the name holds.
// Whatever a fighter is called (a peer may send any name), its record is
// written under a name every file system takes, each refused character
// standing as "_", on either side.
TEST(Replays, EveryCharacterAFileNameCannotHoldIsReplacedInEitherFightersName) {
  TestGame t;
  for (const QChar refused : QStringLiteral("/\\:*?\"<>|\n\r\t\x01")) {
    for (const Side side : {Side::Player, Side::Opponent}) {
      BoutRecord r = sampleRecord();
      r.fighters[side].name = QStringLiteral("a") + refused + QStringLiteral("b");
      const std::optional<QString> kept = keepBoutRecord(t.ctx, r);
      ASSERT_TRUE(kept) << int(refused.unicode());
      EXPECT_TRUE(QFileInfo(*kept).fileName().contains(QStringLiteral("a_b"))) << int(refused.unicode());
      EXPECT_EQ(QFileInfo(*kept).absolutePath(), QFileInfo(t.workingFile("replays")).absoluteFilePath());
    }
  }
}

// Two records kept into a full replays folder, the first of this game and a
// later one, each between two marks a tracer of file-status calls sees. Run
// in a process of its own (the test below starts it under strace).
constexpr char kStatusMark[] = "/mofurin-file-status-mark";
TEST(Replays, KeepTwoRecordsInAFullFolderUnderATracer) {
  if (!qEnvironmentVariableIsSet("MOFURIN_STAT_CHILD")) GTEST_SKIP() << "started by the test below";
  TestGame t;
  ASSERT_TRUE(QDir().mkpath(t.workingFile("replays")));
  for (int i = 0; i < kKeptReplays; ++i) {
    QFile old(t.workingFile(QStringLiteral("replays/20240101-%1 a vs b.replay").arg(i, 6, 10, QChar(u'0'))));
    ASSERT_TRUE(old.open(QIODevice::WriteOnly));
  }
  const BoutRecord r = sampleRecord();
  for (int kept = 0; kept < 2; ++kept) {
    ::access(kStatusMark, F_OK);
    ASSERT_TRUE(keepBoutRecord(t.ctx, r));
  }
  ::access(kStatusMark, F_OK);
}

// However full the replays folder, keeping a record asks the file system
// about few files, the game's first record (which lists the folder) too.
TEST(Replays, KeepingARecordInAFullFolderCostsFewFileStatusCalls) {
  const QString strace = QStandardPaths::findExecutable(QStringLiteral("strace"));
  if (strace.isEmpty()) GTEST_SKIP() << "strace is not installed";
  QTemporaryDir dir;
  const QString trace = dir.filePath(QStringLiteral("trace"));
  QProcess child;
  QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
  env.insert("MOFURIN_STAT_CHILD", "1");
  // The leak checker of a sanitized build stops the process by tracing it,
  // which a process already traced cannot allow.
  env.insert("ASAN_OPTIONS", env.value("ASAN_OPTIONS") + QStringLiteral(":detect_leaks=0"));
  child.setProcessEnvironment(env);
  child.start(strace, {"-f", "-qq", "-o", trace, "-e", "trace=stat,lstat,newfstatat,statx,access,faccessat,faccessat2",
                       QFile::symLinkTarget(QStringLiteral("/proc/self/exe")),
                       "--gtest_filter=Replays.KeepTwoRecordsInAFullFolderUnderATracer"});
  ASSERT_TRUE(child.waitForFinished(60000));
  ASSERT_EQ(child.exitCode(), 0) << child.readAllStandardError().toStdString();
  QFile traced(trace);
  ASSERT_TRUE(traced.open(QIODevice::ReadOnly));
  std::vector<int> calls;  // between one mark and the next
  for (const QByteArray& line : traced.readAll().split('\n')) {
    if (line.contains(kStatusMark)) {
      calls.push_back(0);
    } else if (!calls.empty() && !line.isEmpty() && !line.contains("resumed>")) {
      ++calls.back();
    }
  }
  ASSERT_EQ(calls.size(), 3u);
  EXPECT_LE(calls[0], 20) << "the game's first record";
  EXPECT_LE(calls[1], 20) << "a later record";
}

TEST(Replays, ASecondRecordOfOneNameIsNumberedEvenWhenTheNameHoldsAPercentSign) {
  QTemporaryDir dir;
  KeptFiles kept(QStringLiteral(".replay"), 10);
  const QString stem = QStringLiteral("ポチ%2対%1");
  ASSERT_TRUE(kept.keep(dir.path(), stem, "a"));
  const std::optional<QString> second = kept.keep(dir.path(), stem, "b");
  ASSERT_TRUE(second);
  EXPECT_EQ(QFileInfo(*second).fileName(), stem + QStringLiteral(" (2).replay"));
}

// A kept file's age is in its name, whatever times the file system gives:
// the oldest stamp goes first, and of one name the first before " (2)",
// " (2)" before " (10)".
TEST(Replays, TheOldestByNameAreLetGo) {
  QTemporaryDir dir;
  const QStringList oldestFirst = {"20231231-235959 z", "20240101-000000 a", "20240101-000000 a (2)",
                                   "20240101-000000 a (10)", "20240101-000001 a"};
  const QDateTime now = QDateTime::currentDateTime();
  for (int i = 0; i < oldestFirst.size(); ++i) {
    QFile file(dir.filePath(oldestFirst[i] + ".replay"));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.setFileTime(now.addSecs(-i), QFileDevice::FileModificationTime);
  }
  KeptFiles kept(QStringLiteral(".replay"), 4);
  ASSERT_TRUE(kept.keep(dir.path(), "20240102-000000 b", "x"));
  ASSERT_TRUE(kept.keep(dir.path(), "20240102-000001 b", "x"));
  EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files, QDir::Name),
            (QStringList{"20240101-000000 a (10).replay", "20240101-000001 a.replay", "20240102-000000 b.replay",
                         "20240102-000001 b.replay"}));
}

// Stopping a replay, or closing its window, goes back to where it began
// with the game as it was.
TEST(Replays, StopAndCloseGoBackToWhereTheReplayBegan) {
  TestGame t;
  startWithRabbit(t);
  playAutoBout(t, QStringLiteral("TRAI"), 3);
  const QString folder = t.workingFile(QString());
  const QString file = folder + QStringLiteral("/replays/") + replayFiles(folder).last();
  const QByteArray before = savedBytes(t.ctx.game);
  for (const char* leave : {"click Form1.TEISI", "close Form1"}) {
    t.drive(QStringLiteral("replay %1\nwait 2500").arg(file));
    ASSERT_TRUE(t.screen<Form1>()) << leave;
    const QStringList out = t.drive(QStringLiteral("%1\nscreens").arg(QLatin1String(leave)));
    EXPECT_TRUE(out.last().startsWith(u"screens = Form4")) << leave;
    EXPECT_FALSE(t.ctx.ended());
    EXPECT_EQ(savedBytes(t.ctx.game), before) << leave;
  }
}

// Reading a hostile record of the largest size allowed costs little more
// than its bytes, whatever its shape: one line of spaces, or a file of the
// shortest events. Measured in a child process, whose peak is its own.
TEST(BoutRecords, AFileOfTheLargestSizeCostsLittleMoreThanItsBytes) {
#ifdef __SANITIZE_ADDRESS__
  GTEST_SKIP() << "the address sanitizer's allocator keeps freed memory aside, so the peak measures it";
#endif
  const QByteArray good = writeBoutRecord(sampleRecord());
  const qsizetype eventsAt = good.indexOf("\nend ") + 1;
  const auto fill = [&](const QByteArray& unit) {
    QByteArray bytes = good.left(eventsAt);
    bytes += unit.repeated((kMaxRecordBytes - good.size()) / unit.size());
    return bytes + good.mid(eventsAt);
  };
  const std::pair<const char*, QByteArray> files[] = {
      {"one line of spaces", QByteArray("choice ") + QByteArray(kMaxRecordBytes - 100, ' ') + "\n"},
      {"the shortest events", fill("draw auto 0.5\n")},
  };
  for (const auto& [shape, bytes] : files) {
    int pipe_[2];
    ASSERT_EQ(pipe(pipe_), 0);
    const pid_t child = fork();
    if (child == 0) {
      rusage before{}, after{};
      getrusage(RUSAGE_SELF, &before);
      (void)readBoutRecord(bytes);
      getrusage(RUSAGE_SELF, &after);
      const long grownKb = after.ru_maxrss - before.ru_maxrss;
      (void)!write(pipe_[1], &grownKb, sizeof grownKb);
      _exit(0);
    }
    long grownKb = -1;
    (void)!read(pipe_[0], &grownKb, sizeof grownKb);
    waitpid(child, nullptr, 0);
    close(pipe_[0]);
    close(pipe_[1]);
    EXPECT_GE(grownKb, 0) << shape;
    EXPECT_LT(grownKb, 10 * 1024) << shape << ": " << grownKb << " KB more";
  }
}
