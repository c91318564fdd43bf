#include "platform/headless/HeadlessPlatform.h"

#include <QDir>

namespace mofurin::platform {

HeadlessPlatform::HeadlessPlatform(VirtualClock& clock, QString assetFolder, QString workingFolder)
    : Platform(clock),
      clock_(clock),
      dialogs_([this](const QString& line) { trace(line); }),
      media_(clock),
      assetFolder_(std::move(assetFolder)),
      workingFolder_(std::move(workingFolder)) {
  // The driver and the tests never touch the player's own settings.
  setSettingsFile(QDir(workingFolder_).filePath(kSettingsFileName));
}

quint32 HeadlessPlatform::clockSeed() { return seedBase_ ^ static_cast<quint32>(clock_.now() * 2654435761u); }

Network& HeadlessPlatform::network() {
  if (!network_) {
    ownWire_ = std::make_unique<MemoryWire>(clock_);
    network_ = std::make_unique<MemoryNetwork>(*ownWire_, QStringLiteral("127.0.0.1"));
  }
  return *network_;
}

void HeadlessPlatform::joinWire(MemoryWire& wire, const QString& address) {
  network_ = std::make_unique<MemoryNetwork>(wire, address);
}

void HeadlessPlatform::doShowHelp(const QString& topic) {
  ++helpRequests_;
  lastHelpTopic_ = topic;
}

}  // namespace mofurin::platform
