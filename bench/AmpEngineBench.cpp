#include "dsp/AmpEngine.h"

#include "EngineRender.h"
#include "PluckedString.h"

#include <benchmark/benchmark.h>

#include <vector>

namespace {

using tamzor::dsp::AmpBlockControls;
using tamzor::dsp::AmpEngine;
namespace ts = tamzor::testsignal;

constexpr int blockSize = 256;

// Host rate and quality that select each oversampling factor.
void configureForFactor(AmpEngine& engine, int factor, float& rate)
{
    rate = factor == 2 ? 96000.0f : 44100.0f;
    engine.postConfiguration(rate, factor == 8 ? 1 : 0);
    engine.applyPendingConfiguration();
    engine.designTriodes();
}

// Args: factor, channel (0 PLS, 1 MCJ), stereo (0/1), fast paths (0: the
// plain one-sample path, 1: pipelined, stereo in SSE2 lanes when built).
void BM_HostSample(benchmark::State& state)
{
    const int factor = static_cast<int>(state.range(0));
    AmpEngine engine;
    float rate = 0.0f;
    configureForFactor(engine, factor, rate);
    engine.setFastPathsEnabled(state.range(3) != 0);
    AmpBlockControls controls = ts::defaultControls();
    controls.channelSelect = static_cast<int>(state.range(1));
    controls.stereoMode = static_cast<int>(state.range(2));

    const auto signal = ts::pluckedString(static_cast<double>(rate), 2.0);
    std::vector<float> left(blockSize);
    std::vector<float> right(blockSize);
    std::size_t position = 0;
    for (auto _ : state) {
        if (position + blockSize > signal.size()) {
            position = 0;
        }
        const float* inputs[2] = {signal.data() + position, signal.data() + position};
        float* outputs[2] = {left.data(), right.data()};
        engine.process(inputs, outputs, blockSize, controls);
        benchmark::DoNotOptimize(left.data());
        benchmark::DoNotOptimize(right.data());
        position += blockSize;
    }
    state.SetItemsProcessed(state.iterations() * blockSize);
    // Seconds per host sample (printed with an SI prefix, e.g. 250n).
    state.counters["per_host_sample"] = benchmark::Counter(
        static_cast<double>(state.iterations()) * blockSize, benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}

void hostSampleArguments(benchmark::internal::Benchmark* bench)
{
    bench->ArgNames({"factor", "mcj", "stereo", "fast"});
    for (int factor : {2, 4, 8}) {
        for (int channel : {0, 1}) {
            for (int stereo : {0, 1}) {
                bench->Args({factor, channel, stereo, 0});
                bench->Args({factor, channel, stereo, 1});
            }
        }
    }
}

BENCHMARK(BM_HostSample)->Apply(hostSampleArguments);

// Sixty seconds of a plucked string at 44.1 kHz through the whole engine;
// the counter realtime_x is seconds of audio per second of CPU time.
// Args: highQuality (0/1), stereo (0/1).
void BM_RealTimeFactor(benchmark::State& state)
{
    constexpr double seconds = 60.0;
    const auto signal = ts::pluckedString(44100.0, seconds);
    std::vector<float> left(signal.size());
    std::vector<float> right(signal.size());
    AmpBlockControls controls = ts::defaultControls();
    controls.stereoMode = static_cast<int>(state.range(1));
    for (auto _ : state) {
        state.PauseTiming();
        AmpEngine engine;
        engine.postConfiguration(44100.0f, static_cast<int>(state.range(0)));
        engine.applyPendingConfiguration();
        engine.designTriodes();
        state.ResumeTiming();
        for (std::size_t start = 0; start < signal.size(); start += blockSize) {
            const int frames = static_cast<int>(std::min<std::size_t>(blockSize, signal.size() - start));
            const float* inputs[2] = {signal.data() + start, signal.data() + start};
            float* outputs[2] = {left.data() + start, right.data() + start};
            engine.applyPendingConfiguration();
            engine.process(inputs, outputs, frames, controls);
        }
        benchmark::DoNotOptimize(left.data());
    }
    state.counters["realtime_x"] = benchmark::Counter(seconds * static_cast<double>(state.iterations()),
                                                      benchmark::Counter::kIsRate);
}

BENCHMARK(BM_RealTimeFactor)
    ->ArgNames({"highQ", "stereo"})
    ->Args({0, 0})
    ->Args({0, 1})
    ->Args({1, 0})
    ->Args({1, 1})
    ->Unit(benchmark::kMillisecond)
    ->Iterations(1);

} // namespace

BENCHMARK_MAIN();
