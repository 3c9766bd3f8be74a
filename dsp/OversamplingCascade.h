#pragma once

#include "dsp/HalfbandFilter.h"
#include "dsp/SideSamples.h"

namespace tamzor::dsp {

// Up-samples one host sample of a side into Factor consecutive oversampled
// samples: half-band stage 1 with the fixed gain of 2 after it, then stages
// 2 and 3 as the factor asks. Defined for Factor 2, 4 and 8.
template <int Factor, typename Side>
inline void upCascade(Side& side, typename SideSamples<Side>::Halfband x, typename SideSamples<Side>::Model* out)
{
    static_assert(Factor == 2 || Factor == 4 || Factor == 8);
    using Halfband = typename SideSamples<Side>::Halfband;
    using Model = typename SideSamples<Side>::Model;
    Halfband e1;
    Halfband l1;
    upsample(side.upStage1, x, e1, l1);
    const Model u[2] = {2.0 * widen(e1), 2.0 * widen(l1)};
    if constexpr (Factor == 2) {
        out[0] = u[0];
        out[1] = u[1];
    } else {
        for (int j = 0; j < 2; ++j) {
            Halfband p[2];
            upsample(side.upStage2, roundToFloat(u[j]), p[0], p[1]);
            if constexpr (Factor == 4) {
                out[2 * j] = widen(p[0]);
                out[2 * j + 1] = widen(p[1]);
            } else {
                for (int k = 0; k < 2; ++k) {
                    Halfband t[2];
                    upsample(side.upStage3, p[k], t[0], t[1]);
                    out[4 * j + 2 * k] = widen(t[0]);
                    out[4 * j + 2 * k + 1] = widen(t[1]);
                }
            }
        }
    }
}

// Down-samples Factor consecutive model outputs of a side into one host
// sample, through the stages of upCascade in reverse.
template <int Factor, typename Side>
inline typename SideSamples<Side>::Halfband downCascade(Side& side, const typename SideSamples<Side>::Halfband* z)
{
    static_assert(Factor == 2 || Factor == 4 || Factor == 8);
    using Halfband = typename SideSamples<Side>::Halfband;
    if constexpr (Factor == 2) {
        return downsample(side.downStage1, z[0], z[1]);
    } else {
        Halfband q[2];
        for (int j = 0; j < 2; ++j) {
            if constexpr (Factor == 4) {
                q[j] = downsample(side.downStage2, z[2 * j], z[2 * j + 1]);
            } else {
                Halfband r[2];
                for (int k = 0; k < 2; ++k) {
                    r[k] = downsample(side.downStage3, z[4 * j + 2 * k], z[4 * j + 2 * k + 1]);
                }
                q[j] = downsample(side.downStage2, r[0], r[1]);
            }
        }
        return downsample(side.downStage1, q[0], q[1]);
    }
}

} // namespace tamzor::dsp
