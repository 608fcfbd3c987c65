#pragma once

#include <memory>
#include <mutex>
#include <string>
#include <vector>

namespace veltrane {

// The scalable font families that fontconfig knows, each once, by first family
// name. fontconfig's fonts stay as they are while the program runs unless its
// configuration is loaded again: the list is made once a configuration, not at
// every population, which on a machine of thousands of fonts takes a while.
// Asked from the print server's thread as well as the user interface's.
class SystemFonts {
public:
    std::shared_ptr<const std::vector<std::string>> scalableFamilies();

private:
    std::mutex mutex_;
    const void* configuration_ = nullptr;
    std::shared_ptr<const std::vector<std::string>> families_;
};

}  // namespace veltrane
