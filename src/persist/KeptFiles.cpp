#include "persist/KeptFiles.h"

#include <QDir>
#include <QFile>
#include <algorithm>

namespace mofurin {

namespace {

// A name's place in time: its stem, then the number a second file of the
// same stem was given (1 for the first).
std::pair<QStringView, int> age(QStringView name, qsizetype suffixSize) {
  const QStringView stem = name.chopped(suffixSize);
  const qsizetype open = stem.lastIndexOf(u" (");
  if (open > 0 && stem.endsWith(u')')) {
    bool ok = false;
    const int number = stem.sliced(open + 2).chopped(1).toInt(&ok);
    if (ok && number > 1) return {stem.first(open), number};
  }
  return {stem, 1};
}

}  // namespace

std::optional<QString> KeptFiles::keep(const QString& folder, const QString& stem, const QByteArray& bytes) {
  if (listed_ != folder) list(folder);
  const QDir dir(folder);
  if (!dir.exists() && !dir.mkpath(QStringLiteral("."))) return std::nullopt;
  // Opening only a file that does not exist yet finds a free name without
  // probing, and never writes over a record another game kept meanwhile.
  QString name = stem + suffix_;
  QFile file(dir.filePath(name));
  for (int n = 2; !file.open(QIODevice::WriteOnly | QIODevice::NewOnly); ++n) {
    if (!file.exists() || n > 1000) return std::nullopt;
    // One pass of arguments: a fighter's name in the stem may hold "%2".
    name = QStringLiteral("%1 (%2)%3").arg(stem, QString::number(n), suffix_);
    file.setFileName(dir.filePath(name));
  }
  const bool written = file.write(bytes) == bytes.size() && file.flush();
  file.close();
  if (!written) {
    file.remove();
    return std::nullopt;
  }
  names_.append(name);
  if (names_.size() > limit_) prune(folder);
  return file.fileName();
}

void KeptFiles::list(const QString& folder) {
  listed_ = folder;
  names_ = QDir(folder).entryList({u'*' + suffix_}, QDir::Files, QDir::Unsorted);
  const qsizetype suffixSize = suffix_.size();
  std::sort(names_.begin(), names_.end(),
            [suffixSize](const QString& a, const QString& b) { return age(a, suffixSize) < age(b, suffixSize); });
}

void KeptFiles::prune(const QString& folder) {
  const QDir dir(folder);
  while (names_.size() > limit_) QFile::remove(dir.filePath(names_.takeFirst()));
}

}  // namespace mofurin
