#include "CupsSettings.h"

#include <sys/stat.h>

namespace veltrane {

CupsSettings CupsSettings::read() {
    LocalDefault local = LocalDefault::fromEnvironment();
    std::vector<std::string> files = local.lpoptions;
    files.insert(files.end(),
                 {userCupsFolder() + "/client.conf", systemCupsFolder() + "/client.conf"});
    return {cupsServer(), ippPort(), cupsEncryption(), std::move(local), std::move(files)};
}

std::string CupsSettings::server() const {
    if (!host.empty() && host.front() == '/') return host;
    return host + ":" + std::to_string(port);
}

// Each file's inode, size and change time, or its absence.
std::string CupsSettings::filesState() const {
    std::string state;
    for (const std::string& file : files) {
        struct stat status {};
        if (::stat(file.c_str(), &status) != 0) {
            state += "-;";
            continue;
        }
        state += std::to_string(status.st_ino) + ":" + std::to_string(status.st_size) + ":" +
                 std::to_string(status.st_ctim.tv_sec) + "." +
                 std::to_string(status.st_ctim.tv_nsec) + ";";
    }
    return state;
}

}  // namespace veltrane
