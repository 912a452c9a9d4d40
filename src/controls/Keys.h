// Toolkit-free key codes, modifier flags and mouse buttons; the Qt binding maps its
// own codes onto these.
#pragma once

#include <cstdint>

namespace Key {
inline constexpr int Backspace = 8;
inline constexpr int Tab = 9;
inline constexpr int Return = 13;
inline constexpr int Escape = 27;
inline constexpr int Space = 32;
inline constexpr int Left = 37;
inline constexpr int Up = 38;
inline constexpr int Right = 39;
inline constexpr int Down = 40;
inline constexpr int Delete = 46;
// Digits and letters are their ASCII codes: '0'..'9', 'A'..'Z' (upper case for either case).
inline constexpr int Digit(int d) { return '0' + d; }
inline constexpr int Letter(char upper) { return upper; }
inline constexpr int Comma = 188;   // the comma key of the main keyboard
inline constexpr int Period = 190;  // the period key of the main keyboard
}  // namespace Key

// Modifier keys held during an event.
enum TShiftFlag : uint8_t {
  ssShift = 1,
  ssCtrl = 2,
  ssAlt = 4,
  ssMeta = 8,
};
using TShiftState = uint8_t;

enum class EMouseButton { Left, Right, Middle };
