#pragma once

#include <QByteArray>
#include <QString>
#include <QStringView>
#include <optional>

#include "game/GameState.h"

// The texts two games exchange over their link: the setup messages that copy
// each fighter to the other machine, then the battle messages of the bout,
// and the framing that keeps them apart on the wire.
namespace mofurin {

constexpr quint16 kLinkPort = 1001;
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

// Battle messages: a two-character tag, the sender's round in 6, the body.
namespace tag {
inline const QString Choice = QStringLiteral("選択");
inline const QString Strike = QStringLiteral("攻撃");
inline const QString Ack = QStringLiteral("確認");
inline const QString Sync = QStringLiteral("同期");
inline const QString Resend = QStringLiteral("送可");
inline const QString Flee = QStringLiteral("逃亡");
inline const QString Say = QStringLiteral("発言");
}  // namespace tag

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
