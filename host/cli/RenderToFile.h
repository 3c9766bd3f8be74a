// A whole render into a file that appears only when complete.
#pragma once

#include <string>
#include <vector>

#include "Failure.h"
#include "FrameSource.h"
#include "OutputFormat.h"
#include "RenderLoop.h"
#include "host/PluginHost.h"

namespace tamzor::cli {

Outcome<RenderReport> renderToFile(host::Plugin& plugin, FrameSource& source, const std::string& path,
                                   const OutputFormat& format, const RenderOptions& options);

// Writes samples as they are, without the plug-in (the demo's dry riff).
Status writeSoundFile(const std::string& path, const OutputFormat& format, int sampleRate, int channels,
                      const std::vector<float>& interleaved);

// "stereo" / "mono" / "N channels"
std::string channelsText(int channels);

}  // namespace tamzor::cli
