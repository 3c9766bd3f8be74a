// tamzor-panel: renders the editor's panel to a PNG file.
//
//   tamzor-panel OUTPUT.png [INDEX=VALUE ...]
//
// Parameters not given keep the first factory program's values; indices are
// the parameter numbers 0 to 12, values normalised 0 to 1.
#include <cstdio>
#include <cstdlib>
#include <string>

#include "editor/panel/PanelRenderer.h"

namespace {

int usage() {
  std::fprintf(stderr, "usage: tamzor-panel OUTPUT.png [INDEX=VALUE ...]   (INDEX 0..12, VALUE 0..1)\n");
  return 2;
}

bool parseAssignment(const std::string& text, tamzor::PanelValues& values) {
  const auto equals = text.find('=');
  if (equals == std::string::npos) return false;
  char* end = nullptr;
  const long index = std::strtol(text.c_str(), &end, 10);
  if (end != text.c_str() + equals || index < 0 || index > 12) return false;
  const char* valueText = text.c_str() + equals + 1;
  const float value = std::strtof(valueText, &end);
  if (end == valueText || *end != '\0' || !(value >= 0.0f && value <= 1.0f)) return false;
  values[static_cast<std::size_t>(index)] = value;
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) return usage();
  tamzor::PanelValues values = tamzor::defaultPanelValues();
  for (int i = 2; i < argc; ++i) {
    if (!parseAssignment(argv[i], values)) {
      std::fprintf(stderr, "tamzor-panel: bad parameter setting '%s'\n", argv[i]);
      return usage();
    }
  }
  std::string error;
  if (!tamzor::renderPanel(values, argv[1], error)) {
    std::fprintf(stderr, "tamzor-panel: %s\n", error.c_str());
    return 1;
  }
  return 0;
}
