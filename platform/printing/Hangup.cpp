#include "Hangup.h"

#include <sys/socket.h>

namespace veltrane {

bool Hangup::watch(int socket) {
    const std::lock_guard lock(mutex_);
    if (hungUp_) return false;
    socket_ = socket;
    return true;
}

void Hangup::unwatch() {
    const std::lock_guard lock(mutex_);
    socket_ = -1;
}

bool Hangup::hungUp() {
    const std::lock_guard lock(mutex_);
    return hungUp_;
}

void Hangup::hangUp() {
    const std::lock_guard lock(mutex_);
    hungUp_ = true;
    if (socket_ >= 0) ::shutdown(socket_, SHUT_RDWR);
}

}  // namespace veltrane
