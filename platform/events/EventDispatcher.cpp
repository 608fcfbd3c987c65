#include "EventDispatcher.h"

#include <exception>
#include <iostream>

namespace veltrane {

void EventDispatcher::raise(const std::string& event, const std::function<void()>& procedure) {
    if (!procedure) return;
    epoch_.begin();
    try {
        procedure();
    } catch (const std::exception& error) {
        std::cerr << "veltrane: " << event << ": " << error.what() << std::endl;
    }
    if (afterEvent_) afterEvent_();
}

}  // namespace veltrane
