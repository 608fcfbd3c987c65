#include "RunningProgram.h"

#include <stdlib.h>
#include <xcb/xcb.h>

#include <algorithm>
#include <chrono>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <regex>
#include <stdexcept>
#include <thread>

#include "CHandle.h"
#include "Coverer.h"
#include "Eventually.h"
#include "TempDir.h"

namespace veltrane::testing {

namespace {

const char* const kTitle = "^Veltrane {17}veltrane\\.example$";

std::string match(const std::string& text, const std::string& pattern) {
    std::smatch found;
    if (!std::regex_search(text, found, std::regex(pattern))) {
        throw std::runtime_error("no " + pattern + " in " + text);
    }
    return found[1];
}

std::vector<std::string> commandLine(std::vector<std::string> launcher,
                                     const std::string& executable) {
    launcher.push_back(executable);
    return launcher;
}

int field(const std::string& text, const std::string& name) {
    return std::stoi(match(text, name + R"(:\s+(-?\d+))"));
}

}  // namespace

RunningProgram::RunningProgram(const std::string& executable,
                               std::map<std::string, std::string> environment,
                               const std::string& log, std::vector<std::string> launcher)
    : environment_(std::move(environment)),
      process_(commandLine(std::move(launcher), executable), environment_, log) {
    // Its own window: another program's of the same title may be open beside it.
    // xdotool gives up on an X error, as when a window it looks at closes
    // meanwhile: it looks again.
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(15);
    const auto searched = [&] {
        Process search({"xdotool", "search", "--sync", "--onlyvisible", "--pid",
                        std::to_string(process_.pid()), "--name", kTitle},
                       environment_, log + ".search", false);
        const std::chrono::duration<double> left = deadline - std::chrono::steady_clock::now();
        return search.wait(std::max(left.count(), 0.0)) == 0;
    };
    while (!searched()) {
        if (std::chrono::steady_clock::now() >= deadline || !process_.running()) {
            std::ifstream said(log);
            const std::string output((std::istreambuf_iterator<char>(said)),
                                     std::istreambuf_iterator<char>());
            throw std::runtime_error("the window did not appear" +
                                     (process_.running() ? std::string() : ", the program ended") +
                                     "; it said: " + output);
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    std::ifstream found(log + ".search");
    std::getline(found, window_);
    std::filesystem::remove(log + ".search");
}

std::string RunningProgram::tool(const std::vector<std::string>& argv) const {
    return Process::capture(argv, environment_);
}

WindowGeometry RunningProgram::geometry() const {
    return geometryOf(window_);
}

// While the window is hidden a window manager may have taken its frame away:
// a window that is gone is not viewable.
WindowGeometry RunningProgram::frame() const {
    std::string window = window_;
    for (;;) {
        const auto tree = Process::output({"xwininfo", "-tree", "-id", window}, environment_);
        if (!tree) return {};
        const std::string parent = match(*tree, R"(Parent window id: (0x[0-9a-f]+))");
        if (parent == match(*tree, R"(Root window id: (0x[0-9a-f]+))")) break;
        window = parent;
    }
    return geometryOf(window);
}

WindowGeometry RunningProgram::geometryOf(const std::string& window) const {
    const auto info = Process::output({"xwininfo", "-id", window}, environment_);
    if (!info) return {};
    return {field(*info, "Absolute upper-left X"), field(*info, "Absolute upper-left Y"),
            field(*info, "Width"), field(*info, "Height"),
            info->find("Map State: IsViewable") != std::string::npos};
}

// A window manager decides which window is active: it is asked first, as a
// user's click asks it (without one, that request fails and focus is given).
void RunningProgram::onFocusedWindow(const std::vector<std::string>& command) const {
    tool({"xdotool", "windowactivate", "--sync", window_});
    std::vector<std::string> argv{"xdotool", "windowfocus", "--sync", window_};
    argv.insert(argv.end(), command.begin(), command.end());
    tool(argv);
}

void RunningProgram::press(const std::string& keys) const {
    onFocusedWindow({"key", "--clearmodifiers", keys});
}

void RunningProgram::type(const std::string& text) const {
    onFocusedWindow({"type", text});
}

// Not --sync: xdotool would wait for a move to a point the pointer is already
// at; the X server takes the press after the move all the same.
void RunningProgram::click(int x, int y) const {
    tool({"xdotool", "mousemove", "--window", window_, std::to_string(x), std::to_string(y),
          "click", "1"});
}

std::string RunningProgram::copyWith(const std::string& keys) const {
    const std::string marker = "not copied yet";
    writeClipboard(marker, environment_);
    press(keys);
    std::optional<std::string> text;
    eventually(
        3, [&] { return (text = readClipboard(environment_)) && text != marker; },
        std::chrono::milliseconds(20));
    return text.value_or("");
}

void RunningProgram::screenshot(const std::string& path) const {
    tool({"import", "-window", window_, path});
}

// A window that a reload has just hidden is covered once it is back.
void RunningProgram::uncover() const {
    eventually(
        5, [&] { return frame().viewable; }, std::chrono::milliseconds(20));
    Coverer(environment_.at("DISPLAY")).pass();
    // The program handles the expose before the caller goes on, however busy the machine.
    std::this_thread::sleep_for(std::chrono::milliseconds(200));
}

void RunningProgram::close() const {
    const CHandle<xcb_connection_t, xcb_disconnect> x(
        xcb_connect(environment_.at("DISPLAY").c_str(), nullptr));
    auto atom = [&](const char* name) {
        const CHandle<xcb_intern_atom_reply_t, free> reply(xcb_intern_atom_reply(
            x.get(), xcb_intern_atom(x.get(), 0, static_cast<uint16_t>(std::strlen(name)), name),
            nullptr));
        return reply ? reply->atom : xcb_atom_t{XCB_ATOM_NONE};
    };
    xcb_client_message_event_t message{};
    message.response_type = XCB_CLIENT_MESSAGE;
    message.format = 32;
    message.window = static_cast<xcb_window_t>(std::stoul(window_));
    message.type = atom("WM_PROTOCOLS");
    message.data.data32[0] = atom("WM_DELETE_WINDOW");
    message.data.data32[1] = XCB_CURRENT_TIME;
    xcb_send_event(x.get(), 0, message.window, XCB_EVENT_MASK_NO_EVENT,
                   reinterpret_cast<const char*>(&message));
    // A round trip: a busy X server may drop what a client that has already
    // gone asked of it.
    const CHandle<xcb_get_input_focus_reply_t, free> focus(
        xcb_get_input_focus_reply(x.get(), xcb_get_input_focus(x.get()), nullptr));
}

std::optional<std::string> readClipboard(const std::map<std::string, std::string>& environment) {
    return Process::output({"xclip", "-selection", "clipboard", "-o"}, environment);
}

void writeClipboard(const std::string& text,
                    const std::map<std::string, std::string>& environment) {
    TempDir folder("veltrane-clip");
    const std::string file = folder / "text";
    std::ofstream(file) << text;
    Process::run({"xclip", "-selection", "clipboard", "-i", file}, environment);
    // xclip's own child takes the clipboard after xclip has returned.
    eventually(3, [&] { return readClipboard(environment) == text; });
}

}  // namespace veltrane::testing
