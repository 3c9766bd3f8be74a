// The amp model as a host hears it: blocks through processReplacing of the
// built module.
#include <cmath>
#include <vector>

#include "LoadedPlugin.h"
#include "tests/dsp/PluckedString.h"

namespace {

using tamzor::test::LoadedPlugin;

struct Stereo {
  std::vector<float> left, right;
};

class AudioTest : public LoadedPlugin {
protected:
  // Renders the signal in blocks; the right input is the left one scaled.
  Stereo render(const std::vector<float>& signal, int block = 512, float rightGain = 0.5f) {
    Stereo out{std::vector<float>(signal.size()), std::vector<float>(signal.size())};
    std::vector<float> right(signal.size());
    for (size_t i = 0; i < signal.size(); ++i) right[i] = signal[i] * rightGain;
    for (size_t at = 0; at < signal.size(); at += static_cast<size_t>(block)) {
      const auto frames = static_cast<VstInt32>(std::min<size_t>(static_cast<size_t>(block), signal.size() - at));
      float* inputs[] = {const_cast<float*>(signal.data() + at), right.data() + at};
      float* outputs[] = {out.left.data() + at, out.right.data() + at};
      plugin->processReplacing(inputs, outputs, frames);
    }
    return out;
  }

  static double rms(const std::vector<float>& v, size_t from = 0) {
    double sum = 0.0;
    for (size_t i = from; i < v.size(); ++i) sum += static_cast<double>(v[i]) * v[i];
    return std::sqrt(sum / static_cast<double>(v.size() - from));
  }

