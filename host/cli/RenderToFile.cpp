#include "RenderToFile.h"

#include "PendingOutputFile.h"
#include "SoundFile.h"

namespace tamzor::cli {

std::string channelsText(int channels) {
  if (channels == 1) return "mono";
  if (channels == 2) return "stereo";
  return std::to_string(channels) + " channels";
}

Outcome<RenderReport> renderToFile(host::Plugin& plugin, FrameSource& source, const std::string& path,
                                   const OutputFormat& format, const RenderOptions& options) {
  Outcome<PendingOutputFile> file = PendingOutputFile::create(path);
  if (!file) return file.failure();
  const int rate = static_cast<int>(options.sampleRate);
  Outcome<SoundFileWriter> writer = SoundFileWriter::open(*file, format, rate, renderedChannels(*plugin.effect()));
  if (!writer) return writer.failure();
  Outcome<RenderReport> report = renderBlocks(plugin, source, *writer, options);
  if (!report) return report;
  if (Status finished = writer->finish()) return *finished;
  if (Status committed = file->commit()) return *committed;
  return report;
}

Status writeSoundFile(const std::string& path, const OutputFormat& format, int sampleRate, int channels,
                      const std::vector<float>& interleaved) {
  Outcome<PendingOutputFile> file = PendingOutputFile::create(path);
  if (!file) return file.failure();
  Outcome<SoundFileWriter> writer = SoundFileWriter::open(*file, format, sampleRate, channels);
  if (!writer) return writer.failure();
  if (Status written = writer->write(interleaved.data(), static_cast<long>(interleaved.size() / static_cast<std::size_t>(channels))))
    return written;
  if (Status finished = writer->finish()) return finished;
  return file->commit();
}

}  // namespace tamzor::cli
