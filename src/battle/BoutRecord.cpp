#include "battle/BoutRecord.h"

#include <QCoreApplication>
#include <QCryptographicHash>
#include <QStringList>
#include <cmath>
#include <limits>

#include "battle/BattleEngine.h"
#include "game/Numbers.h"

namespace mofurin {

// ---- The file format ---------------------------------------------------------
//
// A bout record is UTF-8 text with LF line ends, one item a line, words
// separated by one space. Texts (names, techniques) stand last on their line
// and keep everything up to its end, with "\\", "\r" and "\n" escaped as
// backslash, r and n. Numbers are plain decimals; a draw is the shortest
// decimal that reads back as exactly the same single-precision value.
//
//   mofurin-bout-record 1          the format and its version
//   kind K                         1 tournament, 2 training or network
//   network N                      none, host or guest
//   speed MS                       the message speed, 1..60000
//   animation A                    the attack animation option
//   tournament T                   1 while a tournament runs, else 0
//   wins W / losses L / life F     the tournament record and life force
//   saved-level V                  the tournament opponent's level
//   then for side 0 (the player) and side 1 (the opponent):
//   fighter S LEVEL ROSTER NAME
//   part S P HP ATTACK DEFENCE     four lines, P = 0 head .. 3 body
//   slot S N COST TEXT             eight lines, N = 0..7
//   then what happened, in order, any number of:
//   draw RULE VALUE                auto, damage, defence, roll, opponent, growth
//   choice S CHOOSER SLOT          player, auto, computer (9999: it could not act), peer
//   strike DAMAGE ROLL PART        a hit of the other machine's strike
//   flee S                         side S fled
//   link-lost                      the other machine went away
//   end E                          unfinished, won, lost, both, fled
//   sum H                          the first 16 hex digits of the SHA-256 of
//                                  every byte before this line
//
// Nothing may follow the sum line. A file that breaks any of this, or comes
// from a newer version, is refused whole with the line and the reason.

namespace {

const QString kMagic = QStringLiteral("mofurin-bout-record");
constexpr int kMaxTextLength = 400;
// The longest line: a slot's line with a text of kMaxTextLength characters,
// every one of them escaped or three bytes long. The most words: a part's line.
constexpr qsizetype kMaxLineBytes = 64 + 3 * kMaxTextLength;
constexpr qsizetype kMaxWords = 6;
constexpr std::size_t kMaxEvents = 2'000'000;
constexpr qint32 kMaxSpeed = 60000;

const std::array<const char*, 6> kDrawNames{"auto", "damage", "defence", "roll", "opponent", "growth"};
const std::array<const char*, 4> kChooserNames{"player", "auto", "computer", "peer"};
const std::array<const char*, 5> kEndingNames{"unfinished", "won", "lost", "both", "fled"};

template <std::size_t N>
int indexOf(const std::array<const char*, N>& names, const QString& word) {
  for (std::size_t i = 0; i < N; ++i) {
    if (word == QLatin1String(names[i])) return static_cast<int>(i);
  }
  return -1;
}

std::optional<QString> unescaped(const QString& text) {
  QString out;
  for (qsizetype i = 0; i < text.size(); ++i) {
    if (text[i] != u'\\') {
      out += text[i];
      continue;
    }
    if (++i == text.size()) return std::nullopt;
    switch (text[i].unicode()) {
      case u'\\': out += u'\\'; break;
      case u'r': out += u'\r'; break;
      case u'n': out += u'\n'; break;
      default: return std::nullopt;
    }
  }
  return out;
}

QString drawText(float value) {
  QString text = QString::number(value, 'g', 9);
  if (text.toFloat() != value) text = QString::number(static_cast<double>(value), 'g', 17);
  return text;
}

QByteArray checksum(QByteArrayView bytes) {
  return QCryptographicHash::hash(bytes, QCryptographicHash::Sha256).toHex().left(16);
}

class Writer {
 public:
  void line(const QString& text) { out_ += text.toUtf8() + '\n'; }
  template <class... Args>
  void words(const char* first, const Args&... rest) {
    QStringList parts{QLatin1String(first)};
    (parts << ... << word(rest));
    line(parts.join(u' '));
  }
  QByteArray finish() {
    out_ += "sum " + checksum(out_) + '\n';
    return out_;
  }

