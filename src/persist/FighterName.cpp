#include "persist/FighterName.h"

#include <QCoreApplication>

#include "game/GameState.h"
#include "persist/Cp932.h"

namespace mofurin {

QString fighterNameProblem(const QString& name) {
  if (name.contains(u'"')) {
    return QCoreApplication::translate("FighterName",
                                       "名前に \" は使えません。\r\nセーブや殿堂の記録がこわれてしまうためです。");
  }
  if (!fitsCp932(name)) {
    return QCoreApplication::translate("FighterName",
                                       "名前に使えない文字が入っています。\r\nセーブや殿堂の記録に書けない文字です。");
  }
  return {};
}

bool acceptableFighterName(const QString& name) {
  return !name.trimmed().isEmpty() && name.size() <= kNameLength && fighterNameProblem(name).isEmpty();
}

}  // namespace mofurin
