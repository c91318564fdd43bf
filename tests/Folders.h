#pragma once

#include <QString>
#include <QTemporaryFile>

namespace mofurin::test {

// A folder nobody can make, root neither: its parent is a regular file. A
// game given it as a folder can read and write nothing there, and leaves
// nothing behind anywhere.
inline QString unusableFolder() {
  static QTemporaryFile* file = [] {
    auto* f = new QTemporaryFile;
    (void)f->open();
    return f;
  }();
  return file->fileName() + QStringLiteral("/folder");
}

}  // namespace mofurin::test
