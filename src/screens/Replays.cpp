#include "screens/Replays.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <algorithm>

#include "context/GameContext.h"
#include "game/Roster.h"
#include "platform/Form.h"
#include "screens/ScreenNames.h"

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
  QString where = p.line > 0 ? QCoreApplication::translate("Replays", "（%1 行目）").arg(p.line) : QString();
  return QCoreApplication::translate("Replays", "このリプレイは再生できません。\r\n%1%2").arg(p.reason, where);
}

std::variant<BoutRecord, QString> readReplayFile(const QString& path) {
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) {
    return QCoreApplication::translate("Replays", "このリプレイは再生できません。\r\nファイルを開けませんでした。");
  }
  if (file.size() > kMaxRecordBytes)
    return problemText({0, QCoreApplication::translate("Replays", "ファイルが大きすぎます")});
  auto read = readBoutRecord(file.read(kMaxRecordBytes + 1));
  if (const auto* problem = std::get_if<RecordProblem>(&read)) return problemText(*problem);
  return std::get<BoutRecord>(std::move(read));
}

QString kindText(const BoutRecord& r) {
  if (r.network) return QCoreApplication::translate("Replays", "ネット対戦");
  return r.battleKind == kTournamentBout ? QCoreApplication::translate("Replays", "大会")
                                         : QCoreApplication::translate("Replays", "練習");
}

// Who fled, as the first flight the record holds says.
std::optional<Side> whoFled(const BoutRecord& r) {
  for (const BoutEvent& e : r.events) {
    if (const auto* flight = std::get_if<FleeEvent>(&e)) return flight->side;
  }
  return std::nullopt;
}

QString endingText(const BoutRecord& r) {
  if (r.ending == Ending::Fled && whoFled(r)) {
    return *whoFled(r) == Side::Player ? QCoreApplication::translate("Replays", "あなたが逃亡")
                                       : QCoreApplication::translate("Replays", "相手が逃亡");
  }
  switch (r.ending) {
    case Ending::Won: return QCoreApplication::translate("Replays", "勝ち");
    case Ending::Lost: return QCoreApplication::translate("Replays", "負け");
    case Ending::BothBeaten: return QCoreApplication::translate("Replays", "相打ち");
    case Ending::Fled: return QCoreApplication::translate("Replays", "逃亡");
    case Ending::Unfinished: break;
  }
  return QCoreApplication::translate("Replays", "途中まで");
}

// A name as one line of the list: a peer may have sent line breaks.
QString oneLine(QString name) { return name.replace(QStringLiteral("\r\n"), QStringLiteral(" ")).replace(u'\n', u' '); }

// When the bout was fought: the time its file name begins with, else the
// file's own time.
QDateTime foughtAt(const QFileInfo& file) {
  const QDateTime named = QDateTime::fromString(file.fileName().left(15), QStringLiteral("yyyyMMdd-HHmmss"));
  return named.isValid() ? named : file.lastModified();
}

}  // namespace

std::vector<KeptReplay> keptReplays(const GameContext& ctx) {
  const QFileInfoList files =
      QDir(replayFolder(ctx)).entryInfoList({QStringLiteral("*.replay")}, QDir::Files, QDir::Name | QDir::Reversed);
  std::vector<std::pair<QDateTime, KeptReplay>> kept;
  for (const QFileInfo& file : files) {
    auto read = readReplayFile(file.absoluteFilePath());
    const auto* r = std::get_if<BoutRecord>(&read);
    if (!r) continue;
    const QDateTime when = foughtAt(file);
    const QString whenText = when.toString(QStringLiteral("yyyy/MM/dd HH:mm"));
    kept.push_back(
        {when,
         {file.absoluteFilePath(),
          QCoreApplication::translate("Replays", "%1　%2　対　%3　%4　%5")
              .arg(whenText, oneLine(fighterForDisplay(r->fighters[Side::Player].name)),
                   oneLine(fighterForDisplay(r->fighters[Side::Opponent].name)), kindText(*r), endingText(*r))}});
  }
  std::stable_sort(kept.begin(), kept.end(), [](const auto& a, const auto& b) { return a.first > b.first; });
  std::vector<KeptReplay> out;
  for (auto& k : kept) out.push_back(std::move(k.second));
  return out;
}

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
  run->returnTo = from ? from->name() : QString();

  run->record.applyTo(ctx.game);
  ctx.battle = BattleState{};
  ctx.battle.networkBattle = run->record.network;
  ctx.replay = std::move(run);
  if (from) ctx.forms.close(*from);
  ctx.forms.show(screen::Battle);
  return true;
}

bool chooseAndWatchReplay(GameContext& ctx, platform::Form& from) {
  QDir().mkpath(replayFolder(ctx));
  const std::optional<QString> path =
      ctx.platform.openFile(QCoreApplication::translate("Replays", kReplayFilter), replayFolder(ctx));
  return path && watchReplay(ctx, *path, &from);
}

namespace {

void restoreAfterReplay(GameContext& ctx, const std::optional<QString>& problem) {
  if (!ctx.replay) return;
  const std::unique_ptr<ReplayRun> run = std::move(ctx.replay);
  ctx.game = run->savedGame;
  ctx.battle = run->savedBattle;
  ctx.random = run->savedRandom;
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
  ctx.forms.close(screen::Battle);
  if (afterEngine) {
    ctx.platform.post([&ctx, problem] { restoreAfterReplay(ctx, problem); });
  } else {
    restoreAfterReplay(ctx, problem);
  }
}

}  // namespace mofurin
