#include "dsp/TriodeStage.h"

namespace tamzor::dsp {

void design(TriodeStage& stage, double Rg, double Rk, double Ck, double Vs, double Ra, double Vp0,
            double Rs, double Rl, double Cc, const TubeFit& fit, double fs)
{
    stage.Rg = Rg;
    stage.Rk = Rk;
    stage.Ck = Ck;
    stage.Vs = Vs;
    stage.Ra = Ra;
    stage.Rs = Rs;
    stage.Rl = Rl;
    stage.Cc = Cc;
    stage.fit = fit;
    stage.Vp = Vp0;

    stage.h = 0.00375 * Rg + 1e-20;
    stage.h2inv = 1.0 / (2.0 * stage.h);

    // Rest point with the grid at 0 V: a fixed number of damped passes. The
    // result is deliberately not iterated to convergence; Ia and Vk are those
    // of the last pass, taken before its plate update.
    for (int pass = 0; pass < 20; ++pass) {
        stage.Ia = (Vs - stage.Vp) / (Ra + 1e-20);
        stage.Vk = Rk * stage.Ia;
        stage.Vp = stage.Vp + 0.25 * (stage.Vk + evaluate(fit, -stage.Vk) - stage.Vp);
    }

    stage.Vg = 0.0;
    stage.Ig = 0.0;
    stage.y = 0.0;

    stage.gRg = 1.0 / (Rg + 1e-20);
    stage.gRa = 1.0 / (Ra + 1e-20);

    refreshRate(stage, 1.0 / fs);
}

} // namespace tamzor::dsp
