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
// then the second stage. Each element takes a, then b, before the next
// element runs, so neighbouring steps are independent of each other.
inline void processPls(AmpChain& chain, const PreampControls& controls, double& a, double& b)
{
    const double fs = controls.oversampledRate;
    double normalA = a;
    double normalB = b;
    process(chain.triodes[plsNormalStage], normalA, fs);
    process(chain.triodes[plsNormalStage], normalB, fs);
    double trebleA = a;
    double trebleB = b;
    process(chain.triodes[plsTrebleStage], trebleA, fs);
    process(chain.triodes[plsTrebleStage], trebleB, fs);
    trebleA = process(chain.preampFilters[plsTrebleShelf], trebleA);
    trebleB = process(chain.preampFilters[plsTrebleShelf], trebleB);
    const double m = controls.mixPls;
    double uA = controls.driveCurve * (2.5 * m * trebleA + (1.0 - m) * normalA);
    double uB = controls.driveCurve * (2.5 * m * trebleB + (1.0 - m) * normalB);
    uA = process(chain.preampFilters[plsLowpass], uA);
    uB = process(chain.preampFilters[plsLowpass], uB);
    process(chain.triodes[plsSecondStage], uA, fs);
    process(chain.triodes[plsSecondStage], uB, fs);
    a = uA;
    b = uB;
}

// MCJ: three stages in series with fixed equalisation between them; element
// by element as in processPls.
inline void processMcj(AmpChain& chain, const PreampControls& controls, double& a, double& b)
{
    const double fs = controls.oversampledRate;
    double vA = 2.0 * a;
    double vB = 2.0 * b;
    process(chain.triodes[mcjFirstStage], vA, fs);
    process(chain.triodes[mcjFirstStage], vB, fs);
    if (controls.boostOn == 0) {
        vA = vA * controls.driveCurve;
        vB = vB * controls.driveCurve;
    } else {
        vA = vA * 3.0 * controls.driveCurve;
        vB = vB * 3.0 * controls.driveCurve;
    }
    vA = process(chain.preampFilters[mcjFirstShelf], vA);
    vB = process(chain.preampFilters[mcjFirstShelf], vB);
    vA = process(chain.preampFilters[mcjFirstLowpass], vA);
    vB = process(chain.preampFilters[mcjFirstLowpass], vB);
    process(chain.triodes[mcjSecondStage], vA, fs);
    process(chain.triodes[mcjSecondStage], vB, fs);
    vA = process(chain.preampFilters[mcjSecondShelf], vA);
    vB = process(chain.preampFilters[mcjSecondShelf], vB);
    vA = process(chain.preampFilters[mcjSecondLowpass], vA);
    vB = process(chain.preampFilters[mcjSecondLowpass], vB);
    process(chain.triodes[mcjThirdStage], vA, fs);
    process(chain.triodes[mcjThirdStage], vB, fs);
    const double offset = 0.1 * static_cast<double>(controls.boostOn);
    a = 0.52 * vA - offset;
    b = 0.52 * vB - offset;
}

// Runs two consecutive oversampled samples (a earlier, b later) of one side
// through the selected channel, in place; every element sees them in time
// order. The channel that is not selected keeps its state.
inline void processPreamp(AmpChain& chain, const PreampControls& controls, double& a, double& b)
{
    if (controls.channelSelect == 0) {
        processPls(chain, controls, a, b);
    } else {
        processMcj(chain, controls, a, b);
    }
}

} // namespace tamzor::dsp
