#pragma once

#include <sys/socket.h>

#include <mutex>

namespace veltrane {

// Shared by the print server's thread and whoever may have to stop its read:
// a cancellation shuts the connection's socket, which ends at once any wait of
// that thread for the server.
class Cancellation {
public:
    // The socket now in use; false when the read has been cancelled already.
    bool watch(int socket) {
        const std::lock_guard lock(mutex_);
        if (!cancelled_) socket_ = socket;
        return !cancelled_;
    }
    // Called before the socket is closed, so that a cancellation never reaches a
    // descriptor that has been given to something else since.
    void unwatch() {
        const std::lock_guard lock(mutex_);
        socket_ = -1;
    }
    void cancel() {
        const std::lock_guard lock(mutex_);
        cancelled_ = true;
        if (socket_ >= 0) ::shutdown(socket_, SHUT_RDWR);
    }
    bool cancelled() {
        const std::lock_guard lock(mutex_);
        return cancelled_;
    }
    // A new read begins, on a connection made anew after a cancellation.
    void renew() {
        const std::lock_guard lock(mutex_);
        cancelled_ = false;
    }

private:
    std::mutex mutex_;
    int socket_ = -1;
    bool cancelled_ = false;
};

}  // namespace veltrane
