#include "screens/Selection.h"

namespace mofurin {

Form3::Form3(GameContext& ctx) : Screen(ctx, kName) { setCaption(QStringLiteral("モフリン選択")); }

Form8::Form8(GameContext& ctx) : Screen(ctx, kName) {
  setCaption(QStringLiteral("モフリンを選ぼう！！全員集合"));
}

}  // namespace mofurin
