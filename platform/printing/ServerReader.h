#pragma once

#include <chrono>
#include <functional>
#include <memory>

#include "ServerAnswer.h"
#include "ServerFailurePolicy.h"

namespace veltrane {

// The thread that reads the print server for the window, a read at a time on
// one kept connection, and what the server said at the last read. The window's
// thread only asks and takes the answer: it never waits for the server. The
// thread does not keep the program open.
class ServerReader {
public:
    explicit ServerReader(std::function<ServerFailurePolicy::Clock::time_point()> now =
                              ServerFailurePolicy::Clock::now);
    ~ServerReader();
    ServerReader(const ServerReader&) = delete;
    ServerReader& operator=(const ServerReader&) = delete;

    // Called on the reader's thread after each read whose answer differs from
    // the one before.
    void onAnswer(std::function<void()> answered);
    // Starts a read, unless the window has just been loaded; one asked for while
    // a read is under way, or while the server is backed off, starts when that
    // read ends, or the back-off does.
    void ask();
    // The window has just been loaded: the redraws its own Show causes ask nothing.
    void hold();
    // What the server said at the last read that came back.
    std::shared_ptr<const ServerAnswer> latest() const;
    // The same, once it is another than `held`, or `bound` has passed.
    std::shared_ptr<const ServerAnswer> awaitOtherThan(
        const std::shared_ptr<const ServerAnswer>& held, std::chrono::milliseconds bound);

private:
    struct Shared;

    std::shared_ptr<Shared> shared_;
};

}  // namespace veltrane
