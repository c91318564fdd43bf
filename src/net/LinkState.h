#pragma once

#include <QString>
#include <QtGlobal>
#include <array>

namespace mofurin {

constexpr int kInboxSize = 100;
constexpr quint16 kLinkPort = 1001;  // both sides listen and connect here, unless told another

// The network link's values that live as long as the program.
struct LinkState {
  bool isHost = false;
  QString peerAddress;
  quint16 port = kLinkPort;
  qint32 setupToSend = 0;
  qint32 setupReceived = 0;
  QString incomingMessage;
  QString outgoingMessage;
  std::array<QString, kInboxSize> inbox{};

  void clearInbox() { inbox.fill(QString()); }
};

}  // namespace mofurin