 private:
  static QString word(const QString& s) { return s; }
  static QString word(const char* s) { return QLatin1String(s); }
  static QString word(qint64 n) { return QString::number(n); }
  static QString word(int n) { return QString::number(n); }
  QByteArray out_;
};

struct EventWriter {
  Writer& w;
  void operator()(const DrawEvent& e) { w.words("draw", kDrawNames[int(e.rule)], drawText(e.value)); }
  void operator()(const ChoiceEvent& e) {
    w.words("choice", side(e.side), kChooserNames[int(e.chooser)], qint64(e.slot));
  }
  void operator()(const PeerStrikeEvent& e) { w.words("strike", qint64(e.damage), qint64(e.roll), qint64(e.part)); }
  void operator()(const FleeEvent& e) { w.words("flee", side(e.side)); }
  void operator()(const LinkLostEvent&) { w.line(QStringLiteral("link-lost")); }
};

// The reader walks the lines in order; any problem stops it with the line.
class Reader {
 public:
  explicit Reader(const QByteArray& bytes) : bytes_(bytes) {}

  std::variant<BoutRecord, RecordProblem> read() {
    BoutRecord r;
    if (!header() || !opening(r) || !events(r) || !ending(r) || !sum()) return problem_;
    return r;
  }

 private:
  bool fail(const QString& reason) {
    problem_ = {lineNumber_, reason};
    return false;
  }

  // The next line split at its first `count` spaces; the last word keeps the
  // rest of the line.
  bool nextLine(QStringList& words, int count = -1) {
    if (offset_ >= bytes_.size()) {
      ++lineNumber_;
      return fail(QCoreApplication::translate("BoutRecord", "ファイルが途中で切れています"));
    }
    const qsizetype end = bytes_.indexOf('\n', offset_);
    if (end < 0) {
      ++lineNumber_;
      return fail(QCoreApplication::translate("BoutRecord", "ファイルが途中で切れています"));
    }
    // Refused before it is copied or split: a hostile file of one huge line
    // of spaces would otherwise cost many times its size.
    if (end - offset_ > kMaxLineBytes) {
      ++lineNumber_;
      return fail(QCoreApplication::translate("BoutRecord", "行が長すぎます"));
    }
    lineStart_ = offset_;
    const QByteArray raw = bytes_.mid(offset_, end - offset_);
    if (count < 0 && raw.count(' ') >= kMaxWords) {
      ++lineNumber_;
      return fail(QCoreApplication::translate("BoutRecord", "行の語が多すぎます"));
    }
    offset_ = end + 1;
    ++lineNumber_;
    const QString line = QString::fromUtf8(raw);
    if (line.toUtf8() != raw) return fail(QCoreApplication::translate("BoutRecord", "UTF-8 の文字ではありません"));
    words = count < 0 ? line.split(u' ') : splitFirst(line, count);
    return true;
  }

  static QStringList splitFirst(const QString& line, int count) {
    QStringList words;
    qsizetype from = 0;
    for (int i = 0; i < count; ++i) {
      const qsizetype space = line.indexOf(u' ', from);
      if (space < 0) break;
      words << line.mid(from, space - from);
      from = space + 1;
    }
    words << line.mid(from);
    return words;
  }

  bool expect(const QStringList& words, const char* key, int size) {
    if (words.size() != size || words[0] != QLatin1String(key)) {
      return fail(QCoreApplication::translate("BoutRecord", "「%1」の行のはずです").arg(QLatin1String(key)));
    }
    return true;
  }

  bool number(const QString& word, qint32& out, qint64 low = std::numeric_limits<qint32>::min(),
              qint64 high = std::numeric_limits<qint32>::max()) {
    bool ok = false;
    const qint64 v = word.toLongLong(&ok);
    // Only plain decimals: no "+", no blanks, no leading zeros to hide data in.
    if (!ok || v < low || v > high || QString::number(v) != word) {
      return fail(QCoreApplication::translate("BoutRecord", "数「%1」が正しくありません").arg(word.left(20)));
    }
    out = static_cast<qint32>(v);
    return true;
  }

  bool text(const QString& word, QString& out) {
    const std::optional<QString> t = unescaped(word);
    if (!t || t->size() > kMaxTextLength)
      return fail(QCoreApplication::translate("BoutRecord", "文字列が正しくありません"));
    out = *t;
    return true;
  }

