#include "platform/headless/HeadlessPlatform.h"

namespace mofurin::platform {

HeadlessPlatform::HeadlessPlatform(QString programFolder, QString workingFolder)
    : dialogs_([this](const QString& line) { trace(line); }),
      programFolder_(std::move(programFolder)),
      workingFolder_(std::move(workingFolder)) {}

quint32 HeadlessPlatform::clockSeed() { return seedBase_ ^ static_cast<quint32>(clock_.now() * 2654435761u); }

void HeadlessPlatform::doShowHelp(const QString& topic) {
  ++helpRequests_;
  lastHelpTopic_ = topic;
}

void HeadlessPlatform::doQuit() {
  quitCalled_ = true;
  clock_.stopAll();
}

}  // namespace mofurin::platform
