// A host's audio thread processes while its user-interface thread (or its
// automation) sets parameters, switches quality, sample rate and programs and
// restores chunks. Nothing may race, and the audio must stay finite.
#include <gtest/gtest.h>

#include <atomic>
#include <cmath>
#include <thread>
#include <vector>

#include "host/PluginHost.h"

namespace {

constexpr int kBlock = 256;

std::unique_ptr<tamzor::host::Plugin> load() {
  auto loaded = tamzor::host::loadPlugin(TAMZOR_PLUGIN_PATH);
  EXPECT_TRUE(loaded) << loaded.error;
  return std::move(loaded.plugin);
}

// Processes blocks of a decaying tone until told to stop; counts blocks and
// non-finite output samples.
struct AudioThread {
  tamzor::host::Plugin& plugin;
  std::atomic<bool>& stop;
  int blocks = 0;
  int nonFinite = 0;

  void operator()() {
    std::vector<float> inL(kBlock), inR(kBlock), outL(kBlock), outR(kBlock);
    float* inputs[2] = {inL.data(), inR.data()};
    float* outputs[2] = {outL.data(), outR.data()};
    long n = 0;
    while (!stop.load(std::memory_order_relaxed) || blocks < 20) {
      for (int i = 0; i < kBlock; ++i, ++n) {
        const double t = static_cast<double>(n % 22050) / 44100.0;
        inL[static_cast<size_t>(i)] = static_cast<float>(0.3 * std::exp(-6.0 * t) * std::sin(2.0 * M_PI * 110.0 * t));
        inR[static_cast<size_t>(i)] = inL[static_cast<size_t>(i)] * 0.7f;
      }
      plugin.processReplacing(inputs, outputs, kBlock);
      for (int i = 0; i < kBlock; ++i) {
        if (!std::isfinite(outL[static_cast<size_t>(i)]) || !std::isfinite(outR[static_cast<size_t>(i)])) ++nonFinite;
      }
      ++blocks;
    }
  }
};

TEST(ConcurrentHost, ParameterRateProgramAndChunkChangesDuringProcessingAreSafe) {
  auto plugin = load();
  ASSERT_NE(plugin, nullptr);
  const std::vector<std::uint8_t> bank = plugin->chunk(false);
  ASSERT_EQ(bank.size(), 2080u);

  std::atomic<bool> stop{false};
  AudioThread audio{*plugin, stop};
  std::thread audioThread(std::ref(audio));

  const float rates[] = {44100.0f, 48000.0f, 96000.0f, 22050.0f, 192000.0f, 0.0f, -1.0f, NAN};
  for (int round = 0; round < 400; ++round) {
    const float value = static_cast<float>((round * 37) % 101) / 100.0f;
    plugin->setParameter(round % 13, value);
    plugin->setParameter(11, (round & 1) ? 1.0f : 0.0f);  // LowQ/HighQ
    plugin->setParameter(1, (round & 2) ? 1.0f : 0.0f);   // Channel
    plugin->setParameter(10, (round & 4) ? 1.0f : 0.0f);  // Mono/Stereo
    if (round % 7 == 0) plugin->dispatch(effSetSampleRate, 0, 0, nullptr, rates[(round / 7) % 8]);
    if (round % 11 == 0) plugin->setProgram(round % 10);
    if (round % 50 == 0) plugin->setChunk(bank, false);
    (void)plugin->getParameter(round % 13);
    (void)plugin->parameterDisplay(round % 13);
  }
  stop.store(true);
  audioThread.join();

  EXPECT_GE(audio.blocks, 20);
  EXPECT_EQ(audio.nonFinite, 0);
}

}  // namespace
