#include "RenderLoop.h"

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <vector>

#include "Interruption.h"
#include "ProgressBar.h"

namespace tamzor::cli {

namespace {

// Per-channel buffers and the pointer arrays handed to processReplacing.
struct ChannelBuffers {
  ChannelBuffers(int channels, int frames)
      : storage(static_cast<std::size_t>(channels) * static_cast<std::size_t>(frames), 0.0f),
        pointers(static_cast<std::size_t>(channels)) {
    for (int c = 0; c < channels; ++c)
      pointers[static_cast<std::size_t>(c)] = storage.data() + static_cast<std::size_t>(c) * static_cast<std::size_t>(frames);
  }
  std::vector<float> storage;
  std::vector<float*> pointers;
};

class ProcessingScope {
public:
  explicit ProcessingScope(host::Plugin& effect) : plugin(effect) {
    plugin.dispatch(effMainsChanged, 0, 1);
    plugin.dispatch(effStartProcess);
  }
  ~ProcessingScope() {
    plugin.dispatch(effStopProcess);
    plugin.dispatch(effMainsChanged, 0, 0);
  }
  ProcessingScope(const ProcessingScope&) = delete;
  ProcessingScope& operator=(const ProcessingScope&) = delete;

private:
  host::Plugin& plugin;
};

}  // namespace

int renderedChannels(const AEffect& effect) { return std::min(effect.numOutputs, 2); }

Outcome<RenderReport> renderBlocks(host::Plugin& plugin, FrameSource& source, SoundFileWriter& writer,
                                   const RenderOptions& options) {
  const AEffect& effect = *plugin.effect();
  const int block = options.blockSize;
  const int sourceChannels = source.channels();
  const int outputChannels = renderedChannels(effect);
  std::vector<float> sourceFrames(static_cast<std::size_t>(block) * static_cast<std::size_t>(sourceChannels));
  std::vector<float> outputFrames(static_cast<std::size_t>(block) * static_cast<std::size_t>(outputChannels));
  // Hosts pass valid pointers even for an effect without inputs.
  ChannelBuffers inputs(std::max(effect.numInputs, 1), block);
  ChannelBuffers outputs(effect.numOutputs, block);

  RenderReport report;
  ProgressBar progress(options.showProgress, stderr, options.sampleRate);
  const long long total = source.frames();
  const auto started = std::chrono::steady_clock::now();
  {
    ProcessingScope processing(plugin);
    for (;;) {
      if (interruptionRequested()) {
        progress.finish();
        return Failure{ExitCode::interrupted, "interrupted; no output written"};
      }
      Outcome<long> got = source.read(sourceFrames.data(), block);
      if (!got) {
        progress.finish();
        return got.failure();
      }
      const long frames = *got;
      if (frames == 0) break;
      for (int input = 0; input < effect.numInputs; ++input) {
        float* channel = inputs.pointers[static_cast<std::size_t>(input)];
        const int from = sourceChannels == 1 ? 0 : input;
        for (long i = 0; i < frames; ++i)
          channel[i] = from < sourceChannels ? sourceFrames[static_cast<std::size_t>(i * sourceChannels + from)] : 0.0f;
      }
      std::fill(outputs.storage.begin(), outputs.storage.end(), 0.0f);
      plugin.processReplacing(inputs.pointers.data(), outputs.pointers.data(), static_cast<VstInt32>(frames));
      for (int output = 0; output < outputChannels; ++output) {
        const float* channel = outputs.pointers[static_cast<std::size_t>(output)];
        for (long i = 0; i < frames; ++i) {
          const float sample = channel[i];
          if (std::abs(sample) > 1.0f) ++report.samplesBeyondFullScale;
          outputFrames[static_cast<std::size_t>(i * outputChannels + output)] = sample;
        }
      }
      if (Status written = writer.write(outputFrames.data(), frames)) {
        progress.finish();
        return *written;
      }
      report.frames += frames;
      progress.update(report.frames, total);
    }
  }
  progress.finish();
  report.wallSeconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();
  return report;
}

std::string realTimeSummary(const RenderReport& report, double sampleRate) {
  const double audioSeconds = static_cast<double>(report.frames) / sampleRate;
  char text[128];
  if (report.wallSeconds > 0.0) {
    std::snprintf(text, sizeof text, "%.2f s of audio in %.2f s, %.1fx real time", audioSeconds, report.wallSeconds,
                  audioSeconds / report.wallSeconds);
  } else {
    std::snprintf(text, sizeof text, "%.2f s of audio", audioSeconds);
  }
  return text;
}

}  // namespace tamzor::cli
