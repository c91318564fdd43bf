#pragma once

#include "context/GameContext.h"
#include "screens/ScreenRegistry.h"

namespace mofurin {

// A whole game: a context that knows how to create every screen.
class Game : public GameContext {
 public:
  explicit Game(platform::Platform& platform) : GameContext(platform) { registerScreens(*this); }
};

}  // namespace mofurin
