// Streams a source through the plug-in's processReplacing in blocks and
// writes what comes out: read interleaved frames, split them into the
// plug-in's input channels (a mono source feeds every input), process, and
// interleave the outputs for the writer. Nothing is allocated per block.
#pragma once

#include "Failure.h"
#include "FrameSource.h"
#include "SoundFile.h"
#include "host/PluginHost.h"

namespace tamzor::cli {

struct RenderOptions {
  int blockSize = 512;
  double sampleRate = 44100.0;
  bool showProgress = false;   // progress bar on standard error
};

struct RenderReport {
  long long frames = 0;
  double wallSeconds = 0.0;
  long long samplesBeyondFullScale = 0;  // |x| > 1 in the plug-in's output
};

// The number of channels a render writes: the plug-in's outputs, at most two.
int renderedChannels(const AEffect& effect);

// Resumes the effect (effMainsChanged 1, effStartProcess), renders the whole
// source and suspends it again.
Outcome<RenderReport> renderBlocks(host::Plugin& plugin, FrameSource& source, SoundFileWriter& writer,
                                   const RenderOptions& options);

// "8.00 s of audio in 0.21 s, 38.1x real time"
std::string realTimeSummary(const RenderReport& report, double sampleRate);

}  // namespace tamzor::cli
