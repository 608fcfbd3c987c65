#pragma once

#include <string>
#include <vector>

namespace veltrane {

// The scalable font families that fontconfig knows, each once, by first family
// name. fontconfig's fonts stay as they are while the program runs unless its
// configuration is loaded again: the list is made once a configuration, not at
// every population, which on a machine of thousands of fonts takes a while.
class SystemFonts {
public:
    const std::vector<std::string>& scalableFamilies();

private:
    const void* configuration_ = nullptr;
    std::vector<std::string> families_;
};

}  // namespace veltrane
