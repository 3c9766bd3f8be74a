// Renders a fixed plucked-string signal through the amp engine at several
// settings, rates and factors, mono and stereo, and writes every output
// sample as raw 32-bit floats to the file named on the command line. Built
// against the optimised and the unoptimised model library; the two files
// must be identical.

#include "dsp/AmpEngine.h"

#include "EngineRender.h"
#include "PluckedString.h"

#include <cstdio>
#include <limits>

namespace {

using tamzor::dsp::AmpBlockControls;
using tamzor::dsp::AmpEngine;
namespace ts = tamzor::testsignal;

struct Case {
    float rate;
    int highQuality;
    int channel;
    int boost;
    int stereo;
    double drive;
    double high;
};

constexpr Case cases[] = {
    {44100.0f, 0, 0, 0, 0, 0.5, 0.5}, {44100.0f, 1, 1, 1, 1, 0.9, 0.7}, {96000.0f, 0, 0, 0, 1, 1.0, 1.0},
    {48000.0f, 1, 1, 0, 0, 0.2, 0.1}, {3000.0f, 0, 0, 0, 1, 0.6, 0.5},
};

} // namespace

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s OUTPUT\n", argv[0]);
        return 2;
    }
    std::FILE* file = std::fopen(argv[1], "wb");
    if (file == nullptr) {
        std::perror(argv[1]);
        return 1;
    }
    for (const Case& c : cases) {
        AmpEngine engine;
        engine.postConfiguration(c.rate, c.highQuality);
        engine.applyPendingConfiguration();
        engine.designTriodes();
        AmpBlockControls controls = ts::defaultControls();
        controls.channelSelect = c.channel;
        controls.boostOn = c.boost;
        controls.stereoMode = c.stereo;
        controls.driveCurve = ts::driveCurveFor(c.drive);
        controls.high = c.high;
        auto left = ts::pluckedString(static_cast<double>(c.rate), 1.0, 0.6, 7u);
        const auto right = ts::pluckedString(static_cast<double>(c.rate), 1.0, 0.3, 8u);
        left[500] = std::numeric_limits<float>::quiet_NaN();
        const auto out = ts::render(engine, left, right, controls, 97);
        std::fwrite(out.left.data(), sizeof(float), out.left.size(), file);
        std::fwrite(out.right.data(), sizeof(float), out.right.size(), file);
    }
    return std::fclose(file) == 0 ? 0 : 1;
}
