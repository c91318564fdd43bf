#include "net/Protocol.h"

#include <QCoreApplication>
#include <algorithm>
#include <cmath>
#include <limits>

#include "game/Numbers.h"
#include "persist/Cp932.h"

namespace mofurin {

namespace {

constexpr Side O = Side::Opponent;
constexpr Side P = Side::Player;

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

QString writeFields(std::span<const Field> fields, std::initializer_list<FieldValue> values) {
  Q_ASSERT(fields.size() == values.size());
  QString message;
  auto value = values.begin();
  for (const Field& f : fields) {
    if (f.kind == Field::Number) {
      message += f.width > 0 ? numberField(value->number, f.width) : decimal(value->number);
    } else {
      message += value->text;
    }
    ++value;
  }
  return message;
}

std::vector<QStringView> cutFields(std::span<const Field> fields, QStringView message) {
  std::vector<QStringView> cut;
  qsizetype at = 0;
  for (const Field& f : fields) {
    QStringView text = f.width > 0 ? message.mid(at, f.width) : message.mid(at);
    if (f.width == 0 && f.most > 0) text = text.left(f.most);
    cut.push_back(text);
    at = std::min(at + (f.width > 0 ? f.width : message.size()), message.size());
  }
  return cut;
}

std::vector<FieldValue> readFields(std::span<const Field> fields, QStringView message) {
  std::vector<FieldValue> values;
  const std::vector<QStringView> cut = cutFields(fields, message);
  for (std::size_t i = 0; i < fields.size(); ++i) {
    if (fields[i].kind == Field::Number) {
      values.emplace_back(qint64{readField(cut[i])});
    } else {
      values.emplace_back(cut[i].toString());
    }
  }
  return values;
}

namespace {

int widthOf(std::span<const Field> fields) {
  int width = 0;
  for (const Field& f : fields) width += f.width;
  return width;
}

}  // namespace

QString setupMessage(int number, const GameState& g) {
  QString body;
  if (number == 0) {
    body = writeFields(layout::kFighter, {g.levels[P], g.characterIndex[P], g.fighterName[P]});
  } else if (number == 1) {
    for (int p = 0; p < kPartCount; ++p) {
      body += writeFields(layout::kPartValues, {g.partHp(p, P), g.partAttack(p, P), g.partDefence(p, P)});
    }
  } else if (number >= 2 && number <= 9) {
    body = writeFields(layout::kTechnique, {g.techniqueCosts(number - 2, P), g.techniqueNames(number - 2, P)});
  } else if (number == 10 || number == 11 || number == 23) {
    body = writeFields(layout::kDone, {QStringLiteral(" ")});
  }
  return writeFields(layout::kSetupHeader, {number, QStringLiteral("  ")}) + body;
}

// The number is read from the whole header, its gap too.
SetupMessage readSetupHeader(const QString& message) {
  const int width = widthOf(layout::kSetupHeader);
  return {readField(QStringView(message).left(width)), message.mid(width)};
}

bool isLastSetupMessage(const QString& message) {
  static const QString last = setupMessage(kLastSetupMessage, GameState());
  return message == last;
}

bool storeSetup(const SetupMessage& m, GameState& g) {
  const auto number = [](const FieldValue& v) { return static_cast<qint32>(v.number); };
  if (m.number == 0) {
    const auto f = readFields(layout::kFighter, m.body);
    g.levels[O] = number(f[0]);
    g.characterIndex[O] = number(f[1]);
    g.fighterName[O] = f[2].text;
  } else if (m.number == 1) {
    const int partWidth = widthOf(layout::kPartValues);
    for (int p = 0; p < kPartCount; ++p) {
      const auto f =
          readFields(layout::kPartValues, QStringView(m.body).mid(std::min<qsizetype>(partWidth * p, m.body.size())));
      g.partHp(p, O) = number(f[0]);
      g.partAttack(p, O) = number(f[1]);
      g.partDefence(p, O) = number(f[2]);
    }
  } else if (m.number >= 2 && m.number <= 9) {
    const auto f = readFields(layout::kTechnique, m.body);
    g.techniqueCosts(m.number - 2, O) = number(f[0]);
    g.techniqueNames(m.number - 2, O) = f[1].text;
  } else {
    return false;
  }
  return true;
}

QString battleKindName(QStringView message) {
  static const char* const kinds[] = {
      QT_TRANSLATE_NOOP("LinkMessages", "選択"), QT_TRANSLATE_NOOP("LinkMessages", "攻撃"),
      QT_TRANSLATE_NOOP("LinkMessages", "確認"), QT_TRANSLATE_NOOP("LinkMessages", "同期"),
      QT_TRANSLATE_NOOP("LinkMessages", "送可"), QT_TRANSLATE_NOOP("LinkMessages", "逃亡"),
      QT_TRANSLATE_NOOP("LinkMessages", "発言")};
  const QStringView tag = cutFields(layout::kBattlePrefix, message)[0];
  for (const char* kind : kinds) {
    if (tag == QString::fromUtf8(kind)) return QCoreApplication::translate("LinkMessages", kind);
  }
  return {};
}

QString battleMessage(const QString& tag, qint32 round, const QString& body) {
  return writeFields(layout::kBattlePrefix, {tag, round}) + body;
}

QString choiceMessage(qint32 round, qint32 slot) {
  return battleMessage(tag::Choice, round, writeFields(layout::kChoice, {slot}));
}

QString strikeMessage(qint32 round, qint32 damage, qint32 missRoll, qint32 part) {
  return battleMessage(tag::Strike, round, writeFields(layout::kStrike, {damage, missRoll, part}));
}

BattleMessage readBattleMessage(const QString& m) {
  const auto f = readFields(layout::kBattlePrefix, m);
  return {f[0].text, static_cast<qint32>(f[1].number), m.mid(widthOf(layout::kBattlePrefix))};
}

std::optional<Strike> readStrike(const QString& body) {
  const auto f = readFields(layout::kStrike, body);
  const Strike s{static_cast<qint32>(f[0].number), static_cast<qint32>(f[1].number), static_cast<qint32>(f[2].number)};
  if (s.missRoll < 0 || s.missRoll > 9 || s.part < 0 || s.part >= kPartCount) return std::nullopt;
  return s;
}

std::optional<qint32> readChoice(const QString& body) {
  const qint32 slot = static_cast<qint32>(readFields(layout::kChoice, body)[0].number);
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
