// Drives the shipped window through random changes of its printers and fonts,
// drawn from one table with a seed, and after each compares it with a fresh
// start under the same conditions, minus the differences the README declares.
//
//   change_driver [--seed S] [--steps N] [--every-kind] [--families N]
//                 [--far MS] [--shrink-seconds S]
//   change_driver --replay FILE [--shrink-seconds S]
//
// A divergence is printed with its steps and both states, shrunk to steps of
// which none can be left out, and written to build/artifacts/ as a file that
// --replay takes. The run ends with one line of figures.
#include <algorithm>
#include <atomic>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iostream>
#include <set>
#include <string>

#include "ChangeRun.h"

namespace {

using namespace veltrane::testing;
using Clock = std::chrono::steady_clock;

// Set by SIGINT or SIGTERM: the run ends after its step, its servers and windows stopped.
std::atomic<bool> interrupted{false};

bool goesOn() {
    return !interrupted;
}

struct Options {
    std::uint64_t seed = 1;
    int steps = 40;
    bool everyKind = false;  // go on until every kind has been drawn
    int families = 0;
    int farMilliseconds = 0;
    int shrinkSeconds = 600;
    std::string replay;
};

Options parse(int argc, char** argv) {
    Options options;
    for (int i = 1; i < argc; ++i) {
        const std::string option = argv[i];
        const auto value = [&] {
            if (i + 1 == argc) throw std::invalid_argument(option + " needs a value");
            return std::string(argv[++i]);
        };
        if (option == "--seed") {
            options.seed = std::stoull(value());
        } else if (option == "--steps") {
            options.steps = std::stoi(value());
        } else if (option == "--every-kind") {
            options.everyKind = true;
        } else if (option == "--families") {
            options.families = std::stoi(value());
        } else if (option == "--far") {
            options.farMilliseconds = std::stoi(value());
        } else if (option == "--shrink-seconds") {
            options.shrinkSeconds = std::stoi(value());
        } else if (option == "--replay") {
            options.replay = value();
        } else {
            throw std::invalid_argument("unknown option " + option);
        }
    }
    return options;
}

// bench/make-scale-fonts's folder of N families, as bench/run names it; made once.
std::string generatedFonts(int families) {
    if (families == 0) return "";
    const std::string folder = std::string(VELTRANE_BINARY_DIR) + "/scale-fonts" +
                               (families == 3000 ? "" : "-" + std::to_string(families));
    if (Process::run({VELTRANE_MAKE_SCALE_FONTS, folder, std::to_string(families)}) != 0) {
        throw DriverFailure("bench/make-scale-fonts failed");
    }
    return folder;
}

// --- Reports -----------------------------------------------------------------

std::string shownList(const HeardList& list) {
    std::string text = std::to_string(list.entries.size()) + " entries";
    if (list.selected) text += ", entry " + std::to_string(*list.selected) + " selected";
    return text;
}

void printListDifference(const char* name, const HeardList& expected, const HeardList& shown) {
    if (expected == shown) return;
    std::printf("  %-18s expected %s, shown %s\n", name, shownList(expected).c_str(),
                shownList(shown).c_str());
    const std::set<std::string> meant(expected.entries.begin(), expected.entries.end());
    const std::set<std::string> seen(shown.entries.begin(), shown.entries.end());
    int told = 0;
    for (const auto& [from, to, sign] :
         {std::tuple{&meant, &seen, "missing"}, std::tuple{&seen, &meant, "not expected"}}) {
        for (const std::string& entry : *from) {
            if (!to->contains(entry) && told++ < 10)
                std::printf("    %s: %s\n", sign, entry.c_str());
        }
    }
}

void printField(const char* name, const std::string& expected, const std::string& shown) {
    std::printf("  %-18s expected \"%s\"\n  %-18s shown    \"%s\"%s\n", name, expected.c_str(), "",
                shown.c_str(), expected == shown ? "" : "   <- differs");
}

void printSteps(const std::vector<Step>& steps) {
    for (std::size_t i = 0; i < steps.size(); ++i) {
        std::printf("  %3zu  %s\n", i + 1, steps[i].line().c_str());
    }
}

void report(const Divergence& divergence, const std::string& origin) {
    std::printf("\nDIVERGENCE (%s) at step %zu: %s\n", origin.c_str(), divergence.steps.size(),
                divergence.why.c_str());
    printSteps(divergence.steps);
    const Kind& kind = kindNamed(divergence.steps.back().kind);
    std::printf("  the last step may bring: %s; the model applied: %s\n", nameOf(kind.mayBring),
                nameOf(divergence.difference));
    if (!divergence.expected) return;
    if (!divergence.shown) {
        std::printf("  the open window is not heard at all\n");
        return;
    }
    const HeardWindow& e = *divergence.expected;
    const HeardWindow& s = *divergence.shown;
    printField("Text1", e.text1, s.text1);
    printField("Text4", e.text4, s.text4);
    printField("Label5", e.label5, s.label5);
    printField("Label5's tooltip", e.label5Tooltip, s.label5Tooltip);
    printField("Label6", e.label6, s.label6);
    printField("Label6's tooltip", e.label6Tooltip, s.label6Tooltip);
    printListDifference("List1", e.list1, s.list1);
    printListDifference("List2", e.list2, s.list2);
    std::fflush(stdout);
}

void write(const std::string& path, const Divergence& divergence, const std::string& origin) {
    std::filesystem::create_directories(std::filesystem::path(path).parent_path());
    std::ofstream file(path);
    file << "# " << origin << ": " << divergence.why << " (";
    for (const std::string& field : divergence.fields) {
        file << field << (field == *divergence.fields.rbegin() ? "" : ", ");
    }
    file << ")\n";
    for (const Step& step : divergence.steps) file << step.line() << "\n";
}

std::vector<Step> read(const std::string& path) {
    std::ifstream file(path);
    if (!file) throw DriverFailure("cannot read " + path);
    std::vector<Step> steps;
    for (std::string line; std::getline(file, line);) {
        if (!line.empty() && line.front() != '#') steps.push_back(Step::fromLine(line));
    }
    return steps;
}

// --- Runs --------------------------------------------------------------------

std::vector<Step> without(std::vector<Step> steps, std::size_t at, std::size_t count) {
    const auto from = steps.begin() + static_cast<std::ptrdiff_t>(at);
    steps.erase(from, from + static_cast<std::ptrdiff_t>(std::min(count, steps.size() - at)));
    return steps;
}

// The same divergence: at a step of the same kind, in one field at least of the same.
bool same(const Divergence& a, const Divergence& b) {
    return a.steps.back().kind == b.steps.back().kind &&
           std::any_of(a.fields.begin(), a.fields.end(),
                       [&](const std::string& field) { return b.fields.contains(field); });
}

// The steps replayed on a fresh environment as the run took them, the window
// opened anew after each divergence, up to the same divergence as `meant`. A
// step that cannot come without those left out goes too (the undoing of a
// change left out).
std::optional<Divergence> reproduce(const std::vector<Step>& steps, const Conditions& conditions,
                                    const Divergence& meant) {
    try {
        ChangeRun run(conditions);
        for (const Step& step : steps) {
            if (!goesOn()) break;
            if (!kindNamed(step.kind).applicable(run.world())) continue;
            auto divergence = run.take(step);
            if (divergence && same(*divergence, meant)) return divergence;
            if (divergence) run.reopen();
        }
    } catch (const DriverFailure&) {
        // Without the steps left out the others cannot all be taken.
    }
    return std::nullopt;
}

// The diverging step alone first; then runs of steps left out, halving their
// length down to single steps, while the rest still diverges the same way;
// until no single step can be left out or the time is up.
std::vector<Step> shrink(const Divergence& divergence, const Conditions& conditions,
                         Clock::time_point until) {
    std::vector<Step> steps = divergence.steps;
    const auto inTime = [&] { return goesOn() && Clock::now() < until; };
    if (!inTime()) return steps;
    if (auto alone = reproduce({steps.back()}, conditions, divergence)) return alone->steps;
    for (std::size_t count = std::max<std::size_t>(steps.size() / 2, 1); inTime();) {
        bool shorter = false;
        for (std::size_t at = 0; at < steps.size() && inTime();) {
            if (auto again = reproduce(without(steps, at, count), conditions, divergence)) {
                steps = again->steps;
                shorter = true;
            } else {
                at += count;
            }
        }
        if (!shorter && count == 1) break;
        if (!shorter) count /= 2;
        count = std::min(count, std::max<std::size_t>(steps.size() / 2, 1));
    }
    return steps;
}

struct Tally {
    int steps = 0;
    std::set<std::string> kinds;
    int divergences = 0;
};

Step draw(const World& world, Random& random, const std::set<std::string>& drawn) {
    std::vector<const Kind*> applicable;
    std::vector<const Kind*> undrawn;
    for (const Kind& kind : changeKinds()) {
        if (!kind.applicable(world)) continue;
        applicable.push_back(&kind);
        if (!drawn.contains(kind.name)) undrawn.push_back(&kind);
    }
    const Kind& kind = *random.pick(undrawn.empty() ? applicable : undrawn);
    return {kind.name, kind.draw(world, random)};
}

bool goOn(const Options& options, const Tally& tally) {
    const bool everyKindDrawn = tally.kinds.size() == changeKinds().size();
    const int most = 4 * static_cast<int>(changeKinds().size());
    return goesOn() && (tally.steps < options.steps ||
                        (options.everyKind && !everyKindDrawn && tally.steps < most));
}

// The run's one line of figures.
std::string summary(const ChangeRun& run, const Tally& tally) {
    const WindowFigures figures = run.figures();
    char line[256];
    std::snprintf(line, sizeof(line),
                  "changes: %d steps, %zu kinds, %d divergences, longest wait %.2f s, RSS %.1f -> "
                  "%.1f MB, fds %ld -> %ld",
                  tally.steps, tally.kinds.size(), tally.divergences,
                  std::chrono::duration<double>(run.longestWait()).count(), figures.earlyMegabytes,
                  figures.lateMegabytes, figures.earlyDescriptors, figures.lateDescriptors);
    return line;
}

// Takes the step, saying which and how long it took.
std::optional<Divergence> take(ChangeRun& run, const Step& step, Tally& tally) {
    std::printf("step %d: %s\n", ++tally.steps, step.line().c_str());
    std::fflush(stdout);
    tally.kinds.insert(step.kind);
    const auto start = Clock::now();
    auto divergence = run.take(step);
    std::printf("        %.1f s\n", std::chrono::duration<double>(Clock::now() - start).count());
    return divergence;
}

// The next step: drawn, or read from a file; nothing once the run is over.
using StepSource = std::function<std::optional<Step>(const World&, const Tally&)>;

StepSource drawn(const Options& options) {
    return
        [&options, random = Random(options.seed)](const World& world, const Tally& tally) mutable {
            return goOn(options, tally) ? std::optional(draw(world, random, tally.kinds))
                                        : std::nullopt;
        };
}

StepSource readFrom(const std::string& path) {
    return [steps = read(path)](const World&, const Tally& tally) {
        const auto next = static_cast<std::size_t>(tally.steps);
        return goesOn() && next < steps.size() ? std::optional(steps[next]) : std::nullopt;
    };
}

// Each divergence shrunk, in a share of the time left, and written to
// build/artifacts/changes-LABEL-N.steps.
void shrinkAll(const std::vector<Divergence>& divergences, const Options& options,
               const Conditions& conditions, const std::string& origin, const std::string& label) {
    const auto end = Clock::now() + std::chrono::seconds(options.shrinkSeconds);
    for (std::size_t n = 0; n < divergences.size(); ++n) {
        const auto left = static_cast<long>(divergences.size() - n);
        const auto until = Clock::now() + std::max(end - Clock::now(), Clock::duration{}) / left;
        Divergence shrunk = divergences[n];
        shrunk.steps = shrink(divergences[n], conditions, until);
        const std::string path = std::string(VELTRANE_ARTIFACTS) + "/changes-" + label + "-" +
                                 std::to_string(n + 1) + ".steps";
        write(path, shrunk, origin);
        std::printf("\nDivergence %zu shrunk from %zu to %zu steps, in %s:\n", n + 1,
                    divergences[n].steps.size(), shrunk.steps.size(), path.c_str());
        printSteps(shrunk.steps);
    }
}

// After a divergence the window opens anew and the run goes on; the
// divergences are shrunk once the run's own environment has gone.
int run(const Options& options, const StepSource& next, const std::string& origin,
        const std::string& label) {
    const Conditions conditions{generatedFonts(options.families),
                                std::chrono::milliseconds(options.farMilliseconds)};
    std::vector<Divergence> divergences;
    Tally tally;
    std::string line;
    {
        ChangeRun changes(conditions);
        while (const auto step = next(changes.world(), tally)) {
            if (auto divergence = take(changes, *step, tally)) {
                report(*divergence, origin);
                divergences.push_back(std::move(*divergence));
                ++tally.divergences;
                changes.reopen();
            }
        }
        if (options.everyKind && tally.kinds.size() != changeKinds().size()) {
            std::printf("some kinds of change were never drawn\n");
            ++tally.divergences;
        }
        line = summary(changes, tally);
    }
    shrinkAll(divergences, options, conditions, origin, label);
    std::printf("%s\n", line.c_str());
    return tally.divergences == 0 ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv) {
    for (const int number : {SIGINT, SIGTERM}) {
        std::signal(number, [](int) { interrupted = true; });
    }
    try {
        const Options options = parse(argc, argv);
        if (!options.replay.empty()) {
            return run(options, readFrom(options.replay), "replay of " + options.replay,
                       std::filesystem::path(options.replay).stem());
        }
        const std::string seed = std::to_string(options.seed);
        return run(options, drawn(options), "seed " + seed, "seed" + seed);
    } catch (const std::exception& error) {
        std::fprintf(stderr, "change_driver: %s\n", error.what());
        return 2;
    }
}
