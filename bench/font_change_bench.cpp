// How the shipped window fares while fonts are installed into the user's font
// folder as a file manager copies them (no fc-cache), with the fonts bench/run
// gives it, under a private Xvfb with openbox: the longest it goes without
// answering another program (which asks for the clipboard every 20 ms) while
// it is redrawn every 0.2 s, how often it reloads, how long until it counts
// them all, and its memory. One family; 1,000 at once; 100 one by one; one
// beside a pipe named like a font; a file that is no font, which reloads
// nothing. Each case's families are removed after it and the folder's cache
// brought up to date again.
#include <sys/stat.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <stdexcept>
#include <string>
#include <thread>
#include <vector>

#include "ClipboardProbe.h"
#include "Coverer.h"
#include "FontSet.h"
#include "PrivateCupsd.h"
#include "PrivateWindowManager.h"
#include "PrivateXvfb.h"
#include "ProcessFigures.h"
#include "ReloadCounter.h"
#include "RunningProgram.h"

using namespace veltrane::testing;
using Clock = std::chrono::steady_clock;

namespace {

const char* const kSource = "/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf";
// The scan and the hand-over, which comes at most every 2 s, with room to spare.
constexpr auto kNoFontSettles = std::chrono::seconds(8);

std::string fontsFolder() {
    const char* data = std::getenv("XDG_DATA_HOME");
    return data != nullptr ? std::string(data) + "/fonts" : "";
}

void copyFamilies(const std::string& folder, const std::vector<std::string>& families) {
    std::vector<std::string> argv{VELTRANE_MAKE_FONT_FAMILIES, "--basic-latin", kSource, folder};
    argv.insert(argv.end(), families.begin(), families.end());
    if (Process::run(argv) != 0) throw std::runtime_error("the fonts could not be made");
}

std::vector<std::string> families(const std::string& name, int count) {
    std::vector<std::string> names;
    for (int i = 0; i < count; ++i) names.push_back("Added " + name + " " + std::to_string(i));
    return names;
}

class Bench {
public:
    Bench() : server_(), windowManager_(xvfb_.display()), coverer_(xvfb_.display()) {
        server_.addQueue("office", testPpd({"AAA-Office", "Courier"}));
        server_.addQueue("annex", testPpd({"AAA-Annex", "Courier"}));
        server_.setDefault("office");
        environment_ = server_.environment();
        environment_["DISPLAY"] = xvfb_.display();
        for (const char* name : {"XDG_DATA_HOME", "XDG_CACHE_HOME"}) {
            if (const char* value = std::getenv(name)) environment_[name] = value;
        }
        program_.emplace(VELTRANE_EXECUTABLE, environment_, server_.folder() + "/log/veltrane.log");
        program_->waitUntilIdle(120);
        before_ = screenFonts();
    }

    // Adds families in the background while the window is redrawn every 0.2 s,
    // until it counts `added` more; then removes them again.
    void measure(const char* what, int added, const std::function<void()>& add,
                 const std::function<void()>& remove) {
        ReloadCounter counter(xvfb_.display(), program_->window());
        program_->copyWith("alt+c");  // the window owns the clipboard the probe asks for
        const auto start = Clock::now();
        double listedMs = -1;
        {
            const ClipboardProbe probe(xvfb_.display());
            std::thread adding(add);
            for (auto lastCount = Clock::now(); Clock::now() - start < std::chrono::seconds(300);) {
                coverer_.pass();
                std::this_thread::sleep_for(std::chrono::milliseconds(180));
                if (Clock::now() - lastCount < std::chrono::seconds(2)) continue;
                lastCount = Clock::now();
                // A change that adds no font is given the time a reload would take to come.
                const bool settled = added > 0 || Clock::now() - start > kNoFontSettles;
                if (settled && screenFonts() == before_ + added) {
                    listedMs =
                        std::chrono::duration<double, std::milli>(Clock::now() - start).count();
                    break;
                }
            }
            adding.join();
            std::printf(
                "%-44s longest without answer %5lld ms   reloads %3d   all counted after %8.0f "
                "ms   resident %6.1f MB\n",
                what, static_cast<long long>(probe.longestWait().count()), counter.reloads(),
                listedMs, residentMegabytes(program_->pid()));
        }
        remove();
        while (screenFonts() != before_) {
            for (int i = 0; i < 10; ++i) coverer_.pass();
        }
    }