  bool keyNumber(const char* key, qint32& out, qint64 low, qint64 high) {
    QStringList w;
    return nextLine(w) && expect(w, key, 2) && number(w[1], out, low, high);
  }

  bool header() {
    QStringList w;
    if (!nextLine(w)) return false;
    if (w.size() != 2 || w[0] != kMagic)
      return fail(QCoreApplication::translate("BoutRecord", "リプレイファイルではありません"));
    qint32 version = 0;
    if (!number(w[1], version, 1)) return false;
    if (version > BoutRecord::kVersion) {
      return fail(
          QCoreApplication::translate("BoutRecord", "新しい版のゲームで記録されたリプレイです（版 %1）").arg(version));
    }
    return true;
  }

  bool opening(BoutRecord& r) {
    QStringList w;
    if (!keyNumber("kind", r.battleKind, kTournamentBout, kTrainingOrNetworkBout)) return false;
    if (!nextLine(w) || !expect(w, "network", 2)) return false;
    const int net = QStringList{"none", "host", "guest"}.indexOf(w[1]);
    if (net < 0) return fail(QCoreApplication::translate("BoutRecord", "「network」の値が正しくありません"));
    r.network = net != 0;
    r.host = net == 1;
    qint32 tournament = 0;
    if (!keyNumber("speed", r.messageSpeed, 1, kMaxSpeed) ||
        !keyNumber("animation", r.attackAnimation, std::numeric_limits<qint32>::min(),
                   std::numeric_limits<qint32>::max()) ||
        !keyNumber("tournament", tournament, 0, 1) || !keyNumber("wins", r.wins, 0, INT32_MAX) ||
        !keyNumber("losses", r.losses, 0, INT32_MAX) || !keyNumber("life", r.lifeForce, INT32_MIN, INT32_MAX) ||
        !keyNumber("saved-level", r.savedOpponentLevel, INT32_MIN, INT32_MAX)) {
      return false;
    }
    r.tournamentRunning = tournament == 1;
    return fighter(r, Side::Player) && fighter(r, Side::Opponent);
  }

  bool fighter(BoutRecord& r, Side s) {
    RecordedFighter& f = r.fighters[s];
    QStringList w;
    qint32 sideNumber = -1;
    if (!nextLine(w, 4) || !expect(w, "fighter", 5) || !number(w[1], sideNumber, side(s), side(s)) ||
        !number(w[2], f.level) || !number(w[3], f.rosterIndex) || !text(w[4], f.name)) {
      return false;
    }
    for (int p = 0; p < kPartCount; ++p) {
      qint32 n = 0;
      if (!nextLine(w) || !expect(w, "part", 6) || !number(w[1], n, side(s), side(s)) || !number(w[2], n, p, p) ||
          !number(w[3], f.hp[p]) || !number(w[4], f.attack[p]) || !number(w[5], f.defence[p])) {
        return false;
      }
    }
    for (int slot = 0; slot < kSlotCount; ++slot) {
      qint32 n = 0;
      if (!nextLine(w, 4) || !expect(w, "slot", 5) || !number(w[1], n, side(s), side(s)) ||
          !number(w[2], n, slot, slot) || !number(w[3], f.costs[slot]) || !text(w[4], f.techniques[slot])) {
        return false;
      }
    }
    return true;
  }

  bool events(BoutRecord& r) {
    QStringList w;
    while (true) {
      const qsizetype lineStart = offset_;
      const int lineNumber = lineNumber_;
      if (!nextLine(w)) return false;
      if (w[0] == u"end") {
        offset_ = lineStart;  // the ending reads it again
        lineNumber_ = lineNumber;
        return true;
      }
      if (r.events.size() >= kMaxEvents) return fail(QCoreApplication::translate("BoutRecord", "記録が長すぎます"));
      BoutEvent e;
      if (!event(w, e)) return false;
      r.events.push_back(e);
    }
  }

