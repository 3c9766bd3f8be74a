#pragma once

// A deterministic test signal that sounds like a guitar: plucked strings
// (a Karplus-Strong delay line with a lowpass in its loop) playing a short
// riff again and again. Header-only so tests, tools and benchmarks share it.

#include <algorithm>
#include <cmath>
#include <numbers>
#include <cstdint>
#include <vector>

namespace tamzor::testsignal {

struct PluckedNote {
    double frequency;  // Hz
    double start;      // seconds into the riff
};

inline std::vector<float> pluckedString(double sampleRate, double seconds, double peak = 0.3,
                                        std::uint32_t seed = 12345u)
{
    static constexpr PluckedNote riff[] = {
        {82.41, 0.0}, {110.0, 0.5}, {146.83, 1.0}, {196.0, 1.25}, {110.0, 1.5}, {164.81, 1.75},
    };
    constexpr double riffLength = 2.0;
    const auto total = static_cast<std::size_t>(seconds * sampleRate);
    std::vector<double> mix(total, 0.0);

    std::uint32_t state = seed;
    auto noise = [&state] {
        state = state * 1664525u + 1013904223u;
        return static_cast<double>(state >> 8) / static_cast<double>(1u << 24) * 2.0 - 1.0;
    };

    for (double riffStart = 0.0; riffStart < seconds; riffStart += riffLength) {
        for (const PluckedNote& note : riff) {
            const auto begin = static_cast<std::size_t>((riffStart + note.start) * sampleRate);
            if (begin >= total) {
                continue;
            }
            const auto period = static_cast<std::size_t>(sampleRate / note.frequency);
            std::vector<double> line(period);
            for (double& v : line) {
                v = noise();
            }
            // Ring for up to two seconds.
            const std::size_t length = std::min(total - begin, static_cast<std::size_t>(2.0 * sampleRate));
            std::size_t index = 0;
            for (std::size_t n = 0; n < length; ++n) {
                const std::size_t next = index + 1 == period ? 0 : index + 1;
                const double out = line[index];
                line[index] = 0.498 * (line[index] + line[next]);
                index = next;
                mix[begin + n] += out;
            }
        }
    }

    double largest = 0.0;
    for (double v : mix) {
        largest = std::max(largest, std::fabs(v));
    }
    std::vector<float> signal(total);
    for (std::size_t n = 0; n < total; ++n) {
        signal[n] = static_cast<float>(mix[n] * (peak / largest));
    }
    return signal;
}

inline std::vector<float> sine(double sampleRate, double seconds, double frequency, double amplitude)
{
    const auto total = static_cast<std::size_t>(seconds * sampleRate);
    std::vector<float> signal(total);
    for (std::size_t n = 0; n < total; ++n) {
        signal[n] = static_cast<float>(amplitude * std::sin(2.0 * std::numbers::pi * frequency * static_cast<double>(n) / sampleRate));
    }
    return signal;
}

} // namespace tamzor::testsignal
