#pragma once

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

namespace veltrane::bench {

// Times in milliseconds of repeated runs, summarised as the figures we report.
class Timings {
public:
    template <typename Run>
    static Timings of(int runs, Run&& run) {
        Timings timings;
        for (int i = 0; i < runs; ++i) timings.add(run());
        return timings;
    }

    // Times one call of `work`, in milliseconds.
    template <typename Work>
    static double time(Work&& work) {
        const auto start = std::chrono::steady_clock::now();
        work();
        return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start)
            .count();
    }

    void add(double milliseconds) { samples_.push_back(milliseconds); }
    bool empty() const { return samples_.empty(); }

    double median() const { return at(0.5); }
    double p99() const { return at(0.99); }
    double worst() const { return *std::max_element(samples_.begin(), samples_.end()); }

    void report(const std::string& what, double targetMs) const {
        std::printf("%-62s median %8.3f ms  (target < %g ms, %zu runs)\n", what.c_str(), median(),
                    targetMs, samples_.size());
    }

    // The median, and its ratio to a yardstick measured in the same run.
    void reportAgainst(const std::string& what, const Timings& yardstick,
                       const std::string& yardstickName) const {
        std::printf("%-62s median %8.3f ms  %.2f x %s (%.3f ms)\n", what.c_str(), median(),
                    median() / yardstick.median(), yardstickName.c_str(), yardstick.median());
    }

    // Median, 99th percentile and worst, for steps each of its own.
    void reportSteps(const std::string& what, const std::string& target) const {
        std::printf("%-62s median %7.3f  p99 %7.3f  worst %8.3f ms  %s(%zu steps)\n", what.c_str(),
                    median(), p99(), worst(), target.c_str(), samples_.size());
    }

    // The figure below which `fraction` of the runs lie: 0 the least, 1 the most.
    double at(double fraction) const {
        std::vector<double> sorted = samples_;
        std::sort(sorted.begin(), sorted.end());
        const auto index =
            static_cast<std::size_t>(fraction * static_cast<double>(sorted.size() - 1));
        return sorted[index];
    }

private:
    std::vector<double> samples_;
};

}  // namespace veltrane::bench
