#include "dsp/RateConfiguration.h"

#include <algorithm>

namespace tamzor::dsp {

int chooseOversamplingFactor(float sampleRate, int highQuality)
{
    int factor = 2;
    if (sampleRate < 50000.0f) {
        factor = 4;
    }
    if (highQuality > 0) {
        factor *= 2;
    }
    return factor;
}

RateConfiguration makeRateConfiguration(float sampleRate, int highQuality)
{
    RateConfiguration configuration{};
    configuration.sampleRate = sampleRate;
    configuration.oversamplingFactor = chooseOversamplingFactor(sampleRate, highQuality);
    const double factor = static_cast<double>(static_cast<float>(configuration.oversamplingFactor));
    configuration.samplePeriod = 1.0 / (factor * static_cast<double>(sampleRate));
    configuration.oversampledRate = 1.0 / configuration.samplePeriod;
    return configuration;
}

double designCorner(double f, double fs)
{
    return std::min(f, 0.45 * fs);
}

void refreshTriodeRates(AmpChain& chain, double T)
{
    for (TriodeStage& stage : chain.triodes) {
        refreshRate(stage, T);
    }
}

void configureChain(AmpChain& chain, double fs)
{
    design(chain.toneStack, 4.7e-10, 22e-9, 22e-9, 250e3, 1e6, 25e3, 66e3, fs);

    designLowpass(chain.preampFilters[plsLowpass], designCorner(10000.0, fs), 0.7, fs);
    designLowpass(chain.preampFilters[mcjFirstLowpass], designCorner(6000.0, fs), 0.7, fs);
    designLowpass(chain.preampFilters[mcjSecondLowpass], designCorner(6000.0, fs), 0.7, fs);
    designLowShelf(chain.preampFilters[plsTrebleShelf], designCorner(1000.0, fs), 0.7, 0.3, fs);
    designLowShelf(chain.preampFilters[mcjFirstShelf], designCorner(150.0, fs), 0.7, 0.68, fs);
    designLowShelf(chain.preampFilters[mcjSecondShelf], designCorner(720.0, fs), 0.7, 0.5, fs);
    designHighpass(chain.dcBlocker, designCorner(2.0, fs), 0.7, fs);

    loadCoefficients(chain.upStage1);
    loadCoefficients(chain.downStage1);
    loadCoefficients(chain.upStage2);
    loadCoefficients(chain.downStage2);
    loadCoefficients(chain.upStage3);
    loadCoefficients(chain.downStage3);
}

} // namespace tamzor::dsp
