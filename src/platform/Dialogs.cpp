#include "platform/Dialogs.h"

#include <QCoreApplication>

namespace mofurin::platform {

QString appTitle() { return QCoreApplication::translate("Dialogs", "モフリンＧＰ"); }

QString buttonsName(Buttons b) {
  switch (b) {
    case Buttons::OK: return QStringLiteral("OK");
    case Buttons::OKCancel: return QStringLiteral("OKCancel");
    case Buttons::YesNo: return QStringLiteral("YesNo");
  }
  return {};
}

QString answerName(Answer a) {
  switch (a) {
    case Answer::OK: return QStringLiteral("OK");
    case Answer::Cancel: return QStringLiteral("Cancel");
    case Answer::Yes: return QStringLiteral("Yes");
    case Answer::No: return QStringLiteral("No");
  }
  return {};
}

Answer firstButton(Buttons b) { return b == Buttons::YesNo ? Answer::Yes : Answer::OK; }

}  // namespace mofurin::platform
