// Draws the editor's panel without a screen, at given parameter values.
#pragma once

#include <array>
#include <string>

namespace tamzor {

using PanelValues = std::array<float, 13>;

// Every knob centred, every switch off.
PanelValues defaultPanelValues();

// Builds the real editor over an effect holding `values`, draws the whole
// panel and writes it as a PNG file. False (with a reason) when it fails.
bool renderPanel(const PanelValues& values, const std::string& path, std::string& error);

}  // namespace tamzor
