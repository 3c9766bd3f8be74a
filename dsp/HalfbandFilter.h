#pragma once

namespace tamzor::dsp {

// Polyphase half-band low-pass built from two parallel chains of first-order
// allpass sections. One instance either up-samples (one sample in, two out) or
// down-samples (two in, one out) by 2. Entry i of the three arrays belongs to
// branch i % 2 and is section i / 2 of that branch. A zero-initialised record
// is a new instance; coefficients come from loadCoefficients.
template <int N>
struct HalfbandFilter {
    static_assert(N > 0 && N % 2 == 0, "both branches need the same number of sections");
    using Sample = float;
    static constexpr int sections = N;
    float coefficients[N];
    float inputStates[N];
    float outputStates[N];
};

// The three coefficient sets: stage 1 (nearest the host rate), 2 and 3.
inline constexpr double halfbandCoefficients12[12] = {
    0.036681502163648017, 0.13654762463195771, 0.2746317593794541, 0.42313861743656667,
    0.5610989697879195,   0.6775400499741616,  0.769741833862266,  0.839889624849638,
    0.8922608180038789,   0.9315419599631839,  0.962094548378084,  0.9878163707328971,
};
inline constexpr double halfbandCoefficients8[8] = {
    0.07711507983241622, 0.2659685265210946, 0.4820706250610472, 0.6651041532634957,
    0.7968204713315797,  0.8841015085506159, 0.9412514277740471, 0.9820054141886075,
};
inline constexpr double halfbandCoefficients4[4] = {
    0.12073211751675449, 0.3903621872345006, 0.6632020224193995, 0.890786832653497,
};

// Copies a coefficient set into the filter, each value rounded to the nearest
// float. The states stay as they are.
template <int N>
inline void loadCoefficients(HalfbandFilter<N>& filter, const double (&set)[N])
{
    for (int i = 0; i < N; ++i) {
        filter.coefficients[i] = static_cast<float>(set[i]);
    }
}

// Loads the set that belongs to a filter of this size.
inline void loadCoefficients(HalfbandFilter<12>& filter) { loadCoefficients(filter, halfbandCoefficients12); }
inline void loadCoefficients(HalfbandFilter<8>& filter) { loadCoefficients(filter, halfbandCoefficients8); }
inline void loadCoefficients(HalfbandFilter<4>& filter) { loadCoefficients(filter, halfbandCoefficients4); }

// Allpass section i, (a + z^-1) / (1 + a z^-1) at the lower rate: evaluated in
// double from the stored floats and rounded to float.
template <int N>
inline float applySection(HalfbandFilter<N>& filter, int i, float v)
{
    const float y = static_cast<float>(
        (static_cast<double>(v) - static_cast<double>(filter.outputStates[i])) *
            static_cast<double>(filter.coefficients[i]) +
        static_cast<double>(filter.inputStates[i]));
    filter.inputStates[i] = v;
    filter.outputStates[i] = y;
    return y;
}

// The mean of the two branch outputs of a down-sampler, rounded to float.
template <int N>
inline float branchMean(const HalfbandFilter<N>&, float e, float o)
{
    return static_cast<float>(0.5 * (static_cast<double>(e) + static_cast<double>(o)));
}

// The two cascades below serve every half-band record: a HalfbandFilter, or
// a record holding the same filter of several sides at once, with its own
// applySection and branchMean. Filter::Sample is what one sample is.

// One lower-rate sample x in, two higher-rate samples out (earlier through
// branch 0, later through branch 1). Unity gain in the pass band.
template <typename Filter>
inline void upsample(Filter& filter, typename Filter::Sample x, typename Filter::Sample& earlier,
                     typename Filter::Sample& later)
{
    typename Filter::Sample e = x;
    typename Filter::Sample o = x;
    for (int s = 0; s < Filter::sections / 2; ++s) {
        e = applySection(filter, 2 * s, e);
        o = applySection(filter, 2 * s + 1, o);
    }
    earlier = e;
    later = o;
}

// Two consecutive higher-rate samples in (the later through branch 0, the
// earlier through branch 1), one lower-rate sample out.
template <typename Filter>
inline typename Filter::Sample downsample(Filter& filter, typename Filter::Sample earlier,
                                          typename Filter::Sample later)
{
    typename Filter::Sample e = later;
    typename Filter::Sample o = earlier;
    for (int s = 0; s < Filter::sections / 2; ++s) {
        e = applySection(filter, 2 * s, e);
        o = applySection(filter, 2 * s + 1, o);
    }
    return branchMean(filter, e, o);
}

} // namespace tamzor::dsp
