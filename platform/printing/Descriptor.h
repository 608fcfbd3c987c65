#pragma once

#include <unistd.h>

#include <utility>

namespace veltrane {

// The one owner of a file descriptor until it is handed to another.
class Descriptor {
public:
    explicit Descriptor(int fd) : fd_(fd) {}
    ~Descriptor() {
        if (fd_ >= 0) ::close(fd_);
    }
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;

    int get() const { return fd_; }
    // Gives the descriptor to a new owner, which closes it.
    int release() { return std::exchange(fd_, -1); }

private:
    int fd_;
};

}  // namespace veltrane
