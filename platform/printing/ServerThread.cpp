#include "ServerThread.h"

namespace veltrane {

ServerThread::ServerThread() : line_(std::make_shared<Line>()), thread_(serve, line_) {}

ServerThread::~ServerThread() {
    end();
    thread_.join();  // between questions: idle, so it ends at once
}

void ServerThread::serve(const std::shared_ptr<Line>& line) {
    std::unique_lock lock(line->mutex);
    for (;;) {
        line->wake.wait(lock, [&] { return line->job || line->ending; });
        if (!line->job) return;
        const std::function<void()> job = std::exchange(line->job, nullptr);
        lock.unlock();
        job();
        lock.lock();
    }
}

void ServerThread::post(std::function<void()> job) {
    {
        const std::lock_guard lock(line_->mutex);
        line_->job = std::move(job);
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
