// The whole plug-in as a host runs it: sixty seconds of a plucked-string riff
// at 44.1 kHz in blocks of 512 through processReplacing of the built module.
// Counter realtime_x: seconds of audio per second of CPU time.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <vector>

#include "PluckedString.h"
#include "host/PluginHost.h"

namespace {

constexpr double kRate = 44100.0;
constexpr double kSeconds = 60.0;
constexpr int kBlock = 512;

const std::vector<float>& riff() {
  static const std::vector<float> signal = tamzor::testsignal::pluckedString(kRate, kSeconds);
  return signal;
}

void BM_PluginRealTimeFactor(benchmark::State& state) {
  const bool highQuality = state.range(0) != 0;
  const bool stereo = state.range(1) != 0;
  const std::vector<float>& input = riff();
  std::vector<float> outLeft(kBlock), outRight(kBlock);

  for (auto _ : state) {
    state.PauseTiming();
    tamzor::host::LoadResult loaded = tamzor::host::loadPlugin(TAMZOR_PLUGIN_PATH);
    if (!loaded) {
      state.SkipWithError(loaded.error.c_str());
      return;
    }
    tamzor::host::Plugin& plugin = *loaded.plugin;
    plugin.dispatch(effSetSampleRate, 0, 0, nullptr, static_cast<float>(kRate));
    plugin.setParameter(11, highQuality ? 1.0f : 0.0f);
    plugin.setParameter(10, stereo ? 1.0f : 0.0f);
    plugin.dispatch(effMainsChanged, 0, 1);
    state.ResumeTiming();

    for (std::size_t at = 0; at + kBlock <= input.size(); at += kBlock) {
      float* inputs[] = {const_cast<float*>(input.data() + at), const_cast<float*>(input.data() + at)};
      float* outputs[] = {outLeft.data(), outRight.data()};
      plugin.processReplacing(inputs, outputs, kBlock);
    }
    benchmark::DoNotOptimize(outLeft.data());
    benchmark::ClobberMemory();

    state.PauseTiming();
    loaded.plugin.reset();
    state.ResumeTiming();
  }
  state.counters["realtime_x"] = benchmark::Counter(kSeconds * static_cast<double>(state.iterations()),
                                                    benchmark::Counter::kIsRate);
}

BENCHMARK(BM_PluginRealTimeFactor)
    ->ArgNames({"highQ", "stereo"})
    ->Args({0, 0})
    ->Args({0, 1})
    ->Args({1, 0})
    ->Args({1, 1})
    ->Unit(benchmark::kMillisecond)
    ->MeasureProcessCPUTime()
    ->Iterations(2);

}  // namespace

BENCHMARK_MAIN();
