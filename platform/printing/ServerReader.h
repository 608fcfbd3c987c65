#pragma once

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
    // Starts a read, unless one is under way, the server is backed off, or it
    // was asked a moment ago; gives up a read that has run too long in all.
    void ask();
    // The window has just used an answer: a redraw that follows asks nothing.
    void hold();
    // What the server said at the last read that came back.
    std::shared_ptr<const ServerAnswer> latest() const;

private:
    struct Shared;

    std::shared_ptr<Shared> shared_;
};

}  // namespace veltrane
