// Where the panel's controls sit, which image each one shows and in which
// order they are created (which is also the drawing order and, reversed,
// the order of mouse hit testing).
#pragma once

#include <array>

#include "editor/RIDuvaro.h"

struct PanelLayout {
  enum class Kind { Knob, Switch };

  struct Row {
    VstInt32 tag;
    Kind kind;
    int image;
    int left;
    int top;
    CAnimKnob* RIDuvaro::* knobField;
    COnOffButton* RIDuvaro::* switchField;
  };

  // Image resource numbers.
  static constexpr int kBackgroundImage = 128;
  static constexpr int kKnobImage = 1;
  static constexpr int kChannelImage = 3;
  static constexpr int kBoostImage = 4;
  static constexpr int kSlideImage = 5;
  static constexpr int kMixKnobImage = 6;

  static constexpr int kKnobSubImages = 63;
  static constexpr int kSwitchSubImages = 2;

  static constexpr std::array<Row, 13> rows{{
      {0, Kind::Knob, kKnobImage, 62, 176, &RIDuvaro::inputKnob, nullptr},
      {1, Kind::Switch, kChannelImage, 100, 192, nullptr, &RIDuvaro::channelSwitch},
      {12, Kind::Switch, kBoostImage, 158, 200, nullptr, &RIDuvaro::boostSwitch},
      {10, Kind::Switch, kSlideImage, 551, 128, nullptr, &RIDuvaro::stereoSwitch},
      {2, Kind::Knob, kKnobImage, 185, 176, &RIDuvaro::driveKnob, nullptr},
      {3, Kind::Knob, kMixKnobImage, 237, 176, &RIDuvaro::mixKnob, nullptr},
      {7, Kind::Knob, kKnobImage, 300, 176, &RIDuvaro::contourKnob, nullptr},
      {4, Kind::Knob, kKnobImage, 351, 176, &RIDuvaro::lowKnob, nullptr},
      {5, Kind::Knob, kKnobImage, 400, 176, &RIDuvaro::midKnob, nullptr},
      {6, Kind::Knob, kKnobImage, 449, 176, &RIDuvaro::highKnob, nullptr},
      {8, Kind::Knob, kKnobImage, 499, 176, &RIDuvaro::powerAmpKnob, nullptr},
      {9, Kind::Knob, kKnobImage, 549, 176, &RIDuvaro::volumeKnob, nullptr},
      {11, Kind::Switch, kSlideImage, 551, 108, nullptr, &RIDuvaro::qualitySwitch},
  }};
};
