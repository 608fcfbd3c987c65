#include "ServerReader.h"

#include <mutex>
#include <system_error>
#include <thread>

#include "Cancellation.h"
#include "PrintServerReads.h"

namespace veltrane {

namespace {

// The server did not answer the check, or a part of the read.
bool serversFault(const ServerAnswer& answer) {
    return !answer.failure || answer.failure->kind() == ErrorKind::NoAnswer;
}

}  // namespace

// What the window's thread and the reads share; a read keeps it alive for as
// long as it runs.
struct ServerReader::Shared : std::enable_shared_from_this<Shared> {
    using Clock = ServerFailurePolicy::Clock;

    explicit Shared(std::function<Clock::time_point()> now)
        : policy(std::move(now)), heldAt(policy.now() - ServerFailurePolicy::kQuiet) {}

    void startRead();
    ServerAnswer read(const ServerAnswer& last);
    void finish(ServerAnswer next);

    std::mutex mutex;
    ServerFailurePolicy policy;
    Cancellation cancellation;
    ServerConnection connection{cancellation};  // used by one read at a time
    std::shared_ptr<const ServerAnswer> answer =
        std::make_shared<const ServerAnswer>(ServerAnswer::asking());
    std::function<void()> answered;
    bool reading = false;
    bool ending = false;
    Clock::time_point readStarted{};
    Clock::time_point heldAt;  // the last question, or the last use of an answer
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
    readStarted = policy.now();
    cancellation.renew();
}

// A check the server did not answer, or refused, is the answer's failure.
ServerAnswer ServerReader::Shared::read(const ServerAnswer& last) {
    try {
        return readServer(connection, CupsSettings::read(), last);
    } catch (const PlatformError& error) {
        connection.close();
        ServerAnswer failed;
        failed.failure = error;
        return failed;
    }
}

void ServerReader::Shared::finish(ServerAnswer next) {
    const std::lock_guard lock(mutex);
    reading = false;
    if (ending) return;
    // Settings changed under the read: the read they asked for, under the new ones.
    if (connection.settingsChanged()) return startRead();
    if (next.complete()) {
        policy.answered();
    } else if (serversFault(next)) {
        policy.failed();
    }
    if (next == *answer) return;
    answer = std::make_shared<const ServerAnswer>(std::move(next));
    // Under the lock, so that once onAnswer returns the last one is never called again.
    if (answered) answered();
}

ServerReader::ServerReader(std::function<ServerFailurePolicy::Clock::time_point()> now)
    : shared_(std::make_shared<Shared>(std::move(now))) {}

// A read under way is cancelled, and ends on its own.
ServerReader::~ServerReader() {
    const std::lock_guard lock(shared_->mutex);
    shared_->ending = true;
    shared_->cancellation.cancel();
}

void ServerReader::onAnswer(std::function<void()> answered) {
    const std::lock_guard lock(shared_->mutex);
    shared_->answered = std::move(answered);
}

void ServerReader::ask() {
    const std::lock_guard lock(shared_->mutex);
    Shared& shared = *shared_;
    const auto now = shared.policy.now();
    if (shared.reading) {
        if (now - shared.readStarted >= ServerFailurePolicy::kLongestRead) {
            shared.cancellation.cancel();
        }
        return;
    }
    if (!shared.policy.mayAsk() || now - shared.heldAt < ServerFailurePolicy::kQuiet) return;
    shared.heldAt = now;
    shared.startRead();
}

void ServerReader::hold() {
    const std::lock_guard lock(shared_->mutex);
    shared_->heldAt = shared_->policy.now();
}

std::shared_ptr<const ServerAnswer> ServerReader::latest() const {
    const std::lock_guard lock(shared_->mutex);
    return shared_->answer;
}

}  // namespace veltrane
