#include "dsp/LaneLockstep.h"

#if TAMZOR_SSE2

#include "dsp/ModelPipeline.h"
#include "dsp/SideLanes.h"

namespace tamzor::dsp {

namespace {

// The host's stereo buffers, lane 0 left and lane 1 right.
struct StereoIo {
    const float* inLeft;
    const float* inRight;
    float* outLeft;
    float* outRight;
    Lanes volume;

    Lanes read(int n, double antiDenormal) const
    {
        return both(static_cast<double>(modelInput(inLeft[n], antiDenormal)),
                    static_cast<double>(modelInput(inRight[n], antiDenormal)));
    }

    // outputSample in each lane.
    void write(int n, Lanes d) const
    {
        const __m128 out = _mm_cvtpd_ps(mul(volume, mul(broadcast(3.0), d)));
        _mm_store_ss(outLeft + n, out);
        _mm_store_ss(outRight + n, _mm_shuffle_ps(out, out, 1));
    }
};

} // namespace

template <int Factor>
void processStereoLockstep(AmpChain& left, AmpChain& right, const BlockSettings& settings, double samplePeriod,
                           const float* const* inputs, float* const* outputs, int frames)
{
    // The controls are fixed for the block, so each tone stack recomputes (if
    // at all) before its first sample, as its own step would.
    prepareToneStack(left.toneStack, settings);
    prepareToneStack(right.toneStack, settings);

    SideLanes sides;
    gather(sides, left, right);
    StereoIo io{inputs[0], inputs[1], outputs[0], outputs[1], broadcast(settings.volume)};
    processInRuns<Factor>(sides, settings, samplePeriod, frames, io);
    scatter(sides, left, right);
}

template void processStereoLockstep<2>(AmpChain&, AmpChain&, const BlockSettings&, double, const float* const*, float* const*, int);
template void processStereoLockstep<4>(AmpChain&, AmpChain&, const BlockSettings&, double, const float* const*, float* const*, int);
template void processStereoLockstep<8>(AmpChain&, AmpChain&, const BlockSettings&, double, const float* const*, float* const*, int);

} // namespace tamzor::dsp

#endif // TAMZOR_SSE2
