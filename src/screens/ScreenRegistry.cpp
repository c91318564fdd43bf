#include "screens/ScreenRegistry.h"

#include "screens/GameContext.h"
#include "screens/Selection.h"
#include "screens/Title.h"

namespace mofurin {

namespace {

template <class F>
void define(GameContext& ctx) {
  ctx.screens.define(F::kName, [&ctx] { return std::make_unique<F>(ctx); });
}

}  // namespace

void registerScreens(GameContext& ctx) {
  define<Form2>(ctx);
  define<Form3>(ctx);
  define<Form8>(ctx);
}

}  // namespace mofurin
