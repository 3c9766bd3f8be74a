#pragma once

#include "dsp/Biquad.h"
#include "dsp/TransferTable.h"

namespace tamzor::dsp {

// The two gains of the power amp stage, fixed for one block.
struct PowerAmpGains {
    double contourMakeup;  // 0.0209 at Contour 0, 0.057784 at Contour 1
    double powerAmpDrive;  // 0.1 at Power Amp 0, 1.0 at Power Amp 1
};

inline PowerAmpGains powerAmpGains(double contour, double powerAmp)
{
    const double u = contour;
    const double p = powerAmp;
    return PowerAmpGains{(u * 1.0298 - u * (u * 0.1077) + 0.5225) * 0.04, p * 0.9 + 0.1};
}

// One oversampled sample through the gains, the transfer curve and the side's
// DC blocker, in place.
inline void processPowerAmp(Biquad& dcBlocker, const PowerAmpGains& gains, double& sample)
{
    double v = (gains.contourMakeup * sample) * gains.powerAmpDrive;
    v = shape(v);
    sample = process(dcBlocker, v);
}

} // namespace tamzor::dsp
