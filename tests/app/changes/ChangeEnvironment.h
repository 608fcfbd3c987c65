#pragma once

#include <chrono>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "HeardWindow.h"
#include "MisbehavingServer.h"
#include "PrivateAccessibilityBus.h"
#include "PrivateCupsd.h"
#include "PrivateFonts.h"
#include "PrivateWindowManager.h"
#include "PrivateXvfb.h"
#include "RunningProgram.h"
#include "TempDir.h"

namespace veltrane::testing {

// What a run's machine is like beyond the table's changes: the families
// bench/make-scale-fonts made in `generatedFonts`, where given; print servers
// a round trip of `far` away, where given.
struct Conditions {
    std::string generatedFonts;
    std::chrono::milliseconds far{0};
};

// What the program runs on, private to one run: an X server with a window
// manager and an accessibility bus, two print servers A and B, the system's
// fonts with a folder of the run's own, and a home. The program and every
// fresh start run as root without the power to read what root may not, so
// that a folder made unreadable is unreadable to them.
class ChangeEnvironment {
public:
    explicit ChangeEnvironment(const Conditions& conditions);

    PrivateCupsd& server(const std::string& name) { return name == "A" ? a_ : b_; }
    // Names the server in ~/.cups/client.conf, as the program finds it.
    void useServer(const std::string& name);
    // Sets or (with "") unsets LPDEST or PRINTER for the programs started from now on.
    void setVariable(const std::string& name, const std::string& value);

    // What the program and every fresh start run with.
    std::map<std::string, std::string> programEnvironment() const;
    // The same, reaching the server by its socket, where it asks no password.
    std::map<std::string, std::string> checkEnvironment(const std::string& server);
    // fontconfig configured with no folder at all, to read one font file alone.
    std::map<std::string, std::string> oneFileEnvironment() const {
        return {{"FONTCONFIG_FILE", folder_ / "no-folders.conf"}};
    }
    // The start of the command line of the program and of every check of what it would see.
    const std::vector<std::string>& launcher() const { return launcher_; }

    // The program started as a user starts it, once it is idle.
    std::unique_ptr<RunningProgram> start();
    // What the program's window says, as a screen reader hears it; nothing
    // while it is not on the accessibility bus with all its controls.
    std::optional<HeardWindow> heard(const RunningProgram& program) const;

    const std::string& display() const { return xvfb_.display(); }
    std::string home() const { return folder_ / "home"; }
    std::string scratch() const { return folder_ / "scratch"; }
    std::string privateFonts() const { return fonts_.folder(); }
    // A font file to make families of: DejaVu Sans cut to Basic Latin, quick to copy.
    std::string fontSource() const { return folder_ / "source.ttf"; }

private:
    // The address the programs are given: the server's own, or a far road to it.
    std::string addressOf(const std::string& server);
    void checkThatUnreadableFoldersAre() const;
    void makeFontSource() const;

    TempDir folder_;
    PrivateXvfb xvfb_;
    PrivateWindowManager windowManager_;
    PrivateAccessibilityBus bus_;
    PrivateCupsd a_;
    PrivateCupsd b_;
    PrivateFonts fonts_;
    std::chrono::milliseconds far_;
    std::map<std::string, std::unique_ptr<MisbehavingServer>> roads_;
    std::vector<std::string> launcher_;
    std::map<std::string, std::string> variables_;
    int started_ = 0;
};

}  // namespace veltrane::testing
