#pragma once

// Averaged power spectrum (Hann-windowed, half-overlapping segments) for
// checking where a rendered signal has its energy.

#include <algorithm>
#include <cmath>
#include <numbers>
#include <complex>
#include <cstddef>
#include <vector>

namespace tamzor::testsignal {

inline void fft(std::vector<std::complex<double>>& data)
{
    const std::size_t n = data.size();
    for (std::size_t i = 1, j = 0; i < n; ++i) {
        std::size_t bit = n >> 1;
        for (; j & bit; bit >>= 1) {
            j ^= bit;
        }
        j ^= bit;
        if (i < j) {
            std::swap(data[i], data[j]);
        }
    }
    for (std::size_t length = 2; length <= n; length <<= 1) {
        const double angle = -2.0 * std::numbers::pi / static_cast<double>(length);
        const std::complex<double> step(std::cos(angle), std::sin(angle));
        for (std::size_t i = 0; i < n; i += length) {
            std::complex<double> w(1.0);
            for (std::size_t k = 0; k < length / 2; ++k) {
                const std::complex<double> u = data[i + k];
                const std::complex<double> v = data[i + k + length / 2] * w;
                data[i + k] = u + v;
                data[i + k + length / 2] = u - v;
                w *= step;
            }
        }
    }
}

struct PowerSpectrum {
    double binWidth;
    std::vector<double> power;

    // Energy of the bins from low (inclusive) to high (exclusive), in Hz.
    double band(double low, double high) const
    {
        double sum = 0.0;
        for (std::size_t k = 0; k < power.size(); ++k) {
            const double f = static_cast<double>(k) * binWidth;
            if (f >= low && f < high) {
                sum += power[k];
            }
        }
        return sum;
    }
};

inline PowerSpectrum powerSpectrum(const std::vector<float>& signal, double sampleRate, std::size_t size = 8192)
{
    PowerSpectrum spectrum{sampleRate / static_cast<double>(size), std::vector<double>(size / 2 + 1, 0.0)};
    std::vector<std::complex<double>> frame(size);
    for (std::size_t start = 0; start + size <= signal.size(); start += size / 2) {
        for (std::size_t n = 0; n < size; ++n) {
            const double window = 0.5 - 0.5 * std::cos(2.0 * std::numbers::pi * static_cast<double>(n) / static_cast<double>(size));
            frame[n] = window * static_cast<double>(signal[start + n]);
        }
        fft(frame);
        for (std::size_t k = 0; k <= size / 2; ++k) {
            spectrum.power[k] += std::norm(frame[k]);
        }
    }
    return spectrum;
}

} // namespace tamzor::testsignal
