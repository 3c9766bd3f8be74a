// Where a render's input frames come from: a sound file or samples in memory.
#pragma once

#include <vector>

#include "Failure.h"

namespace tamzor::cli {

class FrameSource {
public:
  virtual ~FrameSource() = default;
  virtual int channels() const = 0;
  virtual long long frames() const = 0;
  // Reads up to `frames` interleaved frames; the count read, 0 at the end.
  virtual Outcome<long> read(float* interleaved, long frames) = 0;
};

// Interleaved samples held in memory.
class MemoryFrameSource final : public FrameSource {
public:
  MemoryFrameSource(std::vector<float> interleaved, int channels);
  int channels() const override { return channelCount; }
  long long frames() const override;
  Outcome<long> read(float* interleaved, long frames) override;

private:
  std::vector<float> samples;
  int channelCount;
  std::size_t position = 0;
};

// Two mono signals as one stereo source.
MemoryFrameSource stereoSource(const std::vector<float>& left, const std::vector<float>& right);

}  // namespace tamzor::cli
