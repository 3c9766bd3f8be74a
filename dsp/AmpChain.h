#pragma once

#include "dsp/Biquad.h"
#include "dsp/HalfbandFilter.h"
#include "dsp/ToneStack.h"
#include "dsp/TriodeStage.h"

namespace tamzor::dsp {

// Roles of the six triode stages of one side.
enum TriodeRole : int {
    plsNormalStage = 0,
    plsTrebleStage = 1,
    plsSecondStage = 2,
    mcjFirstStage = 3,
    mcjSecondStage = 4,
    mcjThirdStage = 5,
};

// Roles of the six equaliser sections of one side.
enum PreampFilterRole : int {
    plsLowpass = 0,         // 10 kHz, after the normal/treble mix
    mcjFirstLowpass = 1,    // 6 kHz, after the 150 Hz shelf
    mcjSecondLowpass = 2,   // 6 kHz, after the 720 Hz shelf
    plsTrebleShelf = 3,     // 1 kHz, gain 0.3 below the corner
    mcjFirstShelf = 4,      // 150 Hz, gain 0.68 below the corner
    mcjSecondShelf = 5,     // 720 Hz, gain 0.5 below the corner
};

// The complete amp-model state of one audio side, plain data owned by value.
struct AmpChain {
    Biquad preampFilters[6];
    ToneStack toneStack;
    TriodeStage triodes[6];
    HalfbandFilter<12> upStage1;
    HalfbandFilter<12> downStage1;
    HalfbandFilter<8> upStage2;
    HalfbandFilter<8> downStage2;
    HalfbandFilter<4> upStage3;
    HalfbandFilter<4> downStage3;
    Biquad dcBlocker;
};

} // namespace tamzor::dsp
