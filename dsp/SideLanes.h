#pragma once

// Both stereo sides' model state in lanes (lane 0 left, lane 1 right),
// gathered from the two AmpChains at the start of a block and scattered back
// at its end. Only for builds with TAMZOR_SSE2.

#include "dsp/AmpChain.h"
#include "dsp/Lanes.h"
#include "dsp/SideSamples.h"

namespace tamzor::dsp {

// The members the pipelined model uses, named as in AmpChain.
struct SideLanes {
    TriodeLanes triodes[6];
    BiquadLanes preampFilters[6];
    ToneStackLanes toneStack;
    BiquadLanes dcBlocker;
    HalfbandLanes<12> upStage1;
    HalfbandLanes<12> downStage1;
    HalfbandLanes<8> upStage2;
    HalfbandLanes<8> downStage2;
    HalfbandLanes<4> upStage3;
    HalfbandLanes<4> downStage3;
};

template <>
struct SideSamples<SideLanes> {
    using Model = Lanes;
    using Halfband = Lanes;
};

// Calls visit(lanesPart, leftPart, rightPart) for every part of a side.
template <typename LanesSide, typename Chain, typename Visit>
inline void forEachPart(LanesSide& lanes, Chain& left, Chain& right, Visit&& visit)
{
    for (int i = 0; i < 6; ++i) {
        visit(lanes.triodes[i], left.triodes[i], right.triodes[i]);
        visit(lanes.preampFilters[i], left.preampFilters[i], right.preampFilters[i]);
    }
    visit(lanes.toneStack, left.toneStack, right.toneStack);
    visit(lanes.dcBlocker, left.dcBlocker, right.dcBlocker);
    visit(lanes.upStage1, left.upStage1, right.upStage1);
    visit(lanes.downStage1, left.downStage1, right.downStage1);
    visit(lanes.upStage2, left.upStage2, right.upStage2);
    visit(lanes.downStage2, left.downStage2, right.downStage2);
    visit(lanes.upStage3, left.upStage3, right.upStage3);
    visit(lanes.downStage3, left.downStage3, right.downStage3);
}

inline void gather(SideLanes& lanes, const AmpChain& left, const AmpChain& right)
{
    forEachPart(lanes, left, right, [](auto& part, const auto& l, const auto& r) { gather(part, l, r); });
}

inline void scatter(const SideLanes& lanes, AmpChain& left, AmpChain& right)
{
    forEachPart(lanes, left, right, [](const auto& part, auto& l, auto& r) { scatter(part, l, r); });
}

} // namespace tamzor::dsp
