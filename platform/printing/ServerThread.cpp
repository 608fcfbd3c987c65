#include "ServerThread.h"

namespace veltrane {

ServerThread::ServerThread() : queue_(std::make_shared<JobQueue>()), thread_(serve, queue_) {}

// An idle thread ends at once; one still at a job is left to end on its own.
ServerThread::~ServerThread() {
    if (end()) {
        thread_.join();
    } else {
        thread_.detach();
    }
}

void ServerThread::serve(const std::shared_ptr<JobQueue>& queue) {
    std::unique_lock lock(queue->mutex);
    for (;;) {
        queue->wake.wait(lock, [&] { return !queue->jobs.empty() || queue->ending; });
        if (queue->jobs.empty()) return;
        const std::function<void()> job = std::move(queue->jobs.front());
        queue->jobs.pop_front();
        queue->busy = true;
        lock.unlock();
        job();
        lock.lock();
        queue->busy = false;
    }
}

void ServerThread::post(std::function<void()> job) {
    {
        const std::lock_guard lock(queue_->mutex);
        queue_->jobs.push_back(std::move(job));
    }
    queue_->wake.notify_one();
}

bool ServerThread::end() {
    bool idle = false;
    {
        const std::lock_guard lock(queue_->mutex);
        idle = !queue_->busy && queue_->jobs.empty();
        queue_->ending = true;
    }
    queue_->wake.notify_one();
    return idle;
}

// The new thread first: should it fail to start, the old one stays in place.
void ServerThread::abandon() {
    auto queue = std::make_shared<JobQueue>();
    std::thread thread(serve, queue);
    end();
    thread_.detach();
    queue_ = std::move(queue);
    thread_ = std::move(thread);
}

}  // namespace veltrane
