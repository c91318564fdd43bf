#pragma once

#include <QByteArray>
#include <QString>
#include <QtGlobal>
#include <memory>
#include <optional>

class QSaveFile;

namespace mofurin {

// A code page 932 text file's contents; nothing when it cannot be read.
std::optional<QString> readCp932File(const QString& path);

// Reads fields written in the sequential "write" notation: texts in double
// quotes, bare numbers, separated by commas or line ends. Every read that
// finds no proper field returns nothing, so a caller can stop quietly.
class SequentialReader {
 public:
  explicit SequentialReader(QString text) : text_(std::move(text)) {}

  // Reads and decodes a code page 932 file; nothing when it cannot be read.
  static std::optional<SequentialReader> open(const QString& path);

  bool atEnd() const { return pos_ >= text_.size(); }
  bool onlyBlanksLeft() const;  // nothing but spaces and line ends
  std::optional<QString> readText();
  std::optional<double> readNumber();

 private:
  void skipBlanks();
  void skipDelimiter();  // past the next comma or line end
  bool atLineEnd() const;
  QString readBareField();

  QString text_;
  qsizetype pos_ = 0;
};

// A file being replaced as a whole: the new contents go to a temporary file
// beside it, which takes the file's name only when everything is written.
// Until then, and after any failure, the old file is untouched.
class FileReplacement {
 public:
  explicit FileReplacement(const QString& path);
  ~FileReplacement();
  FileReplacement(const FileReplacement&) = delete;
  FileReplacement& operator=(const FileReplacement&) = delete;

  bool isOpen() const;  // false: the file cannot be created here
  bool commit(const QByteArray& contents);

 private:
  std::unique_ptr<QSaveFile> file_;
};

// Builds a file in the same notation: one record per line, items separated
// by one comma, texts quoted as they stand, lines ended with CR LF.
class SequentialWriter {
 public:
  SequentialWriter& text(const QString& value);
  SequentialWriter& number(qint64 value);
  SequentialWriter& endLine();

  const QString& contents() const { return contents_; }
  QByteArray bytes() const;

  // Replaces the file as a whole: either the new contents are there
  // afterwards or the old file is untouched.
  bool saveTo(const QString& path) const;

 private:
  void separate();

  QString contents_;
  bool lineStarted_ = false;
};

}  // namespace mofurin
