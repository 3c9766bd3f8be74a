// Mouse button and modifier bits, and the key record handed to the frame.
#pragma once

// Buttons and modifiers held at the moment of a mouse event.
enum CButtonState : long {
  kLButton = 1 << 0,
  kMButton = 1 << 1,
  kRButton = 1 << 2,
  kShift = 1 << 3,
  kControl = 1 << 4,
  kAlt = 1 << 5,
};

constexpr long kModifierButtons = kShift | kControl | kAlt;

// A key press: character, virtual key and modifier bits, with the same
// numbering as the keys a plug-in host hands to its editors.
struct CKeyCode {
  int character = 0;
  unsigned char virt = 0;
  unsigned char modifier = 0;
};

enum CVirtualKey : unsigned char {
  kVirtKeyTab = 2,
  kVirtKeyLeft = 11,
  kVirtKeyUp = 12,
  kVirtKeyRight = 13,
  kVirtKeyDown = 14,
};

enum CKeyModifier : unsigned char {
  kKeyModifierShift = 1 << 0,
  kKeyModifierAlternate = 1 << 1,
  kKeyModifierCommand = 1 << 2,
  kKeyModifierControl = 1 << 3,
};

// Answers of key handlers: 1 handled, -1 not handled.
constexpr int kKeyHandled = 1;
constexpr int kKeyNotHandled = -1;
