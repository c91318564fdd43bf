#include "persist/KeptFiles.h"

#include <QDir>
#include <QFile>

namespace mofurin {

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
  names_ = QDir(folder).entryList({u'*' + suffix_}, QDir::Files, QDir::Time | QDir::Reversed);  // oldest first
}

void KeptFiles::prune(const QString& folder) {
  const QDir dir(folder);
  while (names_.size() > limit_) QFile::remove(dir.filePath(names_.takeFirst()));
}

}  // namespace mofurin
