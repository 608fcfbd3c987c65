#pragma once

#include <sys/types.h>

#include <map>
#include <optional>
#include <string>
#include <vector>

namespace veltrane::testing {

// A child process started from an argument list, never through a shell, in a
// process group of its own, and stopped by its process id when the object goes.
class Process {
public:
    // `environment` entries are set for the child; an empty value unsets one.
    explicit Process(const std::vector<std::string>& argv,
                     const std::map<std::string, std::string>& environment = {},
                     const std::string& output = "/dev/null", bool errorsToo = true);
    ~Process();
    Process(const Process&) = delete;
    Process& operator=(const Process&) = delete;

    pid_t pid() const { return pid_; }
    bool running();
    // Waits for the child to end; its exit status, or nullopt after the timeout.
    std::optional<int> wait(double seconds);
    // The CPU time the whole process has used so far, in milliseconds, its
    // ended threads included.
    double cpuMilliseconds() const;
    // Waits until it is idle (less than 1 ms of CPU time used in 200 ms), at most
    // `seconds`; the CPU time it has used by then.
    double cpuMillisecondsOnceIdle(double seconds);
    void stop();

    // Runs a command to its end and returns its exit status.
    static int run(const std::vector<std::string>& argv,
                   const std::map<std::string, std::string>& environment = {});
    // Runs a command to its end and returns what it printed on standard output.
    static std::string capture(const std::vector<std::string>& argv,
                               const std::map<std::string, std::string>& environment = {});
    // The same, or nothing when the command failed.
    static std::optional<std::string> output(
        const std::vector<std::string>& argv,
        const std::map<std::string, std::string>& environment = {});

private:
    struct Captured {
        std::optional<int> status;
        std::string text;
    };
    static Captured captured(const std::vector<std::string>& argv,
                             const std::map<std::string, std::string>& environment);

    pid_t pid_ = -1;
    std::optional<int> status_;
};

}  // namespace veltrane::testing
