#include "screens/ScreenRegistry.h"

#include "context/GameContext.h"
#include "screens/BattleScreen.h"
#include "screens/HallOfFameScreen.h"
#include "screens/HostFinder.h"
#include "screens/Hub.h"
#include "screens/Learning.h"
#include "screens/LinkWindow.h"
#include "screens/ReplayList.h"
#include "screens/Selection.h"
#include "screens/Settings.h"
#include "screens/Shop.h"
#include "screens/Story.h"
#include "screens/Title.h"

namespace mofurin {

namespace {

template <class F>
void define(GameContext& ctx) {
  ctx.forms.define(F::kName, [&ctx] { return std::make_unique<F>(ctx); });
}

}  // namespace

void registerScreens(GameContext& ctx) {
  define<Form1>(ctx);
  define<Form2>(ctx);
  define<Form3>(ctx);
  define<Form4>(ctx);
  define<Form5>(ctx);
  define<Form6>(ctx);
  define<Form7>(ctx);
  define<Form8>(ctx);
  define<Form9>(ctx);
  define<Form11>(ctx);
  define<FormSettings>(ctx);
  define<FormHosts>(ctx);
  define<FormReplays>(ctx);
}

}  // namespace mofurin
