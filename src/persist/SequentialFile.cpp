#include "persist/SequentialFile.h"

#include <QFile>
#include <QSaveFile>
#include <charconv>
#include <string>

#include "persist/Cp932.h"

namespace mofurin {

namespace {

bool isLineBreak(QChar c) { return c == u'\r' || c == u'\n'; }

// A whole field that is a number and nothing else ("12", "-3.5", "1E+3").
std::optional<double> parseStrictNumber(const QString& field) {
  if (field.isEmpty()) return std::nullopt;
  std::string ascii;
  for (QChar c : field) {
    if (c.unicode() > 127) return std::nullopt;
    ascii.push_back(char(c.unicode()));
  }
  const char* first = ascii.data();
  const char* last = first + ascii.size();
  if (*first == '+') ++first;
  double value = 0;
  const auto [end, error] = std::from_chars(first, last, value);
  if (error != std::errc() || end != last) return std::nullopt;
  return value;
}

}  // namespace

std::optional<QString> readCp932File(const QString& path) {
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) return std::nullopt;
  // The game's files are a few kilobytes; a huge file is read only in part.
  constexpr qint64 kMaxBytes = 16 * 1024 * 1024;
  // Asking for the size the file has, not the most it may have: a read of
  // 16 MiB reserves 16 MiB first.
  const qint64 size = file.size();
  return decodeCp932(file.read(size > 0 && size < kMaxBytes ? size : kMaxBytes));
}

std::optional<SequentialReader> SequentialReader::open(const QString& path) {
  std::optional<QString> text = readCp932File(path);
  if (!text) return std::nullopt;
  return SequentialReader(std::move(*text));
}

bool SequentialReader::onlyBlanksLeft() const {
  for (qsizetype i = pos_; i < text_.size(); ++i) {
    if (text_[i] != u' ' && text_[i] != u'\t' && !isLineBreak(text_[i])) return false;
  }
  return true;
}

bool SequentialReader::atLineEnd() const { return pos_ < text_.size() && isLineBreak(text_[pos_]); }

void SequentialReader::skipBlanks() {
  while (pos_ < text_.size() && (text_[pos_] == u' ' || text_[pos_] == u'\t')) ++pos_;
}

void SequentialReader::skipDelimiter() {
  while (pos_ < text_.size() && text_[pos_] != u',' && !isLineBreak(text_[pos_])) ++pos_;
  if (pos_ >= text_.size()) return;
  if (text_[pos_] == u',') {
    ++pos_;
    return;
  }
  if (text_[pos_] == u'\r') ++pos_;
  if (pos_ < text_.size() && text_[pos_] == u'\n') ++pos_;
}

QString SequentialReader::readBareField() {
  const qsizetype start = pos_;
  while (pos_ < text_.size() && text_[pos_] != u',' && !isLineBreak(text_[pos_])) ++pos_;
  const QString field = text_.mid(start, pos_ - start).trimmed();
  skipDelimiter();
  return field;
}

std::optional<QString> SequentialReader::readText() {
  skipBlanks();
  if (atEnd()) return std::nullopt;
  if (text_[pos_] != u'"') return readBareField();
  const qsizetype start = ++pos_;
  const qsizetype close = text_.indexOf(u'"', start);
  const qsizetype end = close < 0 ? text_.size() : close;
  const QString field = text_.mid(start, end - start);
  pos_ = close < 0 ? text_.size() : close + 1;
  skipDelimiter();
  return field;
}

std::optional<double> SequentialReader::readNumber() {
  skipBlanks();
  if (atEnd() || text_[pos_] == u'"') return std::nullopt;
  return parseStrictNumber(readBareField());
}

void SequentialWriter::separate() {
  if (lineStarted_) contents_ += u',';
  lineStarted_ = true;
}

SequentialWriter& SequentialWriter::text(const QString& value) {
  separate();
  contents_ += u'"' + value + u'"';
  return *this;
}

SequentialWriter& SequentialWriter::number(qint64 value) {
  separate();
  contents_ += QString::number(value);
  return *this;
}

SequentialWriter& SequentialWriter::endLine() {
  contents_ += QStringLiteral("\r\n");
  lineStarted_ = false;
  return *this;
}

QByteArray SequentialWriter::bytes() const { return encodeCp932(contents_); }

bool SequentialWriter::saveTo(const QString& path) const {
  FileReplacement file(path);
  return file.commit(bytes());
}

FileReplacement::FileReplacement(const QString& path) : file_(std::make_unique<QSaveFile>(path)) {
  if (!file_->open(QIODevice::WriteOnly)) file_.reset();
}

FileReplacement::~FileReplacement() {
  if (file_) file_->cancelWriting();
}

bool FileReplacement::isOpen() const { return file_ != nullptr; }

bool FileReplacement::commit(const QByteArray& contents) {
  if (!file_) return false;
  const bool written = file_->write(contents) == contents.size();
  if (!written) file_->cancelWriting();
  const bool committed = file_->commit();
  file_.reset();
  return written && committed;
}

}  // namespace mofurin
