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

bool fitsCp932(const QString& text) {
  QByteArray unused;
  return encodeStrict(text, unused);
}

std::optional<QString> decodeCp932Strictly(const QByteArray& bytes) {
  const auto isLead = [](quint8 b) { return (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC); };
  const auto isTrail = [](quint8 b) { return (b >= 0x40 && b <= 0x7E) || (b >= 0x80 && b <= 0xFC); };
  for (qsizetype i = 0; i < bytes.size(); ++i) {
    const auto b = static_cast<quint8>(bytes[i]);
    if (b <= 0x7F || (b >= 0xA1 && b <= 0xDF)) continue;
    if (!isLead(b) || i + 1 >= bytes.size() || !isTrail(static_cast<quint8>(bytes[i + 1]))) return std::nullopt;
    ++i;
  }
  QStringDecoder decoder(kCodec, QStringDecoder::Flag::Stateless);
  QString text = decoder.decode(bytes);
  if (decoder.hasError() || text.contains(QChar::ReplacementCharacter)) return std::nullopt;
  return text;
}

QString decodeCp932(const QByteArray& bytes) {
  QStringDecoder decoder(kCodec, QStringDecoder::Flag::Stateless);
  return decoder.decode(bytes);
}

}  // namespace mofurin
