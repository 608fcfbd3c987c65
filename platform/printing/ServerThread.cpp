#include "ServerThread.h"

namespace veltrane {

ServerThread::ServerThread() : line_(std::make_shared<Line>()), thread_(serve, line_) {}

// An idle thread ends at once; one still at a question is left to end on its own.
ServerThread::~ServerThread() {
    if (end()) {
        thread_.join();
    } else {
        thread_.detach();
    }
}

void ServerThread::serve(const std::shared_ptr<Line>& line) {
    std::unique_lock lock(line->mutex);
    for (;;) {
        line->wake.wait(lock, [&] { return !line->jobs.empty() || line->ending; });
        if (line->jobs.empty()) return;
        const std::function<void()> job = std::move(line->jobs.front());
        line->jobs.pop_front();
        line->busy = true;
        lock.unlock();
        job();
        lock.lock();
        line->busy = false;
    }
}

void ServerThread::post(std::function<void()> job) {
    {
        const std::lock_guard lock(line_->mutex);
        line_->jobs.push_back(std::move(job));
    }
    line_->wake.notify_one();
}

bool ServerThread::end() {
    bool idle = false;
    {
        const std::lock_guard lock(line_->mutex);
        idle = !line_->busy && line_->jobs.empty();
        line_->ending = true;
    }
    line_->wake.notify_one();
    return idle;
}

// The new thread first: should it fail to start, the old one stays in place.
void ServerThread::abandon() {
    auto line = std::make_shared<Line>();
    std::thread thread(serve, line);
    end();
    thread_.detach();
    line_ = std::move(line);
    thread_ = std::move(thread);
}

}  // namespace veltrane
