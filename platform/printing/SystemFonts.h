#pragma once

#include <memory>
#include <mutex>
#include <string>
#include <vector>

namespace veltrane {

// The scalable font families that fontconfig knows, each once, by first family
// name. fontconfig's fonts stay as they are while the program runs (neither it
// nor Qt loads fontconfig's configuration again): the list is made once, not at
// every population, which on a machine of thousands of fonts takes a while.
// Asked from the print server's thread, or from two of them when one was given
// up on.
class SystemFonts {
public:
    std::shared_ptr<const std::vector<std::string>> scalableFamilies();

private:
    std::mutex mutex_;
    std::shared_ptr<const std::vector<std::string>> families_;
};

}  // namespace veltrane
