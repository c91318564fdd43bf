// libFuzzer target: any bytes as the hall-of-fame file kiro.txt.

#include <unistd.h>

#include <QDir>
#include <QFile>

#include "game/GameState.h"
#include "persist/HallOfFame.h"

namespace {

// The file the reader reads, removed when the run ends.
struct ScratchFile {
  QString path = QDir::temp().filePath(QStringLiteral("mofurin-fuzz-kiro-%1.txt").arg(::getpid()));
  ~ScratchFile() { QFile::remove(path); }
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static const ScratchFile scratch;
  const QString& path = scratch.path;
  QFile file(path);
  if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate)) return 0;
  file.write(reinterpret_cast<const char*>(data), static_cast<qint64>(size));
  file.close();
  mofurin::GameState game;
  mofurin::LoadHallOfFame(game, path);
  mofurin::hallOfFameHasEntry(game);
  return 0;
}
