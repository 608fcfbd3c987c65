#include "Process.h"

#include "Eventually.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdexcept>
#include <thread>
#include <utility>

namespace veltrane::testing {

namespace {

[[noreturn]] void execute(const std::vector<std::string>& argv,
                          const std::map<std::string, std::string>& environment,
                          const std::string& output, bool errorsToo) {
    for (const auto& [name, value] : environment) {
        if (value.empty()) {
            ::unsetenv(name.c_str());
        } else {
            ::setenv(name.c_str(), value.c_str(), 1);
        }
    }
    const int out = ::open(output.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    if (out >= 0) {
        ::dup2(out, STDOUT_FILENO);
        if (errorsToo) ::dup2(out, STDERR_FILENO);
        ::close(out);
    }
    ::setpgid(0, 0);
    std::vector<char*> args;
    for (const std::string& arg : argv) args.push_back(const_cast<char*>(arg.c_str()));
    args.push_back(nullptr);
    ::execvp(args[0], args.data());
    ::_exit(127);
}

}  // namespace

Process::Process(const std::vector<std::string>& argv,
                 const std::map<std::string, std::string>& environment, const std::string& output,
                 bool errorsToo) {
    pid_ = ::fork();
    if (pid_ < 0) throw std::runtime_error("cannot start " + argv.at(0));
    if (pid_ == 0) execute(argv, environment, output, errorsToo);
}

Process::~Process() {
    stop();
}

bool Process::running() {
    return !wait(0).has_value();
}

std::optional<int> Process::wait(double seconds) {
    eventually(
        seconds,
        [&] {
            int status = 0;
            if (!status_ && ::waitpid(pid_, &status, WNOHANG) == pid_) {
                status_ = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
            }
            return status_.has_value();
        },
        std::chrono::milliseconds(5));
    return status_;
}

// The whole process group: a server's helpers go with it.
void Process::stop() {
    if (pid_ <= 0 || status_) return;
    ::kill(-pid_, SIGTERM);
    if (!wait(3)) {
        ::kill(-pid_, SIGKILL);
        wait(3);
    }
}

namespace {

// User and system time of a process or thread in clock ticks, from its stat.
long ticksIn(const std::filesystem::path& stat) {
    std::ifstream file(stat);
    std::string line;
    std::getline(file, line);
    const auto name = line.rfind(')');
    if (name == std::string::npos) return 0;
    std::istringstream fields(line.substr(name + 1));
    std::string field;
    long ticks = 0;
    for (int n = 3; n <= 15 && fields >> field; ++n) {
        if (n >= 14) ticks += std::stol(field);  // utime, stime
    }
    return ticks;
}

}  // namespace

// Its threads alive now to the nanosecond; those that ended, the font scan's
// say, to the tick, as the process's own count holds them beside the living.
double Process::cpuMilliseconds() const {
    const std::filesystem::path process = "/proc/" + std::to_string(pid_);
    double living = 0;
    long livingTicks = 0;
    std::error_code gone;
    for (const auto& task : std::filesystem::directory_iterator(process / "task", gone)) {
        std::ifstream schedstat(task.path() / "schedstat");
        double nanoseconds = 0;
        if (schedstat >> nanoseconds) living += nanoseconds / 1e6;
        livingTicks += ticksIn(task.path() / "stat");
    }
    const long endedTicks = std::max(ticksIn(process / "stat") - livingTicks, 0L);
    return living +
           1000.0 * static_cast<double>(endedTicks) / static_cast<double>(::sysconf(_SC_CLK_TCK));
}

double Process::cpuMillisecondsOnceIdle(double seconds) {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::duration<double>(seconds);
    for (double used = cpuMilliseconds();;) {
        std::this_thread::sleep_for(std::chrono::milliseconds(200));
        const double before = std::exchange(used, cpuMilliseconds());
        if (used - before < 1 || std::chrono::steady_clock::now() >= deadline) return used;
    }
}

int Process::run(const std::vector<std::string>& argv,
                 const std::map<std::string, std::string>& environment) {
    Process process(argv, environment);
    return process.wait(60).value_or(-1);
}

std::string Process::capture(const std::vector<std::string>& argv,
                             const std::map<std::string, std::string>& environment) {
    return captured(argv, environment).text;
}

std::optional<std::string> Process::output(const std::vector<std::string>& argv,
                                           const std::map<std::string, std::string>& environment) {
    Captured result = captured(argv, environment);
    if (result.status != 0) return std::nullopt;
    return std::move(result.text);
}

Process::Captured Process::captured(const std::vector<std::string>& argv,
                                    const std::map<std::string, std::string>& environment) {
    const std::string file = (std::filesystem::temp_directory_path() /
                              ("veltrane-capture-" + std::to_string(::getpid())))
                                 .string();
    Captured result;
    {
        Process process(argv, environment, file, false);
        result.status = process.wait(60);
    }
    std::ifstream in(file);
    std::ostringstream text;
    text << in.rdbuf();
    std::filesystem::remove(file);
    result.text = text.str();
    return result;
}

}  // namespace veltrane::testing
