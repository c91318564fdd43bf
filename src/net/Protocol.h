#pragma once

#include <QByteArray>
#include <QString>
#include <QStringView>
#include <initializer_list>
#include <optional>
#include <span>
#include <vector>

#include "game/GameState.h"
#include "net/LinkState.h"

// The texts two games exchange over their link: the setup messages that copy
// each fighter to the other machine, then the battle messages of the bout,
// and the framing that keeps them apart on the wire.
namespace mofurin {

constexpr int kSetupDone = 30;              // setupToSend and setupReceived once the bout runs
constexpr int kMaxReceivedName = 999;       // a fighter name from the other machine
constexpr int kMaxReceivedTechnique = 300;  // a technique text from the other machine
constexpr qsizetype kMaxFrameBytes = 4096;  // a message without its end this long is not ours

// A number field: the plain decimal form filled with spaces on the left to
// width characters; a longer form keeps its last width characters.
QString numberField(qint64 value, int width);
// Reads a field: leading blanks skipped, digits up to the first character
// that is not part of a number; empty or not a number gives 0. Values beyond
// 32 bits are held at the nearest 32-bit value.
qint32 readField(QStringView field);

// The layout of every message, in one place. A message is its fields side
// by side, each as wide as its field says: a number right-aligned and filled
// with spaces on the left, a text as it stands. The last field of a message
// may be open (width 0): it runs to the message's end.
//
//   set-up   number(5) "  " then the body of that number:
//     0        level(9) character(9) name(open, at most 999 read)
//     1        for head, arms, legs, body: HP(9) attack(9) defence(9)
//     2 to 9   cost(9) technique(open, at most 300 read), slots 0 to 7
//     10 11 23 " "  (this side is done)
//   battle   tag(2) round(6) then the body of that tag:
//     選択       slot(open)
//     攻撃       damage(10) miss roll(3) part(4)
//     発言       what the player said (open)
//     確認 同期 送可 逃亡  nothing
struct Field {
  enum Kind { Number, Text };
  Kind kind;
  int width;     // characters; 0 runs to the end of the message
  int most = 0;  // the most characters of an open text that are read
};

namespace layout {
inline constexpr Field kSetupHeader[] = {{Field::Number, 5}, {Field::Text, 2}};
inline constexpr Field kFighter[] = {
    {Field::Number, kFighterValueWidth}, {Field::Number, kFighterValueWidth}, {Field::Text, 0, kMaxReceivedName}};
inline constexpr Field kPartValues[] = {
    {Field::Number, kFighterValueWidth}, {Field::Number, kFighterValueWidth}, {Field::Number, kFighterValueWidth}};
inline constexpr Field kTechnique[] = {{Field::Number, kFighterValueWidth}, {Field::Text, 0, kMaxReceivedTechnique}};
inline constexpr Field kDone[] = {{Field::Text, 1}};
inline constexpr Field kBattlePrefix[] = {{Field::Text, 2}, {Field::Number, 6}};
inline constexpr Field kChoice[] = {{Field::Number, 0}};
inline constexpr Field kStrike[] = {{Field::Number, 10}, {Field::Number, 3}, {Field::Number, 4}};
}  // namespace layout

// One value for a field: a number or a text.
struct FieldValue {
  FieldValue(qint64 n) : number(n) {}            // NOLINT(google-explicit-constructor): a table of values reads plainly
  FieldValue(QString t) : text(std::move(t)) {}  // NOLINT(google-explicit-constructor)
  qint64 number = 0;
  QString text;
};
// The fields written side by side, each to its width.
QString writeFields(std::span<const Field> fields, std::initializer_list<FieldValue> values);
// The text of each field, as far as the message reaches; an open text cut
// to its most.
std::vector<QStringView> cutFields(std::span<const Field> fields, QStringView message);
// What a message's fields say: numbers read as readField does, texts as they
// stand (a field the message does not reach is 0 or empty).
std::vector<FieldValue> readFields(std::span<const Field> fields, QStringView message);

// Setup message number n (0..10, 23) describing this machine's fighter.
QString setupMessage(int number, const GameState& game);

// What a received setup message says. Numbers 0-9 carry the other fighter;
// 10, 11 and 23 say the other machine is done.
struct SetupMessage {
  qint32 number = 0;
  QString body;
};
SetupMessage readSetupHeader(const QString& message);
// The host's last set-up message: it reaches the guest after its bout has
// opened, and starts the guest's first round.
constexpr int kLastSetupMessage = 23;
bool isLastSetupMessage(const QString& message);
// Stores setup messages 0-9 as the opponent (side 1); false for any other.
bool storeSetup(const SetupMessage& message, GameState& game);

// Battle messages' tags, and what the link window's log calls each kind.
namespace tag {
inline const QString Choice = QStringLiteral("選択");
inline const QString Strike = QStringLiteral("攻撃");
inline const QString Ack = QStringLiteral("確認");
inline const QString Sync = QStringLiteral("同期");
inline const QString Resend = QStringLiteral("送可");
inline const QString Flee = QStringLiteral("逃亡");
inline const QString Say = QStringLiteral("発言");
}  // namespace tag
// The kind's name in the game's language, for the tag a message starts
// with; empty for a message that starts with none.
QString battleKindName(QStringView message);

QString battleMessage(const QString& tag, qint32 round, const QString& body = {});
QString choiceMessage(qint32 round, qint32 slot);
QString strikeMessage(qint32 round, qint32 damage, qint32 missRoll, qint32 part);

struct BattleMessage {
  QString tag;
  qint32 round = 0;
  QString body;
};
BattleMessage readBattleMessage(const QString& message);

struct Strike {
  qint32 damage = 0;
  qint32 missRoll = 0;
  qint32 part = 0;
};
// A strike's fields; nothing when the roll is not 0-9 or the part not 0-3.
std::optional<Strike> readStrike(const QString& body);
// A choice's slot; nothing when it is not 0-7.
std::optional<qint32> readChoice(const QString& body);

// Framing on the wire: each message is its code page 932 bytes and one LF.
// A CR or LF inside the text becomes a space.
QByteArray frame(const QString& message);

// Cuts received bytes into messages, however the network split or joined
// them. A message whose bytes are not code page 932 text is dropped; more
// than kMaxFrameBytes without an LF is an error that ends the link.
class FrameReader {
 public:
  void append(const QByteArray& bytes);
  std::optional<QString> next();
  // Whether a whole message of the tag waits to be taken.
  bool holds(const QString& tag) const;
  bool overflowed() const { return overflowed_; }
  void clear();

 private:
  QByteArray buffer_;
  bool overflowed_ = false;
};

}  // namespace mofurin
