#include "net/Protocol.h"

#include <cmath>
#include <limits>

#include "game/Numbers.h"
#include "persist/Cp932.h"

namespace mofurin {

namespace {

constexpr Side O = Side::Opponent;
constexpr Side P = Side::Player;
constexpr int kHeaderWidth = 7;  // setup: number in 5, two spaces
constexpr int kPrefixWidth = 8;  // battle: tag, round in 6

}  // namespace

QString numberField(qint64 value, int width) {
  // What enters the game is refused where it enters when it would not fit.
  Q_ASSERT_X(fitsWidth(value, width), "numberField", "a value wider than its field");
  return fitRight(decimal(value), width);
}

qint32 readField(QStringView field) {
  const double v = leadingNumber(field);
  if (std::isnan(v)) return 0;
  return truncateToInt32(v);
}

QString setupMessage(int number, const GameState& g) {
  QString body;
  if (number == 0) {
    body = numberField(g.levels[P], kFighterValueWidth) + numberField(g.characterIndex[P], kFighterValueWidth) +
           g.fighterName[P];
  } else if (number == 1) {
    for (int p = 0; p < kPartCount; ++p) {
      for (qint32 v : {g.partHp(p, P), g.partAttack(p, P), g.partDefence(p, P)}) body += numberField(v, kFighterValueWidth);
    }
  } else if (number >= 2 && number <= 9) {
    body = numberField(g.techniqueCosts(number - 2, P), kFighterValueWidth) + g.techniqueNames(number - 2, P);
  } else if (number == 10 || number == 11 || number == 23) {
    body = QStringLiteral(" ");
  }
  return numberField(number, 5) + QStringLiteral("  ") + body;
}

SetupMessage readSetupHeader(const QString& message) {
  return {readField(QStringView(message).left(kHeaderWidth)), message.mid(kHeaderWidth)};
}

bool isLastSetupMessage(const QString& message) {
  static const QString last = setupMessage(kLastSetupMessage, GameState());
  return message == last;
}

bool storeSetup(const SetupMessage& m, GameState& g) {
  const QStringView body(m.body);
  const auto field = [&](int at, int width) { return readField(body.mid(at, width)); };
  if (m.number == 0) {
    g.levels[O] = field(0, 9);
    g.characterIndex[O] = field(9, 9);
    g.fighterName[O] = m.body.mid(18, kMaxReceivedName);
  } else if (m.number == 1) {
    for (int p = 0; p < kPartCount; ++p) {
      g.partHp(p, O) = field(27 * p, 9);
      g.partAttack(p, O) = field(27 * p + 9, 9);
      g.partDefence(p, O) = field(27 * p + 18, 9);
    }
  } else if (m.number >= 2 && m.number <= 9) {
    g.techniqueCosts(m.number - 2, O) = field(0, 9);
    g.techniqueNames(m.number - 2, O) = m.body.mid(9, kMaxReceivedTechnique);
  } else {
    return false;
  }
  return true;
}

QString battleMessage(const QString& tag, qint32 round, const QString& body) {
  return tag + numberField(round, 6) + body;
}

QString choiceMessage(qint32 round, qint32 slot) { return battleMessage(tag::Choice, round, decimal(slot)); }

QString strikeMessage(qint32 round, qint32 damage, qint32 missRoll, qint32 part) {
  return battleMessage(tag::Strike, round, numberField(damage, 10) + numberField(missRoll, 3) + numberField(part, 4));
}

BattleMessage readBattleMessage(const QString& m) {
  return {m.left(2), readField(QStringView(m).mid(2, 6)), m.mid(kPrefixWidth)};
}

std::optional<Strike> readStrike(const QString& body) {
  const QStringView b(body);
  const Strike s{readField(b.mid(0, 10)), readField(b.mid(10, 3)), readField(b.mid(13, 4))};
  if (s.missRoll < 0 || s.missRoll > 9 || s.part < 0 || s.part >= kPartCount) return std::nullopt;
  return s;
}

std::optional<qint32> readChoice(const QString& body) {
  const qint32 slot = readField(body);
  if (slot < 0 || slot >= kSlotCount) return std::nullopt;
  return slot;
}

QByteArray frame(const QString& message) {
  QString text = message;
  text.replace(u'\r', u' ').replace(u'\n', u' ');
  return encodeCp932(text) + '\n';
}

void FrameReader::append(const QByteArray& bytes) {
  if (overflowed_) return;
  buffer_ += bytes;
  const qsizetype end = buffer_.lastIndexOf('\n');
  const qsizetype unfinished = buffer_.size() - (end + 1);
  if (unfinished > kMaxFrameBytes) overflowed_ = true;
}

std::optional<QString> FrameReader::next() {
  while (!overflowed_) {
    const qsizetype end = buffer_.indexOf('\n');
    if (end < 0) return std::nullopt;
    if (end > kMaxFrameBytes) {
      overflowed_ = true;
      break;
    }
    const QByteArray bytes = buffer_.left(end);
    buffer_.remove(0, end + 1);
    if (std::optional<QString> text = decodeCp932Strictly(bytes)) return text;
  }
  return std::nullopt;
}

bool FrameReader::holds(const QString& tag) const {
  const QByteArray start = encodeCp932(tag);
  for (qsizetype at = 0; at < buffer_.size();) {
    const qsizetype end = buffer_.indexOf('\n', at);
    if (end < 0) return false;  // not whole yet
    if (QByteArrayView(buffer_).sliced(at, end - at).startsWith(start)) return true;
    at = end + 1;
  }
  return false;
}

void FrameReader::clear() {
  buffer_.clear();
  overflowed_ = false;
}

}  // namespace mofurin
