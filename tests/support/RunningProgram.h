#pragma once

#include <map>
#include <memory>
#include <optional>
#include <string>

#include "Process.h"

namespace veltrane::testing {

struct WindowGeometry {
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
    bool viewable = false;
};

// The program as it ships, started as a user would start it and driven from
// outside with xdotool and xclip.
class RunningProgram {
public:
    // `launcher` starts the command line, as PrivateNetwork's do.
    RunningProgram(const std::string& executable, std::map<std::string, std::string> environment,
                   const std::string& log, std::vector<std::string> launcher = {});

    bool running() { return process_.running(); }
    pid_t pid() const { return process_.pid(); }
    // Waits until the program has handled what it had to do, its start-up's
    // paints and activation among them, so that none of it comes after a step
    // of the caller's: a reload still to come would move the window before a
    // move that was meant to come after it had been seen.
    void waitUntilIdle(double seconds = 10) { process_.cpuMillisecondsOnceIdle(seconds); }
    const std::string& window() const { return window_; }
    // The client area's place and size on the screen.
    WindowGeometry geometry() const;
    // The outer window's: the window manager's frame, the top-level ancestor of
    // the program's window; the window itself where no window manager frames it.
    WindowGeometry frame() const;

    // Focuses the window and types the keys, as xdotool names them ("Down", "alt+o").
    void press(const std::string& keys) const;
    // Focuses the window and types the text.
    void type(const std::string& text) const;
    // Clicks at a point of the window's client area, in pixels.
    void click(int x, int y) const;
    // Puts a marker text on the clipboard, types the keys and returns what the
    // clipboard then holds: a copy that did nothing cannot pass for one.
    std::string copyWith(const std::string& keys) const;
    void screenshot(const std::string& path) const;
    // Covers the screen for a moment and takes the cover away again, as a user
    // uncovers a window; the program sees only the X server's expose.
    void uncover() const;
    // Asks the window to close, as its close box does.
    void close() const;
    // The program's exit status once it has ended, waiting at most `seconds`.
    std::optional<int> exitStatus(double seconds) { return process_.wait(seconds); }

private:
    std::string tool(const std::vector<std::string>& argv) const;
    // Runs an xdotool command on the window once it is active and has the focus.
    void onFocusedWindow(const std::vector<std::string>& command) const;
    WindowGeometry geometryOf(const std::string& window) const;

    std::map<std::string, std::string> environment_;
    Process process_;
    std::string window_;
};

// What the clipboard holds, read by xclip as another program would; nothing
// while no program offers it as text (between one owner and the next).
std::optional<std::string> readClipboard(const std::map<std::string, std::string>& environment);
// Replaces the clipboard's content by the text, as another program would, and
// returns once the clipboard offers it.
void writeClipboard(const std::string& text, const std::map<std::string, std::string>& environment);

}  // namespace veltrane::testing
