#pragma once

#include <QByteArray>
#include <QString>
#include <memory>
#include <optional>

#include "game/GameState.h"
#include "net/LinkState.h"
#include "platform/Datagram.h"
#include "platform/Form.h"
#include "platform/Platform.h"
#include "platform/Timer.h"

namespace mofurin {

// What a host that waits for a guest tells the local network when it starts
// to listen, when a finder asks, and seldom in between: one line of UTF-8
// text, "モフリンＧＰ 1 PORT LEVEL NAME" (the game's name, the format's
// version, the link's TCP port, the fighter's level and name). Nothing in it
// is trusted beyond showing it: the guest dials the address the datagram
// came from, never one read from the text.
struct HostAnnouncement {
  quint16 port = 0;
  qint32 level = 0;
  QString name;
  friend bool operator==(const HostAnnouncement&, const HostAnnouncement&) = default;
};

// Longer datagrams are not read at all.
constexpr qsizetype kAnnouncementMaxBytes = 256;
// A fighter's name is cut to this many characters when announced.
constexpr qsizetype kAnnouncedNameMax = 32;

QByteArray buildAnnouncement(const HostAnnouncement& host);
// Nothing for a datagram that is too long, from another game or version, or
// malformed: a port out of range, a level below 1, a name that is empty, too
// long or holds control characters, text that is not UTF-8.
std::optional<HostAnnouncement> readAnnouncement(const QByteArray& datagram);

// What a finder asks the hosts of the local network, on the link's port:
// "モフリンＧＰ 1 ?". A finder of the first version, which only listens,
// reads it as no announcement and passes over it.
QByteArray buildQuestion();
bool isQuestion(const QByteArray& datagram);

// Tells the local network that this game waits for a guest, on the link's
// port, from the moment its link listens until it is linked or stops
// listening: once at the start, at once to a finder that asks, and seldom in
// between for finders that only listen. A waiting host so wakes seldom. The
// link window starts and stops it.
class HostAnnouncer {
 public:
  static constexpr int kSeldomMs = 5000;
  // Where no finder can ask (the port cannot be shared), as often as a
  // finder that only listens needs.
  static constexpr int kUnaskedMs = 1000;
  // A flood of questions is answered a few times a second at most: one
  // answer reaches every finder.
  static constexpr int kAnswerGapMs = 250;
  HostAnnouncer(platform::Form& owner, platform::Platform& platform, const LinkState& link, const GameState& game);
  ~HostAnnouncer() { stop(); }

  void start();  // announces at once, then seldom and when asked
  void stop();
  bool announcing() const { return timer_.enabled(); }

 private:
  void announce();
  void answerQuestions();

  platform::Platform& platform_;
  const LinkState& link_;
  const GameState& game_;
  platform::Timer timer_;
  std::unique_ptr<platform::DatagramSocket> socket_;
  qint64 lastAnnounced_ = 0;
};

}  // namespace mofurin
