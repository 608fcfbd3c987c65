#pragma once

#include <chrono>
#include <condition_variable>
#include <deque>
#include <functional>
#include <future>
#include <memory>
#include <mutex>
#include <thread>
#include <type_traits>
#include <utility>
#include <variant>

#include "Hangup.h"
#include "PlatformError.h"

namespace veltrane {

using Deadline = std::chrono::steady_clock::time_point;

// What a question to the print server gave: its result, or the error it raised.
template <typename Result>
using Outcome = std::variant<Result, PlatformError>;

// The thread that talks to the print server for the user-interface thread, its
// questions in turn, so the user-interface thread never waits on the network
// without a bound: it waits for each answer until the deadline, no longer, and
// handles nothing else meanwhile. When the deadline passes first, the question
// is hung up (its socket shut, which ends any wait for the server) and its
// outcome is NoAnswer; the thread is left to end on its own, dropping what it
// gives, and a new one takes the next question.
class ServerThread {
public:
    // A question put to the server's thread, whose answer is awaited later.
    template <typename Result>
    struct Question {
        std::future<Outcome<Result>> answer;
        std::shared_ptr<Hangup> hangup;
    };

    ServerThread();
    ~ServerThread();
    ServerThread(const ServerThread&) = delete;
    ServerThread& operator=(const ServerThread&) = delete;

    template <typename Work, typename Result = std::invoke_result_t<Work, Hangup&>>
    Question<Result> put(Work work) {
        auto hangup = std::make_shared<Hangup>();
        auto promise = std::make_shared<std::promise<Outcome<Result>>>();
        Question<Result> question{promise->get_future(), hangup};
        post([promise, hangup, work = std::move(work)] {
            // Whatever the work raises is handed over as a value: nothing may leave a thread.
            try {
                promise->set_value(work(*hangup));
            } catch (const PlatformError& error) {
                promise->set_value(error);
            } catch (const std::exception& error) {
                promise->set_value(PlatformError(ErrorKind::ServiceFailure, error.what()));
            }
        });
        return question;
    }

    template <typename Result>
    Outcome<Result> await(Question<Result>& question, Deadline deadline) {
        if (question.answer.wait_until(deadline) != std::future_status::ready) {
            question.hangup->hangUp();
            abandon();
            return PlatformError(ErrorKind::NoAnswer, "the print server did not answer in time");
        }
        return question.answer.get();
    }

    template <typename Work, typename Result = std::invoke_result_t<Work, Hangup&>>
    Outcome<Result> ask(Deadline deadline, Work work) {
        Question<Result> question = put(std::move(work));
        return await(question, deadline);
    }

private:
    // What the user-interface thread and the server's thread share.
    struct Line {
        std::mutex mutex;
        std::condition_variable wake;
        std::deque<std::function<void()>> jobs;
        bool busy = false;
        bool ending = false;
    };

    static void serve(const std::shared_ptr<Line>& line);
    void post(std::function<void()> job);
    // Tells the thread to end after its questions; whether it was idle.
    bool end();
    void abandon();

    std::shared_ptr<Line> line_;
    std::thread thread_;
};

}  // namespace veltrane