    // A hundred reloads, the default switched between two queues before each:
    // resident memory after the first and after the last.
    void reloadAHundredTimes() {
        ReloadCounter counter(xvfb_.display(), program_->window());
        double afterFirst = 0;
        for (int reload = 1; reload <= 100 && reloaded(counter, reload); ++reload) {
            program_->waitUntilIdle(60);
            if (reload == 1) afterFirst = residentMegabytes(program_->pid());
        }
        const double afterLast = residentMegabytes(program_->pid());
        std::printf(
            "%-44s resident after the first %6.1f MB, after the last %6.1f MB: %+5.1f MB "
            "(target < 5)\n",
            (std::to_string(counter.reloads()) + " reloads").c_str(), afterFirst, afterLast,
            afterLast - afterFirst);
    }

private:
    // Switches the default and uncovers the window until it has reloaded
    // `reloads` times in all and shows the new default's fonts (a reload for
    // the fonts of an earlier case may come between); whether within a minute.
    bool reloaded(ReloadCounter& counter, int reloads) {
        const bool annex = reloads % 2 == 1;
        server_.setDefault(annex ? "annex" : "office");
        const std::string firstFont = annex ? "AAA-Annex" : "AAA-Office";
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::minutes(1);
        while (counter.reloads() < reloads || program_->copyWith("alt+o") != firstFont) {
            if (std::chrono::steady_clock::now() > deadline) {
                std::printf("reload %d was not seen within a minute of uncovering\n", reloads);
                return false;
            }
            coverer_.pass();
            std::this_thread::sleep_for(std::chrono::milliseconds(100));
        }
        return true;
    }

    // What Text1 shows, copied as a user copies it.
    int screenFonts() {
        program_->click(175 + 40, 84);
        program_->press("ctrl+a");
        const std::string count = program_->copyWith("ctrl+c");
        return count.find_first_not_of("0123456789") == std::string::npos && !count.empty()
                   ? std::stoi(count)
                   : -1;
    }

    PrivateXvfb xvfb_;
    PrivateCupsd server_;
    PrivateWindowManager windowManager_;
    Coverer coverer_;
    std::map<std::string, std::string> environment_;
    std::optional<RunningProgram> program_;
    int before_ = 0;
};

// Removes what was added and brings the folder's cache up to date, as after
// fc-cache, for the next case and the next benchmark.
void removeAndCache(const std::string& folder, const std::vector<std::string>& added) {
    for (const std::string& path : added) std::filesystem::remove(path);
    const std::string root = std::filesystem::path(folder).parent_path().parent_path();
    Process::run({"fc-cache", folder}, {{"FONTCONFIG_FILE", root + "/user-cache-first.conf"}});
}

std::vector<std::string> filesIn(const std::string& folder) {
    std::vector<std::string> files;
    for (const auto& entry : std::filesystem::directory_iterator(folder)) {
        files.push_back(entry.path());
    }
    return files;
}

std::vector<std::string> newFiles(const std::string& folder, const std::vector<std::string>& old) {
    std::vector<std::string> added;
    for (const std::string& file : filesIn(folder)) {
        if (std::find(old.begin(), old.end(), file) == old.end()) added.push_back(file);
    }
    return added;
}

}  // namespace

int main() {
    const std::string folder = fontsFolder();
    if (folder.empty()) {
        std::printf("Set XDG_DATA_HOME and XDG_CACHE_HOME as bench/make-scale-fonts says.\n");
        return 1;
    }
    // Qt's own refill of its font database, as a change of the fonts makes it.
    const std::string refill = Process::capture({BARE_WINDOW_EXECUTABLE, "refill", kSource}, {});
    std::printf(
        "Fonts installed while the window is open, %s (target: no wait over Qt's own refill, "
        "%s ms, plus 100 ms)\n",
        veltrane::bench::fontSet().c_str(), refill.substr(0, refill.find('\n')).c_str());
    Bench bench;
    const std::vector<std::string> before = filesIn(folder);
    const auto undo = [&] { removeAndCache(folder, newFiles(folder, before)); };
    bench.measure(
        "1 family", 1, [&] { copyFamilies(folder, families("One", 1)); }, undo);
    bench.measure(
        "1,000 families at once", 1000, [&] { copyFamilies(folder, families("Thousand", 1000)); },
        undo);
    bench.measure(
        "100 families one by one", 100,
        [&] {
            for (const std::string& family : families("Hundred", 100))
                copyFamilies(folder, {family});
        },
        undo);
    const std::string pipe = folder + "/pipe.ttf";
    bench.measure(
        "1 family beside a pipe named like a font", 1,
        [&] {
            ::mkfifo(pipe.c_str(), 0644);
            copyFamilies(folder, families("Piped", 1));
        },
        undo);
    bench.measure(
        "a file that is no font", 0,
        [&] { std::ofstream(folder + "/read-me.txt") << "Fonts for the office\n"; }, undo);
    bench.reloadAHundredTimes();
    return 0;
}
