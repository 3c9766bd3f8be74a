#include "editor/panel/PanelRenderer.h"

#include "CFrame.h"
#include "editor/RIDuvaro.h"
#include "plugin/AudioEffectX.h"

namespace tamzor {
namespace {

// An effect that only holds parameter values, enough for the editor.
class StillEffect final : public AudioEffectX {
 public:
  explicit StillEffect(const PanelValues& initial) : AudioEffectX(nullptr, 1, 13), values(initial) {}

  void processReplacing(float**, float**, VstInt32) override {}
  float getParameter(VstInt32 index) override {
    return index >= 0 && index < 13 ? values[static_cast<std::size_t>(index)] : 0.0f;
  }
  void setParameter(VstInt32 index, float value) override {
    if (index < 0 || index >= 13) return;
    values[static_cast<std::size_t>(index)] = value;
    if (AEffEditor* panel = getEditor()) panel->setParameter(index, value);
  }

 private:
  PanelValues values;
};

}  // namespace

PanelValues defaultPanelValues() {
  PanelValues values{};
  values.fill(0.5f);
  values[1] = 0.0f;
  values[10] = 0.0f;
  values[11] = 0.0f;
  values[12] = 0.0f;
  return values;
}

bool renderPanel(const PanelValues& values, const std::string& path, std::string& error) {
  StillEffect effect(values);
  auto* editor = new RIDuvaro(&effect);  // owned by the effect from here on
  if (!editor->open(nullptr) || editor->getFrame() == nullptr) {
    error = "the editor could not open";
    return false;
  }
  editor->getFrame()->redraw();
  const bool written = editor->getFrame()->writePng(path.c_str());
  editor->close();
  if (!written) error = "cannot write " + path;
  return written;
}

}  // namespace tamzor
