#pragma once

#include "dsp/TubeFit.h"

#include <cmath>

namespace tamzor::dsp {

// One common-cathode triode gain stage: grid resistor with square-law grid
// conduction, bypassed cathode resistor, plate load on the supply, the plate
// following a fitted characteristic, and an RC coupling high-pass at the output.
// Input and output are signal voltages around the rest point; the stage inverts.
// All values in SI units (ohm, farad, volt, ampere).
struct TriodeStage {
    double Rg;     // grid resistor
    double Rk;     // cathode resistor
    double Ck;     // cathode bypass capacitor
    double Vs;     // supply voltage
    double Ra;     // plate load resistor
    double Ia;     // plate current
    double Ig;     // grid current
    double Vg;     // grid voltage
    double Vk;     // cathode voltage
    double Vp;     // plate voltage
    double y;      // last output of the coupling high-pass
    double Rs;     // coupling series resistance
    double Rl;     // coupling load resistance
    double Cc;     // coupling capacitor
    double h;      // grid-current factor, 0.00375 Rg
    TubeFit fit;   // the stage's own copy of its valve characteristic
    double gRg;    // 1 / Rg
    double gRa;    // 1 / Ra
    double kk;     // cathode node coefficient (depends on the rate)
    double h2inv;  // 1 / (2 h)
    double kc;     // coupling high-pass coefficient (depends on the rate)
};

// Grid-to-cathode voltage below which the valve is cut off.
inline constexpr double triodeCutoffVoltage = -8.8;

// Stores the components, finds the rest point by twenty damped fixed-point
// passes starting from the plate voltage Vp0, clears the signal state and
// computes every derived value for the oversampled rate fs.
void design(TriodeStage& stage, double Rg, double Rk, double Ck, double Vs, double Ra, double Vp0,
            double Rs, double Rl, double Cc, const TubeFit& fit, double fs);

// Recomputes the two rate-dependent coefficients for the sample period T;
// components, rest point and state stay as they are.
inline void refreshRate(TriodeStage& stage, double T)
{
    stage.kk = stage.Rk * T / (stage.Ck * stage.Rk + T);
    const double tau = (stage.Rs + stage.Rl) * stage.Cc;
    stage.kc = tau / (tau + T);
}

// Steps the stage by one sample at the oversampled rate fs: x is the grid
// signal on entry and the output signal on return.
inline void process(TriodeStage& stage, double& x, double fs)
{
    const double v = x;
    const double Vk = stage.Vk;
    const double VpOld = stage.Vp;

    double Vg;
    if (v - Vk < 0.0) {
        Vg = v;
    } else {
        const double h = stage.h;
        Vg = (std::sqrt(1.0 - 4.0 * h * Vk + 4.0 * h * v) + (2.0 * h * Vk - 1.0)) * stage.h2inv;
    }
    stage.Vg = Vg;
    const double Ig = (v - Vg) * stage.gRg;
    stage.Ig = Ig;

    const double u = Vg - Vk;
    double Vp;
    if (u < triodeCutoffVoltage) {
        Vp = stage.Vs + Vk;
    } else {
        Vp = evaluate(stage.fit, u) + Vk;
    }
    if (Vp > Vk + stage.Vs) {
        Vp = Vk + stage.Vs;
    }
    stage.Vp = Vp;

    const double y = (Vp + stage.y - VpOld) * stage.kc;
    stage.y = y;
    x = y;

    const double Ia = (stage.Vs - Vp) * stage.gRa;
    stage.Ia = Ia;
    double VkNew = (stage.Ck * Vk * fs + (Ia + Ig)) * stage.kk;
    if (!(VkNew > 0.0)) {
        VkNew = 0.0;
    }
    stage.Vk = VkNew;
}

} // namespace tamzor::dsp
