// Cost of the editor's paths: a parameter change reaching the editor (any
// thread, must stay cheap), a full panel redraw, and an idle that redraws
// one changed knob.
#include <benchmark/benchmark.h>

#include <array>

#include "CFrame.h"
#include "editor/RIDuvaro.h"
#include "plugin/AudioEffectX.h"

namespace {

class StillEffect final : public AudioEffectX {
 public:
  StillEffect() : AudioEffectX(nullptr, 1, 13) { values.fill(0.5f); }
  void processReplacing(float**, float**, VstInt32) override {}
  float getParameter(VstInt32 index) override { return values[static_cast<std::size_t>(index)]; }
  void setParameter(VstInt32 index, float value) override {
    values[static_cast<std::size_t>(index)] = value;
    if (AEffEditor* panel = getEditor()) panel->setParameter(index, value);
  }

 private:
  std::array<float, 13> values{};
};

void BM_SetParameterReachesTheEditor(benchmark::State& state) {
  StillEffect effect;
  auto* editor = new RIDuvaro(&effect);
  editor->open(nullptr);
  float v = 0.0f;
  for (auto _ : state) {
    editor->setParameter(2, v);
    v = v > 0.99f ? 0.0f : v + 0.001f;
  }
  editor->close();
}
BENCHMARK(BM_SetParameterReachesTheEditor);

void BM_FullPanelRedraw(benchmark::State& state) {
  StillEffect effect;
  auto* editor = new RIDuvaro(&effect);
  editor->open(nullptr);
  for (auto _ : state) editor->getFrame()->redraw();
  editor->close();
}
BENCHMARK(BM_FullPanelRedraw)->Unit(benchmark::kMicrosecond);

void BM_IdleRedrawingOneKnob(benchmark::State& state) {
  StillEffect effect;
  auto* editor = new RIDuvaro(&effect);
  editor->open(nullptr);
  editor->idle();
  float v = 0.0f;
  for (auto _ : state) {
    effect.setParameter(2, v);
    editor->idle();
    v = v > 0.95f ? 0.0f : v + 0.05f;
  }
  editor->close();
}
BENCHMARK(BM_IdleRedrawingOneKnob)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
