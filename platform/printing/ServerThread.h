#pragma once

#include <condition_variable>
#include <deque>
#include <functional>
#include <future>
#include <memory>
#include <mutex>
#include <thread>
#include <type_traits>
#include <utility>

#include "Cancellation.h"
#include "ServerFault.h"

namespace veltrane {

// The thread that talks to the print server for the user-interface thread, its
// jobs in turn, so that the user-interface thread waits for an answer until a
// deadline, no longer. A job past its deadline is cancelled (its socket shut)
// and has timed out; its thread is left to end on its own and a new one takes
// the next job.
class ServerThread {
public:
    // A job given to the server's thread, whose answer is awaited later.
    template <typename Result>
    struct Job {
        std::future<JobResult<Result>> answer;
        std::shared_ptr<Cancellation> cancellation;
    };

    ServerThread();
    ~ServerThread();
    ServerThread(const ServerThread&) = delete;
    ServerThread& operator=(const ServerThread&) = delete;

    template <typename Work, typename Result = std::invoke_result_t<Work, Cancellation&>>
    Job<Result> submit(Work work) {
        auto cancellation = std::make_shared<Cancellation>();
        auto promise = std::make_shared<std::promise<JobResult<Result>>>();
        Job<Result> job{promise->get_future(), cancellation};
        post([promise, cancellation, work = std::move(work)] {
            // Whatever the work raises is handed over as a value: nothing may leave a thread.
            try {
                promise->set_value(work(*cancellation));
            } catch (const PlatformError& error) {
                promise->set_value(error);
            } catch (const std::exception& error) {
                promise->set_value(PlatformError(ErrorKind::ServiceFailure, error.what()));
            }
        });
        return job;
    }

    template <typename Result>
    JobResult<Result> await(Job<Result>& job, Deadline deadline) {
        if (job.answer.wait_until(deadline) != std::future_status::ready) {
            job.cancellation->cancel();
            abandon();
            return serverError(ServerFault::TimedOut, "the print server did not answer in time");
        }
        return job.answer.get();
    }

    template <typename Work, typename Result = std::invoke_result_t<Work, Cancellation&>>
    JobResult<Result> run(Deadline deadline, Work work) {
        Job<Result> job = submit(std::move(work));
        return await(job, deadline);
    }

private:
    // What the user-interface thread and the server's thread share.
    struct JobQueue {
        std::mutex mutex;
        std::condition_variable wake;
        std::deque<std::function<void()>> jobs;
        bool busy = false;
        bool ending = false;
    };

    static void serve(const std::shared_ptr<JobQueue>& queue);
    void post(std::function<void()> job);
    // Tells the thread to end after its jobs; whether it was idle.
    bool end();
    void abandon();

    std::shared_ptr<JobQueue> queue_;
    std::thread thread_;
};

}  // namespace veltrane