  bool event(const QStringList& w, BoutEvent& out) {
    const QString& key = w[0];
    if (key == u"draw") {
      if (!expect(w, "draw", 3)) return false;
      const int rule = indexOf(kDrawNames, w[1]);
      bool ok = false;
      const float v = w[2].toFloat(&ok);
      // Only the form the writer gives a value: another spelling of the same
      // draw would hide data and not write back the same.
      if (rule < 0 || !ok || !(v >= 0.0f && v < 1.0f) || drawText(v) != w[2]) {
        return fail(QCoreApplication::translate("BoutRecord", "乱数の記録が正しくありません"));
      }
      out = DrawEvent{static_cast<Draw>(rule), v};
      return true;
    }
    if (key == u"choice") {
      qint32 s = 0, slot = 0;
      if (!expect(w, "choice", 4) || !number(w[1], s, 0, 1)) return false;
      const int chooser = indexOf(kChooserNames, w[2]);
      const bool playerSide = chooser == int(Chooser::Player) || chooser == int(Chooser::Auto);
      if (chooser < 0 || playerSide != (s == 0))
        return fail(QCoreApplication::translate("BoutRecord", "ワザの選択の記録が正しくありません"));
      if (!number(w[3], slot, 0, kBeatenMark)) return false;
      const bool cannotAct = slot == kBeatenMark && chooser == int(Chooser::Computer);
      if (slot >= kSlotCount && !cannotAct)
        return fail(QCoreApplication::translate("BoutRecord", "ワザの番号が正しくありません"));
      out = ChoiceEvent{s == 0 ? Side::Player : Side::Opponent, static_cast<Chooser>(chooser), slot};
      return true;
    }
    if (key == u"strike") {
      PeerStrikeEvent e{};
      if (!expect(w, "strike", 4) || !number(w[1], e.damage) || !number(w[2], e.roll, 0, 9) ||
          !number(w[3], e.part, 0, kPartCount - 1)) {
        return false;
      }
      out = e;
      return true;
    }
    if (key == u"flee") {
      qint32 s = 0;
      if (!expect(w, "flee", 2) || !number(w[1], s, 0, 1)) return false;
      out = FleeEvent{s == 0 ? Side::Player : Side::Opponent};
      return true;
    }
    if (key == u"link-lost") {
      if (!expect(w, "link-lost", 1)) return false;
      out = LinkLostEvent{};
      return true;
    }
    return fail(QCoreApplication::translate("BoutRecord", "知らない行です"));
  }

  bool ending(BoutRecord& r) {
    QStringList w;
    if (!nextLine(w) || !expect(w, "end", 2)) return false;
    const int e = indexOf(kEndingNames, w[1]);
    if (e < 0) return fail(QCoreApplication::translate("BoutRecord", "勝敗の記録が正しくありません"));
    r.ending = static_cast<Ending>(e);
    return true;
  }

  bool sum() {
    QStringList w;
    if (!nextLine(w) || !expect(w, "sum", 2)) return false;
    if (w[1].toLatin1() != checksum(QByteArrayView(bytes_).first(lineStart_))) {
      return fail(QCoreApplication::translate("BoutRecord", "中身が書き換えられています"));
    }
    if (offset_ != bytes_.size()) {
      ++lineNumber_;
      return fail(QCoreApplication::translate("BoutRecord", "終わりのあとに続きがあります"));
    }
    return true;
  }

