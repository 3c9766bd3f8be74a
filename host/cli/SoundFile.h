// Sound file reading and writing through libsndfile, with samples as
// interleaved 32-bit floats at full scale 1.0.
#pragma once

#include <memory>
#include <string>

#include "Failure.h"
#include "FrameSource.h"
#include "OutputFormat.h"

struct sf_private_tag;

namespace tamzor::cli {

class PendingOutputFile;

struct SoundFileCloser {
  void operator()(sf_private_tag* handle) const;
};
using SoundFileHandle = std::unique_ptr<sf_private_tag, SoundFileCloser>;

class SoundFileReader final : public FrameSource {
public:
  // Any format libsndfile reads (WAV, FLAC, AIFF, Ogg Vorbis, ...).
  static Outcome<SoundFileReader> open(const std::string& path);

  int channels() const override { return channelCount; }
  int sampleRate() const { return rate; }
  long long frames() const override { return frameCount; }
  const std::string& path() const { return filePath; }
  std::string formatDescription() const;

  // Reads up to `frames` frames; the count read, 0 at the end of the file.
  Outcome<long> read(float* interleaved, long frames) override;

private:
  SoundFileHandle handle;
  std::string filePath;
  int channelCount = 0;
  int rate = 0;
  int format = 0;
  long long frameCount = 0;
};

class SoundFileWriter {
public:
  // Writes into the pending file's temporary file, which it does not own.
  static Outcome<SoundFileWriter> open(PendingOutputFile& file, const OutputFormat& format, int sampleRate,
                                       int channels);

  Status write(const float* interleaved, long frames);
  // Completes the file (headers, last encoded pages).
  Status finish();

private:
  SoundFileHandle handle;
  std::string target;
};

}  // namespace tamzor::cli
