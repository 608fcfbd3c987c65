#pragma once

#include <atomic>
#include <chrono>
#include <string>
#include <thread>

namespace veltrane::testing {

// Asks for the clipboard's text every 20 ms, as another program does, and keeps
// the longest its owner took to answer: a window that stops handling events
// shows as a long wait.
class ClipboardProbe {
public:
    explicit ClipboardProbe(const std::string& display);
    ~ClipboardProbe();
    ClipboardProbe(const ClipboardProbe&) = delete;
    ClipboardProbe& operator=(const ClipboardProbe&) = delete;

    std::chrono::milliseconds longestWait() const { return std::chrono::milliseconds(longest_); }
    int answers() const { return answers_; }

private:
    void probe(const std::string& display);

    std::atomic<bool> stopping_{false};
    std::atomic<long long> longest_{0};
    std::atomic<int> answers_{0};
    std::thread thread_;
};

}  // namespace veltrane::testing
