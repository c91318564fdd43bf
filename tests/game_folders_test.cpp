// Where the game finds its own files and keeps the player's: beside the
// program in the build folder, in Debian's places once installed.

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include "platform/GameFolders.h"

namespace mofurin::platform {
namespace {

// Sets an environment variable for one test and puts the old value back.
class EnvironmentVariable {
 public:
  EnvironmentVariable(const char* name, const QString& value)
      : name_(name), old_(qgetenv(name)), had_(qEnvironmentVariableIsSet(name)) {
    qputenv(name_, value.toLocal8Bit());
  }
  ~EnvironmentVariable() {
    if (had_) {
      qputenv(name_, old_);
    } else {
      qunsetenv(name_);
    }
  }

 private:
  const char* name_;
  QByteArray old_;
  bool had_;
};

class GameFoldersTest : public ::testing::Test {
 protected:
  QString path(const QString& relative) const { return QDir(root.path()).filePath(relative); }
  QString installedProgramFolder() {
    QDir(root.path()).mkpath(QStringLiteral("usr/games"));
    QDir(root.path()).mkpath(QStringLiteral("usr/share/games/mofurin/pictures"));
    return path(QStringLiteral("usr/games"));
  }

  QTemporaryDir root;
  EnvironmentVariable home{"HOME", path(QStringLiteral("home"))};
};

TEST_F(GameFoldersTest, BuildFolderGameUsesItsOwnFolderAndTheCurrentOne) {
  const GameFolders folders = findGameFolders(path(QStringLiteral("build/bin")));
  EXPECT_EQ(folders.assets, path(QStringLiteral("build/bin")));
  EXPECT_EQ(folders.modules, folders.assets);
  EXPECT_EQ(folders.working, QDir::currentPath());
  EXPECT_FALSE(folders.ownWorkingFolder);
  EXPECT_EQ(prepareWorkingFolder(folders), std::nullopt);
}

TEST_F(GameFoldersTest, InstalledGameFindsItsDataBesideTheProgramAndKeepsPlayerFilesInXdgDataHome) {
  const EnvironmentVariable xdg("XDG_DATA_HOME", path(QStringLiteral("xdg")));
  const GameFolders folders = findGameFolders(installedProgramFolder());
  EXPECT_EQ(folders.assets, path(QStringLiteral("usr/share/games/mofurin")));
  EXPECT_TRUE(folders.modules.startsWith(path(QStringLiteral("usr/lib/"))) && folders.modules.endsWith("/mofurin"))
      << folders.modules.toStdString();
  EXPECT_EQ(folders.working, path(QStringLiteral("xdg/mofurin")));
  EXPECT_TRUE(folders.ownWorkingFolder);
}

TEST_F(GameFoldersTest, EmptyOrRelativeXdgDataHomeMeansTheDefaultUnderHome) {
  const QString program = installedProgramFolder();
  for (const QString& value : {QString(), QStringLiteral("relative/data")}) {
    const EnvironmentVariable xdg("XDG_DATA_HOME", value);
    EXPECT_EQ(findGameFolders(program).working, path(QStringLiteral("home/.local/share/mofurin")))
        << value.toStdString();
  }
}

TEST_F(GameFoldersTest, ChosenFolderWinsInEveryLayoutAndIsMadeAbsolute) {
  const QString absolute = path(QStringLiteral("chosen"));
  EXPECT_EQ(findGameFolders(installedProgramFolder(), absolute).working, absolute);
  const GameFolders fromBuild = findGameFolders(path(QStringLiteral("build/bin")), QStringLiteral("saves/here"));
  EXPECT_EQ(fromBuild.working, QDir::current().absoluteFilePath(QStringLiteral("saves/here")));
  EXPECT_TRUE(fromBuild.ownWorkingFolder);
}

TEST_F(GameFoldersTest, PlayerFolderIsMadeOnFirstStartAndAFileInTheWayIsNamed) {
  GameFolders folders{path(QStringLiteral("assets")), path(QStringLiteral("a/b/mofurin")), true, {}};
  EXPECT_EQ(prepareWorkingFolder(folders), std::nullopt);
  EXPECT_TRUE(QDir(folders.working).exists());
  EXPECT_EQ(prepareWorkingFolder(folders), std::nullopt) << "a second start finds it made";

  QFile blocker(path(QStringLiteral("file")));
  ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
  blocker.close();
  folders.working = blocker.fileName();
  const std::optional<QString> problem = prepareWorkingFolder(folders);
  ASSERT_TRUE(problem.has_value());
  EXPECT_TRUE(problem->contains(blocker.fileName())) << problem->toStdString();
  folders.working = path(QStringLiteral("file/inside"));
  EXPECT_TRUE(prepareWorkingFolder(folders).has_value());
}

}  // namespace
}  // namespace mofurin::platform
