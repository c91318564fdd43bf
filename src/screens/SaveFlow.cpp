#include "screens/SaveFlow.h"

#include <QFileInfo>

#include "context/GameContext.h"
#include "persist/SaveFile.h"

namespace mofurin {

namespace {

SaveResult saveInto(GameContext& ctx, const QString& path) {
  // The file is opened before the key is drawn: a file that cannot be
  // created costs the random source nothing.
  FileReplacement file(path);
  if (!file.isOpen()) return SaveResult::Failed;
  constexpr float kKeys = kLastSaveKey - kFirstSaveKey + 1;
  const int key = static_cast<int>(kKeys * ctx.random.next()) + kFirstSaveKey;
  const std::optional<SequentialWriter> contents = saveFileContents(ctx.game, key);
  if (!contents) return SaveResult::Failed;
  return file.commit(contents->bytes()) ? SaveResult::Saved : SaveResult::Failed;
}

}  // namespace

SaveResult Save(GameContext& ctx) {
  std::optional<QString> path = ctx.platform.saveFile(QCoreApplication::translate("SaveFlow", kSaveFilter));
  if (!path) return SaveResult::Cancelled;
  // A name typed without an extension gets the one the load dialog shows.
  if (QFileInfo(*path).suffix().isEmpty())
    *path += path->endsWith(u'.') ? QStringLiteral("dat") : QStringLiteral(".dat");
  const SaveResult result = saveInto(ctx, *path);
  if (result == SaveResult::Saved) ctx.game.unsavedProgress = false;
  if (result == SaveResult::Failed) {
    ctx.msgBox(
        QCoreApplication::translate("SaveFlow", "SAVEできませんでした。\r\n書き込めない場所か、数が大きすぎます。"));
  }
  return result;
}

LoadResult Load(GameContext& ctx) {
  const std::optional<QString> path = ctx.platform.openFile(QCoreApplication::translate("SaveFlow", kLoadFilter));
  if (!path) return LoadResult::NotRead;
  const std::optional<SavedGame> saved = readSaveFile(*path);
  if (!saved) {
    ctx.msgBox(QCoreApplication::translate(
        "SaveFlow", "このファイルは読み込めませんでした。\r\nこわれているか、セーブファイルではありません。"));
    return LoadResult::NotRead;
  }
  if (!saved->passesIntegrityTest()) {
    ctx.msgBox(
        QCoreApplication::translate("SaveFlow", "パスワードが変造されています！\r\nプログラムが強制終了されます！！"));
    ctx.end();
    return LoadResult::Ended;
  }
  // An edited file may hold a value the network bout could not send whole
  // (technique costs lie outside the checksum): the game stays as it was.
  if (!fighterValuesFit(saved->values, Side::Player)) {
    ctx.msgBox(QCoreApplication::translate("SaveFlow",
                                           "このファイルには、大きすぎるか小さすぎる数があります。\r\n"
                                           "-99999999から999999999までの数でなければ読み込めません。"));
    return LoadResult::NotRead;
  }
  saved->applyTo(ctx.game);
  ctx.game.unsavedProgress = false;
  return LoadResult::Loaded;
}

}  // namespace mofurin
