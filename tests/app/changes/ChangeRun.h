#pragma once

#include <chrono>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "ChangeEnvironment.h"
#include "ChangeKinds.h"
#include "Differences.h"
#include "HeardWindow.h"
#include "ReloadCounter.h"
#include "World.h"

namespace veltrane::testing {

// The open window did not show what the model expects after the last of the steps.
struct Divergence {
    std::vector<Step> steps;  // every step from a fresh environment on
    std::string why;
    std::set<std::string> fields;  // what differed: the fields, or the window's misbehaviour
    std::optional<HeardWindow> expected{};
    std::optional<HeardWindow> shown{};
    Difference difference = Difference::None;  // the one the model applied
};

// Memory and descriptors of one window: after its first 100 steps (or its
// last, when it stayed open for fewer), and after its last.
struct WindowFigures {
    int steps = 0;
    double earlyMegabytes = 0;
    double lateMegabytes = 0;
    long earlyDescriptors = 0;
    long lateDescriptors = 0;
};

// One environment with the window open in it, taking steps: after each it
// redraws the window and compares it with a fresh start under the same
// conditions, both read over the accessibility bus.
class ChangeRun {
public:
    explicit ChangeRun(const Conditions& conditions);

    const World& world() const { return world_; }
    const std::vector<Step>& steps() const { return steps_; }
    std::chrono::milliseconds longestWait() const { return longestWait_; }
    // Of the window that stayed open longest.
    WindowFigures figures() const;

    // Takes the step, throwing DriverFailure when it cannot be taken or its
    // effect does not show; the divergence it led to, if any.
    std::optional<Divergence> take(const Step& step);
    // Opens the window anew, as after a divergence, to go on from a window
    // that shows what a fresh start shows.
    void reopen();

private:
    std::optional<Divergence> compare(const Kind& kind, int reloadsBefore);
    std::optional<HeardWindow> readUntilStable(const RunningProgram& program);
    // Redraws and reads the open window, `atLeast` that long, until two reads
    // agree with what is expected, or the bound passes; the last read.
    std::optional<HeardWindow> settle(const Expected& expected, std::chrono::seconds atLeast);
    std::chrono::seconds bound() const;
    void keepTime(const World& before);
    void measure();

    ChangeEnvironment environment_;
    World world_;
    std::unique_ptr<RunningProgram> window_;
    std::unique_ptr<ReloadCounter> reloads_;
    HeardWindow shown_;  // what the open window showed after the last step
    std::vector<Step> steps_;
    WindowFigures figures_;
    WindowFigures longestOpen_;
    std::chrono::milliseconds longestWait_{0};
    std::chrono::steady_clock::time_point pausedAt_;
    std::chrono::seconds silence_{0};  // how long the server lately stayed silent
};

}  // namespace veltrane::testing
