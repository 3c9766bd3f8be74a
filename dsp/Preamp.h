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

// The formulas between the stages, shared by the pair procedures below and
// the pipelined model. Sample is double, or a type with the same arithmetic
// lane by lane.

// PLS: the treble and normal paths mixed, then driven.
template <typename Sample>
inline Sample plsMix(const PreampControls& controls, Sample treble, Sample normal)
{
    const double m = controls.mixPls;
    return controls.driveCurve * (2.5 * m * treble + (1.0 - m) * normal);
}

// MCJ: the drive after the first stage, three times stronger with the boost.
template <typename Sample>
inline Sample mcjDrive(const PreampControls& controls, Sample v)
{
    if (controls.boostOn == 0) {
        return v * controls.driveCurve;
    }
    return v * 3.0 * controls.driveCurve;
}

// MCJ: the level after the third stage, offset with the boost.
template <typename Sample>
inline Sample mcjLevel(const PreampControls& controls, Sample v)
{
    return 0.52 * v - 0.1 * static_cast<double>(controls.boostOn);
}

// A triode stage steps with a, then with b.
inline void processInTurn(TriodeStage& stage, double& a, double& b, double fs)
{
    process(stage, a, fs);
    process(stage, b, fs);
}

// A section filters a, then b.
inline void processInTurn(Biquad& section, double& a, double& b)
{
    a = process(section, a);
    b = process(section, b);
}

// PLS: normal and treble input stages in parallel, mixed, driven, low-passed,
// then the second stage. Each element takes a, then b, before the next
// element runs, so neighbouring steps are independent of each other.
inline void processPls(AmpChain& chain, const PreampControls& controls, double& a, double& b)
{
    const double fs = controls.oversampledRate;
    double normalA = a;
    double normalB = b;
    processInTurn(chain.triodes[plsNormalStage], normalA, normalB, fs);
    double trebleA = a;
    double trebleB = b;
    processInTurn(chain.triodes[plsTrebleStage], trebleA, trebleB, fs);
    processInTurn(chain.preampFilters[plsTrebleShelf], trebleA, trebleB);
    double uA = plsMix(controls, trebleA, normalA);
    double uB = plsMix(controls, trebleB, normalB);
    processInTurn(chain.preampFilters[plsLowpass], uA, uB);
    processInTurn(chain.triodes[plsSecondStage], uA, uB, fs);
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
    processInTurn(chain.triodes[mcjFirstStage], vA, vB, fs);
    vA = mcjDrive(controls, vA);
    vB = mcjDrive(controls, vB);
    processInTurn(chain.preampFilters[mcjFirstShelf], vA, vB);
    processInTurn(chain.preampFilters[mcjFirstLowpass], vA, vB);
    processInTurn(chain.triodes[mcjSecondStage], vA, vB, fs);
    processInTurn(chain.preampFilters[mcjSecondShelf], vA, vB);
    processInTurn(chain.preampFilters[mcjSecondLowpass], vA, vB);
    processInTurn(chain.triodes[mcjThirdStage], vA, vB, fs);
    a = mcjLevel(controls, vA);
    b = mcjLevel(controls, vB);
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
