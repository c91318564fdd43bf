#pragma once

#include <QString>
#include <QStringList>
#include <optional>

namespace mofurin {

// A folder that keeps the newest files of one kind and lets the oldest go.
// A file's age is read from its name alone, never from the file system: the
// caller begins each stem with the time it keeps the file, written so that
// later times sort after earlier ones ("20250102-030405 …"). The folder is
// listed once, on the first file kept, without asking the file system about
// each file; after that the game knows what it holds, so keeping a file
// costs one new file and no scan. A file another program adds meanwhile is
// pruned once it is among the oldest the next listing sees.
class KeptFiles {
 public:
  KeptFiles(QString suffix, int limit) : suffix_(std::move(suffix)), limit_(limit) {}

  // Writes `bytes` as a new file named `stem` + the suffix (" (2)", " (3)" …
  // before the suffix when that name is taken, each newer than the one
  // before), then removes the oldest beyond the limit. Nothing (and nothing
  // removed) when the folder cannot be made or the file cannot be written.
  std::optional<QString> keep(const QString& folder, const QString& stem, const QByteArray& bytes);

 private:
  void list(const QString& folder);
  void prune(const QString& folder);

  QString suffix_;
  int limit_;
  QString listed_;      // the folder `names_` describes
  QStringList names_;  // oldest first
};

}  // namespace mofurin
