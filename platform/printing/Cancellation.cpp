#include "Cancellation.h"

#include <sys/socket.h>

namespace veltrane {

bool Cancellation::watch(int socket) {
    const std::lock_guard lock(mutex_);
    if (cancelled_) return false;
    socket_ = socket;
    return true;
}

void Cancellation::unwatch() {
    const std::lock_guard lock(mutex_);
    socket_ = -1;
}

bool Cancellation::cancelled() {
    const std::lock_guard lock(mutex_);
    return cancelled_;
}

void Cancellation::cancel() {
    const std::lock_guard lock(mutex_);
    cancelled_ = true;
    if (socket_ >= 0) ::shutdown(socket_, SHUT_RDWR);
}

}  // namespace veltrane
