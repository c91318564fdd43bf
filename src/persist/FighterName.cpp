#include "persist/FighterName.h"

#include "game/GameState.h"
#include "persist/Cp932.h"

namespace mofurin {

QString fighterNameProblem(const QString& name) {
  if (name.contains(u'"')) {
    return QStringLiteral("名前に \" は使えません。") + newLine +
           QStringLiteral("セーブや殿堂の記録がこわれてしまうためです。");
  }
  if (!fitsCp932(name)) {
    return QStringLiteral("名前に使えない文字が入っています。") + newLine +
           QStringLiteral("セーブや殿堂の記録に書けない文字です。");
  }
  return {};
}

bool acceptableFighterName(const QString& name) {
  return !name.trimmed().isEmpty() && name.size() <= kNameLength && fighterNameProblem(name).isEmpty();
}

}  // namespace mofurin
