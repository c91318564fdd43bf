#include "persist/SaveFile.h"

#include <QFile>
#include <cmath>
#include <limits>

#include "persist/Cp932.h"
#include "persist/SequentialFile.h"

namespace mofurin {

namespace {

constexpr Side P = Side::Player;
constexpr Side O = Side::Opponent;

// The numbers of lines 2 to 17, in file order, as pointers into a state;
// the same list drives writing, reading and unscaling.
std::vector<std::vector<qint32*>> numberLines(GameState& g) {
  std::vector<std::vector<qint32*>> lines;
  for (int p = 0; p < kPartCount; ++p) {
    lines.push_back({&g.partHp(p, P), &g.partAttack(p, P), &g.partDefence(p, P)});
  }
  lines.push_back({&g.levels[P], &g.characterIndex[P]});
  lines.push_back({&g.levels[O], &g.characterIndex[O]});
  for (int s = 0; s < kSlotCount; ++s) lines.push_back({&g.techniqueCosts(s, P)});
  lines.push_back({&g.wins, &g.bouts, &g.losses});
  lines.push_back({&g.lifeForce, &g.lifeForceMax, &g.money, &g.messageSpeed, &g.attackAnimation});
  return lines;
}

std::vector<QString*> textLines(GameState& g) {
  std::vector<QString*> lines{&g.rankText, &g.fighterName[P], &g.fighterName[O]};
  for (int s = 0; s < kSlotCount; ++s) lines.push_back(&g.techniqueNames(s, P));
  return lines;
}

qint64 checksum(const GameState& g, qint64 key) {
  return qint64(g.partHp(BodyPart::H, P)) + key + g.partHp(BodyPart::L, P) + g.partAttack(BodyPart::A, P) + g.wins +
         g.bouts + g.lifeForce;
}

bool fits(qint64 v) { return v >= std::numeric_limits<qint32>::min() && v <= std::numeric_limits<qint32>::max(); }

// Every number of the file is a whole signed 32-bit value; anything else
// (a fraction, an infinity, "nan", 1e300) makes the file unreadable.
std::optional<qint32> readWhole(SequentialReader& reader) {
  const std::optional<double> v = reader.readNumber();
  if (!v || !std::isfinite(*v) || *v != std::trunc(*v)) return std::nullopt;
  if (*v < std::numeric_limits<qint32>::min() || *v > std::numeric_limits<qint32>::max()) return std::nullopt;
  return static_cast<qint32>(*v);
}

std::optional<SavedGame> readRecord(SequentialReader& reader) {
  SavedGame saved;
  const std::optional<qint32> key = readWhole(reader);
  const std::optional<qint32> sum = readWhole(reader);
  if (!key || *key < kFirstSaveKey || *key > kLastSaveKey || !sum) return std::nullopt;
  saved.key = *key;
  saved.storedChecksum = *sum;
  for (const auto& line : numberLines(saved.values)) {
    for (qint32* field : line) {
      const std::optional<qint32> v = readWhole(reader);
      if (!v) return std::nullopt;
      *field = *v;
    }
  }
  for (QString* field : textLines(saved.values)) {
    const std::optional<QString> text = reader.readText();
    if (!text) return std::nullopt;
    *field = *text;
  }
  for (const auto& line : numberLines(saved.values)) {
    for (qint32* field : line) {
      const double q = static_cast<double>(*field) / saved.key;
      if (q == std::trunc(q)) {
        *field = static_cast<qint32>(q);
      } else {
        saved.notWhole = true;
      }
    }
  }
  return saved;
}

}  // namespace

std::optional<SequentialWriter> saveFileContents(const GameState& game, int key) {
  GameState g = game;
  const qint64 sum = checksum(g, key);
  if (!fits(sum)) return std::nullopt;
  SequentialWriter writer;
  writer.number(key).number(sum).endLine();
  for (const auto& line : numberLines(g)) {
    for (qint32* field : line) {
      const qint64 scaled = qint64(*field) * key;
      if (!fits(scaled)) return std::nullopt;
      writer.number(scaled);
    }
    writer.endLine();
  }
  for (QString* field : textLines(g)) writer.text(*field).endLine();
  return writer;
}

bool SavedGame::passesIntegrityTest() const { return !notWhole && checksum(values, key) == storedChecksum; }

void SavedGame::applyTo(GameState& game) const {
  GameState source = values;
  const auto from = numberLines(source);
  const auto to = numberLines(game);
  for (std::size_t i = 0; i < from.size(); ++i) {
    for (std::size_t j = 0; j < from[i].size(); ++j) *to[i][j] = *from[i][j];
  }
  const auto texts = textLines(source);
  const auto targets = textLines(game);
  for (std::size_t i = 0; i < texts.size(); ++i) *targets[i] = *texts[i];
}

std::optional<SavedGame> parseSaveFile(const QString& text) {
  SequentialReader reader(text);
  std::optional<SavedGame> last;
  while (!reader.atEnd() && !reader.onlyBlanksLeft()) {
    last = readRecord(reader);
    if (!last) return std::nullopt;
  }
  return last;
}

std::optional<SavedGame> readSaveFile(const QString& path) {
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) return std::nullopt;
  const QByteArray bytes = file.read(kMaxSaveFileBytes + 1);
  if (bytes.size() > kMaxSaveFileBytes) return std::nullopt;
  // No line the game writes comes near this; a longer one is not ours.
  for (const QByteArray& line : bytes.split('\n')) {
    if (line.size() > kMaxSaveLineBytes) return std::nullopt;
  }
  const std::optional<QString> text = decodeCp932Strictly(bytes);
  if (!text) return std::nullopt;
  return parseSaveFile(*text);
}

}  // namespace mofurin
