#include "ServerThread.h"

namespace veltrane {

ServerThread::ServerThread() : line_(std::make_shared<Line>()), thread_(serve, line_) {}

// An idle thread ends at once; one still at a question is left to end on its own.
ServerThread::~ServerThread() {
    bool idle = false;
    {
        const std::lock_guard lock(line_->mutex);
        idle = !line_->busy && line_->jobs.empty();
        line_->ending = true;
    }
    line_->wake.notify_one();
    if (idle) {
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

void ServerThread::end() {
    {
        const std::lock_guard lock(line_->mutex);
        line_->ending = true;
    }
    line_->wake.notify_one();
}

void ServerThread::abandon() {
    end();
    thread_.detach();
    line_ = std::make_shared<Line>();
    thread_ = std::thread(serve, line_);
}

}  // namespace veltrane
