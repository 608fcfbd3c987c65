#pragma once

#include <unistd.h>

#include <utility>

namespace veltrane {

// The one owner of a file descriptor until it is handed to another.
class Descriptor {
public:
    explicit Descriptor(int fd) : fd_(fd) {}
    ~Descriptor() { close(); }
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;
    Descriptor(Descriptor&& other) noexcept : fd_(other.release()) {}
    Descriptor& operator=(Descriptor&& other) noexcept {
        if (this != &other) {
            close();
            fd_ = other.release();
        }
        return *this;
    }

    int get() const { return fd_; }
    bool valid() const { return fd_ >= 0; }
    // Gives the descriptor to a new owner, which closes it.
    int release() { return std::exchange(fd_, -1); }

private:
    void close() {
        if (fd_ >= 0) ::close(fd_);
    }

    int fd_;
};

}  // namespace veltrane
