#pragma once

#include <chrono>
#include <thread>

namespace veltrane::testing {

// Asks `done` again, a pause apart, until it holds or `seconds` have passed;
// returns whether it held.
template <typename Done>
bool eventually(double seconds, Done&& done,
                std::chrono::milliseconds pause = std::chrono::milliseconds(10)) {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::duration<double>(seconds);
    while (!done()) {
        if (std::chrono::steady_clock::now() >= deadline) return false;
        std::this_thread::sleep_for(pause);
    }
    return true;
}

}  // namespace veltrane::testing
