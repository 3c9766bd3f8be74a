#include "FrameSource.h"

#include <algorithm>

namespace tamzor::cli {

MemoryFrameSource::MemoryFrameSource(std::vector<float> interleaved, int channels)
    : samples(std::move(interleaved)), channelCount(channels) {}

long long MemoryFrameSource::frames() const {
  return static_cast<long long>(samples.size() / static_cast<std::size_t>(channelCount));
}

Outcome<long> MemoryFrameSource::read(float* interleaved, long frames) {
  const std::size_t wanted = static_cast<std::size_t>(frames) * static_cast<std::size_t>(channelCount);
  const std::size_t count = std::min(wanted, samples.size() - position);
  std::copy_n(samples.begin() + static_cast<long>(position), count, interleaved);
  position += count;
  return static_cast<long>(count / static_cast<std::size_t>(channelCount));
}

MemoryFrameSource stereoSource(const std::vector<float>& left, const std::vector<float>& right) {
  const std::size_t frames = std::min(left.size(), right.size());
  std::vector<float> interleaved(frames * 2);
  for (std::size_t i = 0; i < frames; ++i) {
    interleaved[2 * i] = left[i];
    interleaved[2 * i + 1] = right[i];
  }
  return MemoryFrameSource(std::move(interleaved), 2);
}

}  // namespace tamzor::cli
