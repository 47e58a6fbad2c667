#pragma once

#include <algorithm>
#include <cstddef>
#include <vector>

// The median, 95th percentile and largest of a benchmark's samples, and how many there were.
struct Figures {
    double p50 = 0;
    double p95 = 0;
    double max = 0;
    std::size_t count = 0;
};

inline Figures figuresOf(std::vector<double> samples)
{
    if (samples.empty())
        return {};
    std::sort(samples.begin(), samples.end());
    const auto at = [&samples](double p) {
        return samples[std::min(samples.size() - 1,
                                static_cast<std::size_t>(p * static_cast<double>(samples.size())))];
    };
    return {at(0.5), at(0.95), samples.back(), samples.size()};
}
