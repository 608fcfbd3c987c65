#include "ServerReader.h"

#include <condition_variable>
#include <mutex>
#include <system_error>
#include <thread>
#include <utility>

#include "Cancellation.h"
#include "PrintServerReads.h"

namespace veltrane {

namespace {

// The server did not answer the check, or a part of the read.
bool serversFault(const ServerAnswer& answer) {
    return !answer.failure || answer.failure->kind() == ErrorKind::NoAnswer;
}

// How often a read under way is looked at.
constexpr auto kLookEvery = std::chrono::milliseconds(250);

}  // namespace

// What the window's thread and the reads share; a read keeps it alive for as
// long as it runs.
struct ServerReader::Shared : std::enable_shared_from_this<Shared> {
    using Clock = ServerFailurePolicy::Clock;

    explicit Shared(std::function<Clock::time_point()> now)
        : policy(std::move(now)), heldAt(policy.now() - ServerFailurePolicy::kQuiet) {}

    void startRead();
    ServerAnswer read(const ServerAnswer& last);
    ServerAnswer answerTo(const CupsSettings& settings, const ServerAnswer& last);
    void watch(const CupsSettings& settings);
    void finish(ServerAnswer next);
    void askOrDefer();
    void askAfterBackOff();

    std::mutex mutex;
    std::condition_variable readDone;
    std::condition_variable newAnswer;
    std::condition_variable ended;
    ServerFailurePolicy policy;
    Cancellation cancellation;
    ServerConnection connection{cancellation};  // used by one read at a time
    std::shared_ptr<const ServerAnswer> answer =
        std::make_shared<const ServerAnswer>(ServerAnswer::asking());
    std::function<void()> answered;
    bool reading = false;
    bool watching = false;   // the read has not yet come back
    bool resettled = false;  // the CUPS settings changed under the read
    bool ending = false;
    bool askedMeanwhile = false;   // a redraw asked while a read was under way
    bool awaitingBackOff = false;  // a redraw asked while the server was left alone
    Clock::time_point readStarted{};
    Clock::time_point heldAt;  // the last load of the window
};

// Each read runs on a thread of its own, so that libcups, which keeps the CUPS
// settings it read once a thread, reads them anew, as a program started now
// would. Should no thread start, the next question tries again.
void ServerReader::Shared::startRead() {
    try {
        std::thread([self = shared_from_this(), last = answer] {
            self->finish(self->read(*last));
        }).detach();
    } catch (const std::system_error&) {
        return;
    }
    reading = true;
    watching = true;
    resettled = false;
    readStarted = policy.now();
    cancellation.renew();
}

// The read, watched beside it from a thread of its own.
ServerAnswer ServerReader::Shared::read(const ServerAnswer& last) {
    const CupsSettings settings = CupsSettings::read();
    std::thread watcher;
    try {
        watcher = std::thread([this, &settings] { watch(settings); });
    } catch (const std::system_error&) {
        // Unwatched: the read ends as the server ends it.
    }
    ServerAnswer next = answerTo(settings, last);
    {
        const std::lock_guard lock(mutex);
        watching = false;
    }
    readDone.notify_all();
    if (watcher.joinable()) watcher.join();
    return next;
}

// A check the server did not answer, or refused, is the answer's failure.
ServerAnswer ServerReader::Shared::answerTo(const CupsSettings& settings,
                                            const ServerAnswer& last) {
    try {
        return readServer(connection, settings, last);
    } catch (const PlatformError& error) {
        connection.close();
        ServerAnswer failed;
        failed.failure = error;
        return failed;
    }
}

// A read that progresses is never cut, but one that has run too long in all,
// or whose CUPS settings changed under it, is.
void ServerReader::Shared::watch(const CupsSettings& settings) {
    const std::string files = settings.filesState();
    std::unique_lock lock(mutex);
    while (!readDone.wait_for(lock, kLookEvery, [&] { return !watching; })) {
        lock.unlock();
        const bool changed = settings.filesState() != files;
        lock.lock();
        resettled = resettled || changed;
        if (changed || policy.now() - readStarted >= ServerFailurePolicy::kLongestRead) {
            cancellation.cancel();
            return;
        }
    }
}

void ServerReader::Shared::finish(ServerAnswer next) {
    const std::lock_guard lock(mutex);
    reading = false;
    if (ending) return;
    // The settings changed under the read: the read they ask for, under the new ones.
    if (resettled) return startRead();
    if (next.complete()) {
        policy.answered();
    } else if (serversFault(next)) {
        policy.failed();
    }
    if (next != *answer) {
        answer = std::make_shared<const ServerAnswer>(std::move(next));
        newAnswer.notify_all();
        // Under the lock, so that once onAnswer returns the last one is never called again.
        if (answered) answered();
    }
    // What changed after this read asked is read for the redraw that asked since.
    if (std::exchange(askedMeanwhile, false)) askOrDefer();
}

void ServerReader::Shared::askOrDefer() {
    if (policy.mayAsk()) return startRead();
    askAfterBackOff();
}

// A redraw while the server is left alone is answered when the back-off ends,
// so that a server that comes back is shown without another redraw.
void ServerReader::Shared::askAfterBackOff() {
    if (awaitingBackOff) return;
    try {
        std::thread([self = shared_from_this()] {
            std::unique_lock lock(self->mutex);
            while (!self->ended.wait_for(lock, kLookEvery, [&] { return self->ending; })) {
                if (!self->policy.mayAsk()) continue;
                self->awaitingBackOff = false;
                if (!self->reading) self->startRead();  // else the read under way answers it
                return;
            }
        }).detach();
    } catch (const std::system_error&) {
        return;  // the next redraw asks again
    }
    awaitingBackOff = true;
}

ServerReader::ServerReader(std::function<ServerFailurePolicy::Clock::time_point()> now)
    : shared_(std::make_shared<Shared>(std::move(now))) {}

// A read under way is cancelled, and ends on its own.
ServerReader::~ServerReader() {
    const std::lock_guard lock(shared_->mutex);
    shared_->ending = true;
    shared_->cancellation.cancel();
    shared_->ended.notify_all();
}

void ServerReader::onAnswer(std::function<void()> answered) {
    const std::lock_guard lock(shared_->mutex);
    shared_->answered = std::move(answered);
}

void ServerReader::ask() {
    const std::lock_guard lock(shared_->mutex);
    Shared& shared = *shared_;
    if (shared.policy.now() - shared.heldAt < ServerFailurePolicy::kQuiet) return;
    if (shared.reading) {
        shared.askedMeanwhile = true;
        return;
    }
    shared.askOrDefer();
}

void ServerReader::hold() {
    const std::lock_guard lock(shared_->mutex);
    shared_->heldAt = shared_->policy.now();
}

std::shared_ptr<const ServerAnswer> ServerReader::awaitOtherThan(
    const std::shared_ptr<const ServerAnswer>& held, std::chrono::milliseconds bound) {
    std::unique_lock lock(shared_->mutex);
    shared_->newAnswer.wait_for(lock, bound, [&] { return shared_->answer != held; });
    return shared_->answer;
}

std::shared_ptr<const ServerAnswer> ServerReader::latest() const {
    const std::lock_guard lock(shared_->mutex);
    return shared_->answer;
}

}  // namespace veltrane
