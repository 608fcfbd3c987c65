#pragma once

#include <sys/types.h>

#include <fstream>
#include <string>

namespace veltrane::bench {

// The process's resident memory as the kernel counts it, in megabytes.
inline double residentMegabytes(pid_t pid) {
    std::ifstream status("/proc/" + std::to_string(pid) + "/status");
    for (std::string line; std::getline(status, line);) {
        if (line.rfind("VmRSS:", 0) == 0) return std::stod(line.substr(6)) / 1024.0;
    }
    return 0;
}

}  // namespace veltrane::bench
