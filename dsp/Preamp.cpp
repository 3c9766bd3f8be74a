#include "dsp/Preamp.h"

namespace tamzor::dsp {

namespace {

struct TriodeDesign {
    double Ck, Rk, Vs, Ra, Vp0, Rs, Rl, Cc;
    const TubeFit* fit;
};

constexpr double gridResistor = 68e3;

} // namespace

void designPreampTriodes(TriodeStage (&triodes)[6], double fs)
{
    const TriodeDesign designs[6] = {
        {3.3e-4, 820.0, 273.79, 100e3, 200.0, 0.0, 1e6, 22e-9, &plsTubeFit},      // PLS normal input
        {6.8e-7, 820.0, 273.79, 100e3, 200.0, 0.0, 1e6, 22e-9, &plsTubeFit},      // PLS treble input
        {6.8e-7, 820.0, 273.79, 100e3, 170.0, 0.0, 1e6, 22e-9, &plsTubeFit},      // PLS second
        {6.8e-7, 2.7e3, 278.0, 100e3, 213.46, 470e3, 1e6, 22e-9, &mcjTubeFit},    // MCJ first
        {8e-10, 10e3, 278.0, 100e3, 251.8, 470e3, 470e3, 22e-9, &mcjTubeFit},     // MCJ second
        {4e-9, 820.0, 278.0, 100e3, 162.5, 0.0, 1e6, 22e-9, &mcjTubeFit},         // MCJ third
    };
    for (int i = 0; i < 6; ++i) {
        const TriodeDesign& d = designs[i];
        design(triodes[i], gridResistor, d.Rk, d.Ck, d.Vs, d.Ra, d.Vp0, d.Rs, d.Rl, d.Cc, *d.fit, fs);
    }
}

} // namespace tamzor::dsp
