#pragma once

// Block-wise rendering through an AmpEngine for tests and tools.

#include "dsp/AmpEngine.h"

#include <algorithm>
#include <vector>

namespace tamzor::testsignal {

// The controls of the default program: every knob at 0.5, PLS, mono, no boost.
inline dsp::AmpBlockControls defaultControls()
{
    dsp::AmpBlockControls controls{};
    controls.input = 0.5;
    controls.low = 0.5;
    controls.mid = 0.5;
    controls.high = 0.5;
    controls.contour = 0.5;
    controls.powerAmp = 0.5;
    controls.volume = 0.5;
    controls.mixPls = 0.5;
    controls.driveCurve = 0.9841 * 0.5 * 0.5 - 0.0732 * 0.5 + 0.089125;
    controls.channelSelect = 0;
    controls.boostOn = 0;
    controls.stereoMode = 0;
    return controls;
}

inline double driveCurveFor(double drive)
{
    return 0.9841 * drive * drive - 0.0732 * drive + 0.089125;
}

struct StereoBuffers {
    std::vector<float> left;
    std::vector<float> right;
};

// Renders left/right inputs of equal length in blocks of blockSize frames.
inline StereoBuffers render(dsp::AmpEngine& engine, const std::vector<float>& left, const std::vector<float>& right,
                            const dsp::AmpBlockControls& controls, int blockSize = 256)
{
    StereoBuffers out{std::vector<float>(left.size()), std::vector<float>(left.size())};
    const int total = static_cast<int>(left.size());
    for (int start = 0; start < total; start += blockSize) {
        const int frames = std::min(blockSize, total - start);
        const float* inputs[2] = {left.data() + start, right.data() + start};
        float* outputs[2] = {out.left.data() + start, out.right.data() + start};
        engine.applyPendingConfiguration();
        engine.process(inputs, outputs, frames, controls);
    }
    return out;
}

inline StereoBuffers render(dsp::AmpEngine& engine, const std::vector<float>& mono, const dsp::AmpBlockControls& controls,
                            int blockSize = 256)
{
    return render(engine, mono, mono, controls, blockSize);
}

} // namespace tamzor::testsignal
