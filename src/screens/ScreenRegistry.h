#pragma once

namespace mofurin {

class GameContext;

// Tells the screen manager how to create every screen of the game.
void registerScreens(GameContext& ctx);

}  // namespace mofurin
