#include "screens/Replays.h"

#include <QDateTime>
#include <QDir>
#include <QFile>

#include "context/GameContext.h"
#include "platform/Form.h"
#include "screens/BattleScreen.h"

namespace mofurin {

namespace {

// A fighter's name as part of a file name: no folder separators, nothing a
// file system refuses, not too long.
QString fileNamePart(const QString& name) {
  QString out;
  for (QChar c : name.left(24)) {
    const bool refused = c.unicode() < 0x20 || QStringLiteral("/\\:*?\"<>|").contains(c);
    out += refused ? u'_' : c;
  }
  out = out.trimmed();
  return out.isEmpty() || out.startsWith(u'.') ? QStringLiteral("_") + out : out;
}

QString replayStem(const BoutRecord& record) {
  return QDateTime::currentDateTime().toString(QStringLiteral("yyyyMMdd-HHmmss")) + u' ' +
         fileNamePart(record.fighters[Side::Player].name) + QStringLiteral(" vs ") +
         fileNamePart(record.fighters[Side::Opponent].name);
}

QString problemText(const RecordProblem& p) {
  QString where = p.line > 0 ? QStringLiteral("（%1 行目）").arg(p.line) : QString();
  return QStringLiteral("このリプレイは再生できません。") + newLine + p.reason + where;
}

std::variant<BoutRecord, QString> readReplayFile(const QString& path) {
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) {
    return QStringLiteral("このリプレイは再生できません。") + newLine + QStringLiteral("ファイルを開けませんでした。");
  }
  if (file.size() > kMaxRecordBytes) return problemText({0, QStringLiteral("ファイルが大きすぎます")});
  auto read = readBoutRecord(file.read(kMaxRecordBytes + 1));
  if (const auto* problem = std::get_if<RecordProblem>(&read)) return problemText(*problem);
  return std::get<BoutRecord>(std::move(read));
}

}  // namespace

QString replayFolder(const GameContext& ctx) {
  return QDir(ctx.platform.workingFolder()).filePath(QStringLiteral("replays"));
}

std::optional<QString> keepBoutRecord(GameContext& ctx, const BoutRecord& record) {
  return ctx.keptReplays.keep(replayFolder(ctx), replayStem(record), writeBoutRecord(record));
}

bool watchReplay(GameContext& ctx, const QString& path, platform::Form* from) {
  auto read = readReplayFile(path);
  if (const auto* problem = std::get_if<QString>(&read)) {
    ctx.msgBox(*problem);
    return false;
  }
  auto run = std::make_unique<ReplayRun>();
  run->record = std::get<BoutRecord>(std::move(read));
  run->savedGame = ctx.game;
  run->savedBattle = ctx.battle;
  run->savedRandom = ctx.random;
  run->savedIsHost = ctx.link.isHost;
  run->returnTo = from ? from->name() : QString();

  run->record.applyTo(ctx.game);
  ctx.battle = BattleState{};
  ctx.battle.networkBattle = run->record.network;
  ctx.link.isHost = run->record.host;
  ctx.replay = std::move(run);
  if (from) ctx.forms.close(*from);
  ctx.forms.show<Form1>();
  return true;
}

bool chooseAndWatchReplay(GameContext& ctx, platform::Form& from) {
  QDir().mkpath(replayFolder(ctx));
  const std::optional<QString> path = ctx.platform.openFile(kReplayFilter, replayFolder(ctx));
  return path && watchReplay(ctx, *path, &from);
}

namespace {

void restoreAfterReplay(GameContext& ctx, const std::optional<QString>& problem) {
  if (!ctx.replay) return;
  const std::unique_ptr<ReplayRun> run = std::move(ctx.replay);
  ctx.game = run->savedGame;
  ctx.battle = run->savedBattle;
  ctx.random = run->savedRandom;
  ctx.link.isHost = run->savedIsHost;
  if (problem) ctx.msgBox(*problem);
  if (run->returnTo.isEmpty()) {
    ctx.end();
  } else {
    ctx.forms.show(run->returnTo);
  }
}

}  // namespace

void finishReplay(GameContext& ctx, const std::optional<QString>& problem, bool afterEngine) {
  if (!ctx.replay || ctx.replay->finishing) return;
  ctx.replay->finishing = true;
  if (Form1* battle = ctx.forms.find<Form1>()) ctx.forms.close(*battle);
  if (afterEngine) {
    ctx.platform.post([&ctx, problem] { restoreAfterReplay(ctx, problem); });
  } else {
    restoreAfterReplay(ctx, problem);
  }
}

}  // namespace mofurin
