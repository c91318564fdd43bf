#include "platform/Platform.h"

namespace mofurin::platform {

void Platform::showHelp(const QString& topic) {
  trace(topic.isEmpty() ? QStringLiteral("[help]") : QStringLiteral("[help %1]").arg(topic));
  doShowHelp(topic);
}

void Platform::beep() {
  trace(QStringLiteral("[beep]"));
  doBeep();
}

void Platform::quit() {
  trace(QStringLiteral("[end]"));
  doQuit();
}

}  // namespace mofurin::platform
