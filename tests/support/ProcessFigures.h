#pragma once

#include <sys/types.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

namespace veltrane::testing {

// The process's resident memory as the kernel counts it, in megabytes.
inline double residentMegabytes(pid_t pid) {
    std::ifstream status("/proc/" + std::to_string(pid) + "/status");
    for (std::string line; std::getline(status, line);) {
        if (line.rfind("VmRSS:", 0) == 0) return std::stod(line.substr(6)) / 1024.0;
    }
    return 0;
}

// The descriptors the process holds open.
inline long openDescriptors(pid_t pid) {
    std::error_code gone;
    const std::filesystem::directory_iterator entries("/proc/" + std::to_string(pid) + "/fd", gone);
    return std::distance(begin(entries), end(entries));
}

}  // namespace veltrane::testing
