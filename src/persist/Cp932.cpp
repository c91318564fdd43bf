#include "persist/Cp932.h"

#include <QStringDecoder>
#include <QStringEncoder>

namespace mofurin {

namespace {

constexpr const char* kCodec = "windows-31j";

bool encodeStrict(QStringView text, QByteArray& out) {
  QStringEncoder encoder(kCodec, QStringEncoder::Flag::Stateless);
  out = encoder.encode(text);
  return !encoder.hasError();
}

}  // namespace

QByteArray encodeCp932(const QString& text) {
  QByteArray whole;
  if (encodeStrict(text, whole)) return whole;
  // Some character cannot be written: go code point by code point.
  QByteArray out;
  for (qsizetype i = 0; i < text.size();) {
    const qsizetype length = text.at(i).isHighSurrogate() && i + 1 < text.size() ? 2 : 1;
    QByteArray piece;
    out += encodeStrict(QStringView(text).mid(i, length), piece) ? piece : QByteArray("?");
    i += length;
  }
  return out;
}

QString decodeCp932(const QByteArray& bytes) {
  QStringDecoder decoder(kCodec, QStringDecoder::Flag::Stateless);
  return decoder.decode(bytes);
}

}  // namespace mofurin
