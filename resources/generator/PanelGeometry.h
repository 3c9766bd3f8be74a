// Where the controls sit on the panel (left and top edges in panel pixels)
// and the sizes of their images; the artwork is drawn around them.
#pragma once

#include <array>

namespace artwork {

constexpr int kPanelWidth = 660;
constexpr int kPanelHeight = 248;

constexpr int kKnobSize = 45;
constexpr int kKnobFrames = 63;
constexpr int kSwitchWidth = 50;
constexpr int kSwitchHeight = 26;
constexpr int kLampSize = 8;

struct KnobPlace {
  const char* label;
  int left, top;
};

constexpr std::array<KnobPlace, 9> kKnobs{{
    {"Input", 62, 176},
    {"Drive", 185, 176},
    {"Mix PLS", 237, 176},
    {"Contour", 300, 176},
    {"Low", 351, 176},
    {"Mid", 400, 176},
    {"High", 449, 176},
    {"Power Amp", 499, 176},
    {"Volume", 549, 176},
}};

constexpr int kChannelLeft = 100, kChannelTop = 192;
constexpr int kBoostLeft = 158, kBoostTop = 200;
constexpr int kStereoLeft = 551, kStereoTop = 128;
constexpr int kQualityLeft = 551, kQualityTop = 108;

// The slide switch is drawn in rows 6 to 19 of its 26-row image, so the two
// switches stacked 20 rows apart do not touch.
constexpr double kSlideTop = 6.0, kSlideHeight = 14.0;
constexpr double kSlideSlotLeft = 4.0, kSlideSlotWidth = 42.0;

// A knob frame's value sweeps 270 degrees clockwise from lower left.
constexpr double kPi = 3.14159265358979323846;
inline double knobAngle(double value) { return 1.25 * kPi - 1.5 * kPi * value; }

}  // namespace artwork
