#pragma once

#include <cstdint>
#include <random>
#include <stdexcept>
#include <string>
#include <vector>

#include "ChangeEnvironment.h"
#include "Differences.h"
#include "World.h"

namespace veltrane::testing {

// One change: a kind of the table and the arguments drawn for it, written as
// a line of tab-separated words.
struct Step {
    std::string kind;
    std::vector<std::string> arguments;

    std::string line() const;
    static Step fromLine(const std::string& line);
};

// A change that could not be made or whose effect does not show from outside:
// the driver's failure, not the window's.
struct DriverFailure : std::runtime_error {
    using std::runtime_error::runtime_error;
};

// The seeded generator every choice is drawn from, the same on every machine.
class Random {
public:
    explicit Random(std::uint64_t seed) : engine_(seed) {}
    std::size_t below(std::size_t count) { return static_cast<std::size_t>(engine_() % count); }
    bool coin() { return below(2) == 0; }
    template <typename T>
    const T& pick(const std::vector<T>& from) {
        return from.at(below(from.size()));
    }

private:
    std::mt19937_64 engine_;
};

// What a change works on.
struct Changes {
    ChangeEnvironment& environment;
    World& world;
    RunningProgram& window;
};

enum class Side {
    Printers,     // the print servers and the user's choice of printer
    Environment,  // LPDEST or PRINTER: the window opens anew, as in a new session
    Fonts,
    User,  // the user's own action in the window
};

using Arguments = std::vector<std::string>;

// A row of the table of kinds of change.
struct Kind {
    const char* name;
    Side side;
    Difference mayBring;
    bool (*applicable)(const World&);
    Arguments (*draw)(const World&, Random&);
    void (*apply)(Changes&, const Arguments&);
    // Its effect, seen from outside the program, beside the account `before`
    // it; throws DriverFailure when it does not show.
    void (*check)(Changes&, const Arguments&, const World& before);
};

const std::vector<Kind>& changeKinds();
const Kind& kindNamed(const std::string& name);

// The servers' first queues and the account of them.
World prepare(ChangeEnvironment& environment);

}  // namespace veltrane::testing
