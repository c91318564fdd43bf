#pragma once

#include <optional>

// Key codes as the screens see them.
namespace mofurin::platform::Key {

constexpr int Backspace = 8;
constexpr int Tab = 9;
constexpr int Enter = 13;
constexpr int Escape = 27;
constexpr int Space = 32;
constexpr int PageUp = 33;
constexpr int PageDown = 34;
constexpr int End = 35;
constexpr int Home = 36;
constexpr int Left = 37;
constexpr int Up = 38;
constexpr int Right = 39;
constexpr int Down = 40;
constexpr int Digit0 = 48;   // the main keyboard's digit row: 48..57
constexpr int A = 65;        // letters: 65..90
constexpr int Numpad0 = 96;  // the numeric keypad: 96..105
constexpr int F1 = 112;

// The digit 0..9 of a key of the digit row or the numeric keypad.
constexpr std::optional<int> digitOf(int keyCode) {
  if (keyCode >= Digit0 && keyCode <= Digit0 + 9) return keyCode - Digit0;
  if (keyCode >= Numpad0 && keyCode <= Numpad0 + 9) return keyCode - Numpad0;
  return std::nullopt;
}

}  // namespace mofurin::platform::Key
