#include "platform/GameFolders.h"

#include <QDir>
#include <QFileInfo>

namespace mofurin::platform {

namespace {

// The build puts the path from the installed program's folder to the game's
// data folder here (../share/games/mofurin by default).
const QString kAssetsFromProgram = QStringLiteral(MOFURIN_ASSETS_FROM_PROGRAM);
const QString kModulesFromProgram = QStringLiteral(MOFURIN_MODULES_FROM_PROGRAM);
const QString kGameFolderName = QStringLiteral("mofurin");

QString playerDataHome() {
  // Only an absolute XDG_DATA_HOME counts; anything else means the default.
  const QString xdg = qEnvironmentVariable("XDG_DATA_HOME");
  if (!xdg.isEmpty() && QDir::isAbsolutePath(xdg)) return QDir::cleanPath(xdg);
  return QDir(QDir::homePath()).filePath(QStringLiteral(".local/share"));
}

}  // namespace

QString GameFolders::pictures() const { return QDir(assets).filePath(QStringLiteral("pictures")); }

GameFolders findGameFolders(const QString& programFolder, const QString& chosenWorkingFolder) {
  GameFolders folders;
  const QString installedAssets = QDir::cleanPath(QDir(programFolder).filePath(kAssetsFromProgram));
  const bool installed = QFileInfo(installedAssets).isDir();
  if (installed) {
    folders.assets = installedAssets;
    folders.modules = QDir::cleanPath(QDir(programFolder).filePath(kModulesFromProgram));
    folders.working = QDir(playerDataHome()).filePath(kGameFolderName);
  } else {
    folders.assets = folders.modules = programFolder;
    folders.working = QDir::currentPath();
  }
  if (!chosenWorkingFolder.isEmpty()) folders.working = QDir(chosenWorkingFolder).absolutePath();
  folders.ownWorkingFolder = installed || !chosenWorkingFolder.isEmpty();
  return folders;
}

std::optional<QString> prepareWorkingFolder(const GameFolders& folders) {
  if (!folders.ownWorkingFolder) return std::nullopt;
  const QString& folder = folders.working;
  const QFileInfo info(folder);
  if (info.exists() && !info.isDir()) return QStringLiteral("%1 is not a folder").arg(folder);
  if (!QDir().mkpath(folder)) return QStringLiteral("cannot make the folder %1").arg(folder);
  if (!QFileInfo(folder).isWritable()) return QStringLiteral("cannot write into %1").arg(folder);
  return std::nullopt;
}

}  // namespace mofurin::platform