  const QByteArray& bytes_;
  qsizetype offset_ = 0;
  qsizetype lineStart_ = 0;
  int lineNumber_ = 0;
  RecordProblem problem_;
};

}  // namespace

BoutRecord BoutRecord::opening(const GameState& game, const BattleState& battle, bool host) {
  BoutRecord r;
  for (Side s : {Side::Player, Side::Opponent}) {
    RecordedFighter& f = r.fighters[s];
    f.name = game.fighterName[s];
    f.level = game.levels[s];
    f.rosterIndex = game.characterIndex[s];
    for (int p = 0; p < kPartCount; ++p) {
      f.hp[p] = game.partHp(p, s);
      f.attack[p] = game.partAttack(p, s);
      f.defence[p] = game.partDefence(p, s);
    }
    for (int slot = 0; slot < kSlotCount; ++slot) {
      f.techniques[slot] = game.techniqueNames(slot, s);
      f.costs[slot] = game.techniqueCosts(slot, s);
    }
  }
  r.battleKind = game.battleKind;
  r.network = battle.networkBattle;
  r.host = battle.networkBattle && host;
  r.messageSpeed = game.messageSpeed;
  r.attackAnimation = game.attackAnimation;
  r.tournamentRunning = game.tournamentRunning();
  r.wins = game.wins;
  r.losses = game.losses;
  r.lifeForce = game.lifeForce;
  r.savedOpponentLevel = game.savedOpponentLevel;
  return r;
}

void BoutRecord::applyTo(GameState& game) const {
  for (Side s : {Side::Player, Side::Opponent}) {
    const RecordedFighter& f = fighters[s];
    game.fighterName[s] = f.name;
    game.levels[s] = f.level;
    game.characterIndex[s] = f.rosterIndex;
    for (int p = 0; p < kPartCount; ++p) {
      game.partHp(p, s) = f.hp[p];
      game.partAttack(p, s) = f.attack[p];
      game.partDefence(p, s) = f.defence[p];
    }
    for (int slot = 0; slot < kSlotCount; ++slot) {
      game.techniqueNames(slot, s) = f.techniques[slot];
      game.techniqueCosts(slot, s) = f.costs[slot];
    }
  }
  game.battleKind = battleKind;
  game.messageSpeed = messageSpeed;
  game.attackAnimation = attackAnimation;
  // Only whether the tournament runs is read during a bout.
  game.rankText = tournamentRunning ? QStringLiteral("？") : QString();
  game.wins = wins;
  game.losses = losses;
  game.lifeForce = lifeForce;
  game.savedOpponentLevel = savedOpponentLevel;
}

QByteArray writeBoutRecord(const BoutRecord& r) {
  Writer w;
  w.words(qPrintable(kMagic), BoutRecord::kVersion);
  w.words("kind", qint64(r.battleKind));
  w.words("network", !r.network ? "none" : r.host ? "host" : "guest");
  w.words("speed", qint64(r.messageSpeed));
  w.words("animation", qint64(r.attackAnimation));
  w.words("tournament", r.tournamentRunning ? 1 : 0);
  w.words("wins", qint64(r.wins));
  w.words("losses", qint64(r.losses));
  w.words("life", qint64(r.lifeForce));
  w.words("saved-level", qint64(r.savedOpponentLevel));
  for (Side s : {Side::Player, Side::Opponent}) {
    const RecordedFighter& f = r.fighters[s];
    w.words("fighter", side(s), qint64(f.level), qint64(f.rosterIndex), escapeLineBreaks(f.name));
    for (int p = 0; p < kPartCount; ++p) {
      w.words("part", side(s), p, qint64(f.hp[p]), qint64(f.attack[p]), qint64(f.defence[p]));
    }
    for (int slot = 0; slot < kSlotCount; ++slot) {
      w.words("slot", side(s), slot, qint64(f.costs[slot]), escapeLineBreaks(f.techniques[slot]));
    }
  }
  for (const BoutEvent& e : r.events) std::visit(EventWriter{w}, e);
  w.words("end", kEndingNames[int(r.ending)]);
  return w.finish();
}

std::variant<BoutRecord, RecordProblem> readBoutRecord(const QByteArray& bytes) {
  if (bytes.size() > kMaxRecordBytes)
    return RecordProblem{0, QCoreApplication::translate("BoutRecord", "ファイルが大きすぎます")};
  return Reader(bytes).read();
}

// ---- The recorder --------------------------------------------------------------

void BoutRecorder::add(const BoutEvent& event) {
  if (expected_ && !diverged_) {
    const std::size_t at = record_.events.size();
    diverged_ = at >= expected_->events.size() || !(expected_->events[at] == event);
  }
  record_.events.push_back(event);
}

const BoutEvent* BoutRecorder::nextExpected() const {
  if (!expected_ || diverged_) return nullptr;
  const std::size_t at = record_.events.size();
  return at < expected_->events.size() ? &expected_->events[at] : nullptr;
}

std::optional<float> BoutRecorder::expectedDraw() {
  if (const BoutEvent* e = nextExpected()) {
    if (const auto* draw = std::get_if<DrawEvent>(e)) return draw->value;
  }
  if (expected_) diverged_ = true;
  return std::nullopt;
}

Ending boutEnding(const BoutRecord& record, qint32 battleResult) {
  for (const BoutEvent& e : record.events) {
    if (std::holds_alternative<FleeEvent>(e)) return Ending::Fled;
  }
  switch (battleResult) {
    case BattleResult::PlayerBeaten: return Ending::Lost;
    case BattleResult::BothBeaten: return Ending::BothBeaten;
    case BattleResult::OpponentBeaten: return Ending::Won;
    default: return Ending::Unfinished;
  }
}

}  // namespace mofurin
