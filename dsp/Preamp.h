#pragma once

#include "dsp/AmpChain.h"
#include "dsp/Biquad.h"
#include "dsp/TriodeStage.h"

namespace tamzor::dsp {

// The preamp settings shared by both sides, fixed for one block.
struct PreampControls {
    int channelSelect;       // 0 PLS, 1 MCJ
    int boostOn;             // MCJ boost, 0 or 1
    double driveCurve;       // gain after the mix (PLS) or the first stage (MCJ)
    double mixPls;           // 0: normal path only, 1: treble path only
    double oversampledRate;  // rate every triode step runs at
};

// Designs the six triode stages of one side at the oversampled rate fs.
void designPreampTriodes(TriodeStage (&triodes)[6], double fs);

// PLS: normal and treble input stages in parallel, mixed, driven, low-passed,
// then the second stage.
inline void processPlsSample(AmpChain& chain, const PreampControls& controls, double& s)
{
    const double fs = controls.oversampledRate;
    double normal = s;
    process(chain.triodes[plsNormalStage], normal, fs);
    double treble = s;
    process(chain.triodes[plsTrebleStage], treble, fs);
    treble = process(chain.preampFilters[plsTrebleShelf], treble);
    const double m = controls.mixPls;
    double u = controls.driveCurve * (2.5 * m * treble + (1.0 - m) * normal);
    u = process(chain.preampFilters[plsLowpass], u);
    process(chain.triodes[plsSecondStage], u, fs);
    s = u;
}

// MCJ: three stages in series with fixed equalisation between them.
inline void processMcjSample(AmpChain& chain, const PreampControls& controls, double& s)
{
    const double fs = controls.oversampledRate;
    double v = 2.0 * s;
    process(chain.triodes[mcjFirstStage], v, fs);
    if (controls.boostOn == 0) {
        v = v * controls.driveCurve;
    } else {
        v = v * 3.0 * controls.driveCurve;
    }
    v = process(chain.preampFilters[mcjFirstShelf], v);
    v = process(chain.preampFilters[mcjFirstLowpass], v);
    process(chain.triodes[mcjSecondStage], v, fs);
    v = process(chain.preampFilters[mcjSecondShelf], v);
    v = process(chain.preampFilters[mcjSecondLowpass], v);
    process(chain.triodes[mcjThirdStage], v, fs);
    s = 0.52 * v - 0.1 * static_cast<double>(controls.boostOn);
}

// Runs two consecutive oversampled samples (a earlier, b later) of one side
// through the selected channel, in place; every element sees them in time
// order. The channel that is not selected keeps its state.
inline void processPreamp(AmpChain& chain, const PreampControls& controls, double& a, double& b)
{
    if (controls.channelSelect == 0) {
        processPlsSample(chain, controls, a);
        processPlsSample(chain, controls, b);
    } else {
        processMcjSample(chain, controls, a);
        processMcjSample(chain, controls, b);
    }
}

} // namespace tamzor::dsp
