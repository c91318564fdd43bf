#pragma once

// Key codes as the screens see them.
namespace mofurin::platform::Key {

constexpr int Backspace = 8;
constexpr int Tab = 9;
constexpr int Enter = 13;
constexpr int Escape = 27;
constexpr int Space = 32;
constexpr int Left = 37;
constexpr int Up = 38;
constexpr int Right = 39;
constexpr int Down = 40;
constexpr int Digit0 = 48;   // the main keyboard's digit row: 48..57
constexpr int A = 65;        // letters: 65..90
constexpr int Numpad0 = 96;  // the numeric keypad: 96..105
constexpr int F1 = 112;

}  // namespace mofurin::platform::Key