  const std::vector<float> riff = tamzor::testsignal::pluckedString(44100.0, 1.0);
};

TEST_F(AudioTest, MonoRepeatsTheLeftOutputOnTheRightWhateverTheRightInputHolds) {
  const Stereo out = render(riff);
  EXPECT_GT(rms(out.left), 1e-3);
  EXPECT_EQ(out.left, out.right);
}

TEST_F(AudioTest, StereoRunsTwoIndependentSides) {
  plugin->setParameter(10, 1.0f);
  const Stereo same = render(riff, 512, 1.0f);
  EXPECT_EQ(same.left, same.right);  // identical inputs, identical states

  auto other = tamzor::test::loadBuiltPlugin();
  plugin.swap(other);
  plugin->setParameter(10, 1.0f);
  const Stereo scaled = render(riff, 512, 0.25f);
  EXPECT_NE(scaled.left, scaled.right);
  EXPECT_LT(rms(scaled.right), rms(scaled.left));
  EXPECT_EQ(scaled.left, same.left);  // the left side never sees the right one
}

TEST_F(AudioTest, InPlaceBuffersGiveTheSameOutputAsSeparateOnes) {
  plugin->setParameter(10, 1.0f);
  const Stereo separate = render(riff, 256);

  auto fresh = tamzor::test::loadBuiltPlugin();
  fresh->setParameter(10, 1.0f);
  std::vector<float> left = riff, right(riff.size());
  for (size_t i = 0; i < riff.size(); ++i) right[i] = riff[i] * 0.5f;
  for (size_t at = 0; at < riff.size(); at += 256) {
    const auto frames = static_cast<VstInt32>(std::min<size_t>(256, riff.size() - at));
    float* buffers[] = {left.data() + at, right.data() + at};
    fresh->processReplacing(buffers, buffers, frames);
  }
  EXPECT_EQ(left, separate.left);
  EXPECT_EQ(right, separate.right);
}

TEST_F(AudioTest, ZeroOrNegativeFrameCountsTouchNothing) {
  for (VstInt32 frames : {0, -1, -512}) {
    float in[2][4] = {{1, 2, 3, 4}, {5, 6, 7, 8}};
    float out[2][4] = {{9, 9, 9, 9}, {9, 9, 9, 9}};
    float* inputs[] = {in[0], in[1]};
    float* outputs[] = {out[0], out[1]};
    plugin->processReplacing(inputs, outputs, frames);
    for (auto& channel : out)
      for (float v : channel) EXPECT_EQ(v, 9.0f) << frames;
  }
  // Nothing was processed, so the model is still where a new one starts.
  auto fresh = tamzor::test::loadBuiltPlugin();
  const Stereo a = render(riff);
  plugin.swap(fresh);
  EXPECT_EQ(render(riff).left, a.left);
}

TEST_F(AudioTest, VolumeZeroGivesExactZeros) {
  plugin->setParameter(9, 0.0f);
  const Stereo out = render(riff);
  for (float v : out.left) ASSERT_EQ(v, 0.0f);
}

TEST_F(AudioTest, SilenceSettlesToZero) {
  const Stereo out = render(std::vector<float>(44100 * 2, 0.0f));
  float tail = 0.0f;
  for (size_t i = out.left.size() - 4410; i < out.left.size(); ++i) tail = std::max(tail, std::fabs(out.left[i]));
  EXPECT_LT(tail, 1e-6f);
}

TEST_F(AudioTest, EveryRateAndQualityGivesOneOutputPerInput) {
  // Rates across the three oversampling factors; each block writes exactly
  // its frames and nothing beyond them.
  for (float rate : {22050.0f, 44100.0f, 48000.0f, 96000.0f}) {
    for (float quality : {0.0f, 1.0f}) {
      dispatch(effSetSampleRate, 0, 0, nullptr, rate);
      plugin->setParameter(11, quality);
      std::vector<float> in(300, 0.1f), out(301, 42.0f);
      float* inputs[] = {in.data(), in.data()};
      float* outputs[] = {out.data(), out.data()};
      plugin->processReplacing(inputs, outputs, 300);
      for (size_t i = 0; i < 300; ++i) ASSERT_TRUE(std::isfinite(out[i])) << rate << " " << quality;
      EXPECT_EQ(out[300], 42.0f);
    }
  }
}

TEST_F(AudioTest, SuspendAndResumeChangeNothing) {
  const Stereo first = render(riff);
  auto other = tamzor::test::loadBuiltPlugin();
  std::swap(plugin, other);
  const Stereo half = render(std::vector<float>(riff.begin(), riff.begin() + 22016));
  dispatch(effMainsChanged, 0, 0);
  dispatch(effMainsChanged, 0, 1);
  const Stereo rest = render(std::vector<float>(riff.begin() + 22016, riff.end()));
  for (size_t i = 0; i < rest.left.size(); ++i) ASSERT_EQ(rest.left[i], first.left[22016 + i]) << i;
}

TEST_F(AudioTest, UnusableSampleRatesAreIgnored) {
  const Stereo reference = render(riff);
  auto other = tamzor::test::loadBuiltPlugin();
  std::swap(plugin, other);
  for (float rate : {0.0f, -44100.0f, NAN, INFINITY, 1e12f}) dispatch(effSetSampleRate, 0, 0, nullptr, rate);
  EXPECT_EQ(render(riff).left, reference.left);
}

TEST_F(AudioTest, VeryLowHostRatesStayFinite) {
  for (float rate : {1000.0f, 4000.0f, 4999.0f}) {
    dispatch(effSetSampleRate, 0, 0, nullptr, rate);
    const Stereo out = render(tamzor::testsignal::pluckedString(rate, 0.5));
    for (float v : out.left) ASSERT_TRUE(std::isfinite(v)) << rate;
    EXPECT_GT(rms(out.left), 1e-4) << rate;
  }
}

TEST_F(AudioTest, NonFiniteInputIsTreatedAsSilenceAndTheAmpRecovers) {
  plugin->setParameter(10, 1.0f);
  const Stereo clean = render(riff);

  auto other = tamzor::test::loadBuiltPlugin();
  std::swap(plugin, other);
  plugin->setParameter(10, 1.0f);
  std::vector<float> poisoned = riff;
  for (size_t i = 1000; i < 1100; ++i) poisoned[i] = (i % 3 == 0) ? NAN : (i % 3 == 1 ? INFINITY : -INFINITY);
  const Stereo out = render(poisoned);
  for (size_t i = 0; i < out.left.size(); ++i) {
    ASSERT_TRUE(std::isfinite(out.left[i])) << i;
    ASSERT_TRUE(std::isfinite(out.right[i])) << i;
  }
  // Once the burst has passed the amp plays on at its normal level.
  const double after = rms(out.left, 22050), reference = rms(clean.left, 22050);
  EXPECT_NEAR(after / reference, 1.0, 0.05);
}

}  // namespace
