#include "MisbehavingServer.h"

#include <poll.h>
#include <strings.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <deque>
#include <functional>
#include <optional>
#include <span>
#include <stdexcept>
#include <string_view>

#include "Sockets.h"

namespace veltrane::testing {

namespace {

using Clock = std::chrono::steady_clock;
using namespace std::chrono_literals;

constexpr int kCupsGetPrinters = 0x4002;
constexpr int kCupsGetPpd = 0x400F;

// What `fd` has to read, or nothing once it has closed.
std::optional<std::string> readSome(int fd) {
    char buffer[65536];
    const ssize_t n = ::read(fd, buffer, sizeof(buffer));
    if (n <= 0) return std::nullopt;
    return std::string(buffer, static_cast<std::size_t>(n));
}

// Counts the times a pattern occurs in a stream that arrives in pieces.
class Occurrences {
public:
    explicit Occurrences(std::string pattern) : pattern_(std::move(pattern)) {}

    int in(std::string_view bytes) {
        seen_.append(bytes);
        int found = 0;
        for (auto at = seen_.find(pattern_); at != std::string::npos;
             at = seen_.find(pattern_, at + 1)) {
            ++found;
        }
        // Keep only what may still begin a pattern.
        const std::size_t keep = std::min(seen_.size(), pattern_.size() - 1);
        seen_.erase(0, seen_.size() - keep);
        return found;
    }

private:
    std::string pattern_;
    std::string seen_;
};

// The value of a message head's field, if it has the field.
std::optional<std::string_view> fieldOf(std::string_view head, std::string_view name) {
    for (auto line = head.find("\r\n"); line != std::string_view::npos;
         line = head.find("\r\n", line + 2)) {
        const std::string_view field =
            head.substr(line + 2, head.find("\r\n", line + 2) - line - 2);
        if (field.size() > name.size() && field[name.size()] == ':' &&
            ::strncasecmp(field.data(), name.data(), name.size()) == 0) {
            const std::string_view value = field.substr(name.size() + 1);
            return value.substr(std::min(value.find_first_not_of(' '), value.size()));
        }
    }
    return std::nullopt;
}

// The status of an answer's head, 0 for a request's.
int statusOf(std::string_view head) {
    return head.starts_with("HTTP/") ? std::atoi(head.data() + 9) : 0;
}

// The messages one end of an HTTP connection sends, found in its bytes as they
// pass: each message's head, then the bytes of its body without the chunked
// framing, which the reader may change in place. Bytes that are not HTTP, as
// those of TLS after an upgrade, pass unread.
class HttpMessages {
public:
    using Head = std::function<void(int status)>;  // 0 for a request
    using Body = std::function<void(std::span<char> bytes)>;

    HttpMessages(Head head, Body body) : head_(std::move(head)), body_(std::move(body)) {}

    void pass(std::span<char> bytes) {
        while (!bytes.empty()) bytes = bytes.subspan(read(bytes));
    }

private:
    enum class Expecting { Head, Body, ChunkSize, Chunk, ChunkEnd, Trailer, Close, NoHttp };

    // Reads what comes next from the start of `bytes`; how many it read.
    std::size_t read(std::span<char> bytes) {
        switch (expecting_) {
            case Expecting::Body:
                return readBody(bytes, Expecting::Head);
            case Expecting::Chunk:
                return readBody(bytes, Expecting::ChunkEnd);
            case Expecting::Close:
                body_(bytes);
                return bytes.size();
            case Expecting::NoHttp:
                return bytes.size();
            default:
                return readLine(bytes);
        }
    }

    std::size_t readBody(std::span<char> bytes, Expecting next) {
        const std::size_t size = std::min(left_, bytes.size());
        body_(bytes.first(size));
        left_ -= size;
        if (left_ == 0) expecting_ = next;
        return size;
    }

    std::size_t readLine(std::span<char> bytes) {
        // Every message starts with a method or HTTP/.
        if (expecting_ == Expecting::Head && message_.empty() && line_.empty() &&
            !std::isupper(static_cast<unsigned char>(bytes.front()))) {
            expecting_ = Expecting::NoHttp;
            return bytes.size();
        }
        const auto end = std::find(bytes.begin(), bytes.end(), '\n');
        const auto size = static_cast<std::size_t>(end - bytes.begin()) + (end != bytes.end());
        line_.append(bytes.data(), size);
        if (end != bytes.end()) {
            lineRead();
            line_.clear();
        }
        return size;
    }

    void lineRead() {
        const bool blank = line_ == "\r\n";
        switch (expecting_) {
            case Expecting::Head:
                message_ += line_;
                if (blank) headRead();
                break;
            case Expecting::ChunkSize:
                left_ = std::strtoul(line_.c_str(), nullptr, 16);
                expecting_ = left_ > 0 ? Expecting::Chunk : Expecting::Trailer;
                break;
            case Expecting::ChunkEnd:
                expecting_ = Expecting::ChunkSize;
                break;
            default:  // the trailer, to its blank line
                if (blank) expecting_ = Expecting::Head;
        }
    }

    void headRead() {
        const int status = statusOf(message_);
        const auto encoding = fieldOf(message_, "Transfer-Encoding");
        const auto length = fieldOf(message_, "Content-Length");
        left_ = length ? std::strtoul(length->data(), nullptr, 10) : 0;  // a head's line ends in \r
        if (status / 100 == 1 || status == 204 || status == 304) {
            expecting_ = Expecting::Head;
        } else if (encoding && ::strncasecmp(encoding->data(), "chunked", 7) == 0) {
            expecting_ = Expecting::ChunkSize;
        } else if (length) {
            expecting_ = left_ > 0 ? Expecting::Body : Expecting::Head;
        } else {
            // A request without a length has no body; an answer ends with the connection.
            expecting_ = status == 0 ? Expecting::Head : Expecting::Close;
        }
        message_.clear();
        head_(status);
    }

    Head head_;
    Body body_;
    Expecting expecting_ = Expecting::Head;
    std::string line_;
    std::string message_;   // the head so far
    std::size_t left_ = 0;  // of the body or chunk
};

// Rewrites which queues a queue list flags the default as it passes: every
// printer-type value loses the flag, and with `another` the first queue that
// did not have it gains it.
class DefaultFlags {
public:
    explicit DefaultFlags(bool another) : another_(another) {}

    void rewrite(std::span<char> bytes) {
        for (char& byte : bytes) {
            if (seen_ < kType.size()) {
                seen_ = byte == kType[seen_] ? seen_ + 1 : (byte == kType[0] ? 1 : 0);
                continue;
            }
            // The second of the value's four bytes holds the flag, 0x20000.
            if (seen_ == kType.size() + 1) byte = flag(byte);
            seen_ = seen_ == kType.size() + 3 ? 0 : seen_ + 1;
        }
    }

private:
    // An enum's tag, the name printer-type and the length of its value.
    static constexpr char kTypeBytes[] = "\x23\x00\x0cprinter-type\x00\x04";
    static constexpr std::string_view kType{kTypeBytes, sizeof(kTypeBytes) - 1};
    static constexpr char kDefault = 0x02;

    char flag(char byte) {
        const bool gains = another_ && !flaggedAnother_ && (byte & kDefault) == 0;
        flaggedAnother_ = flaggedAnother_ || gains;
        return static_cast<char>(gains ? byte | kDefault : byte & ~kDefault);
    }

    bool another_;
    bool flaggedAnother_ = false;
    std::size_t seen_ = 0;  // of the attribute up to its value, then of the value too
};

// Bytes on their way to one end, in the pieces they came in, each due at a time
// of its own; with a pace, one byte at a time that far apart.
class Flight {
public:
    explicit Flight(Clock::duration pace = {}) : pace_(pace) {}

    void add(Clock::time_point due, std::string bytes) {
        size_ += bytes.size();
        pieces_.push_back({due, std::move(bytes)});
    }
    bool empty() const { return pieces_.empty(); }
    std::size_t size() const { return size_; }
    bool due(Clock::time_point now) const { return !empty() && nextDue() <= now; }
    // How long until bytes are due, when none are yet.
    Clock::duration untilDue(Clock::time_point now) const {
        return empty() || due(now) ? Clock::duration::max() : nextDue() - now;
    }

    // Sends to `fd` the bytes due by `now`, as many as it takes without
    // waiting; false when `fd` has gone.
    bool land(int fd, Clock::time_point now) {
        while (due(now)) {
            Piece& piece = pieces_.front();
            const std::size_t size = pace_ > 0s ? 1 : piece.bytes.size() - piece.sent;
            const ssize_t sent =
                ::send(fd, piece.bytes.data() + piece.sent, size, MSG_NOSIGNAL | MSG_DONTWAIT);
            if (sent < 0) return errno == EAGAIN;
            landed_ = now;
            piece.sent += static_cast<std::size_t>(sent);
            size_ -= static_cast<std::size_t>(sent);
            if (piece.sent == piece.bytes.size()) pieces_.pop_front();
        }
        return true;
    }

private:
    struct Piece {
        Clock::time_point due;
        std::string bytes;
        std::size_t sent = 0;
    };

    Clock::time_point nextDue() const { return std::max(pieces_.front().due, landed_ + pace_); }

    std::deque<Piece> pieces_;
    Clock::duration pace_;
    Clock::time_point landed_{};
    std::size_t size_ = 0;  // the bytes on their way
};

std::string chunk(const std::string& bytes) {
    char size[16];
    std::snprintf(size, sizeof(size), "%zx\r\n", bytes.size());
    return size + bytes + "\r\n";
}

// A successful IPP answer with its two required attributes, and what follows it.
std::string endlessAnswerStart() {
    const std::string ipp = std::string("\x02\x00\x00\x00\x00\x00\x00\x01\x01", 9) +
                            std::string("\x47\x00\x12", 3) + "attributes-charset" +
                            std::string("\x00\x05", 2) + "utf-8" + std::string("\x48\x00\x1b", 3) +
                            "attributes-natural-language" + std::string("\x00\x02", 2) + "en" +
                            "\x03";
    return "HTTP/1.1 200 OK\r\nContent-Type: application/ipp\r\n"
           "Transfer-Encoding: chunked\r\n\r\n" +
           chunk(ipp + "*PPD-Adobe: \"4.3\"\n");
}

const std::string& endlessFonts() {
    static const std::string fonts = [] {
        std::string lines;
        for (int i = 0; lines.size() < 60000; ++i) {
            lines +=
                "*Font Endless-" + std::to_string(i) + ": Standard \"(001.000)\" Standard ROM\n";
        }
        return chunk(lines);
    }();
    return fonts;
}

// What to wait for at one end: its bytes, when they are read, and room for the
// bytes due to it.
pollfd waitingFor(const Descriptor& end, bool reading, const Flight& toIt, Clock::time_point now) {
    const auto events = static_cast<short>((reading ? POLLIN : 0) | (toIt.due(now) ? POLLOUT : 0));
    return {events != 0 ? end.get() : -1, events, 0};
}

bool readable(const pollfd& end) {
    return (end.events & POLLIN) != 0 && (end.revents & (POLLIN | POLLHUP | POLLERR)) != 0;
}

}  // namespace

// One client's connection and the proxy's own to the server, with the bytes on
// their way between them.
class MisbehavingServer::Connection {
public:
    Connection(MisbehavingServer& proxy, Descriptor client, Behaviour behaviour,
               Clock::duration oneWay)
        : proxy_(proxy),
          client_(std::move(client)),
          upstream_(connectTo(proxy.upstream_)),
          behaviour_(behaviour),
          toServerDelay_(oneWay),
          toClientDelay_(oneWay + (behaviour == Behaviour::Late ? 1200ms : 0ms)),
          handshaken_(Clock::now() + 2 * oneWay) {}

    // Passes bytes both ways until the client or the proxy stops, or the server
    // has closed and its last answer is through.
    void serve() {
        if (!upstream_.valid()) return;
        while (!proxy_.stopping_ && (upstreamOpen_ || !toClient_.empty())) {
            // As much on its way as a fast link's TCP window holds.
            while (endless_ && toClient_.size() < 4 << 20) {
                toClient_.add(answerDue(), endlessFonts());
            }
            const auto now = Clock::now();
            pollfd ends[] = {waitingFor(client_, true, toClient_, now),
                             waitingFor(upstream_, upstreamOpen_ && !silent_, toServer_, now)};
            const auto wait =
                std::min({Clock::duration(20ms), toServer_.untilDue(now), toClient_.untilDue(now)});
            ::poll(ends, 2,
                   static_cast<int>(std::chrono::ceil<std::chrono::milliseconds>(wait).count()));
            if (readable(ends[0]) && !readClient()) return;
            if (readable(ends[1])) readServer();
            const auto then = Clock::now();
            if (!toServer_.land(upstream_.get(), then) || !toClient_.land(client_.get(), then)) {
                return;
            }
        }
    }

private:
    bool readClient() {
        std::optional<std::string> bytes = readSome(client_.get());
        if (!bytes) return false;
        requests_.pass(*bytes);
        if (!silent_) {
            toServer_.add(std::max(Clock::now(), handshaken_) + toServerDelay_, std::move(*bytes));
        }
        return true;
    }

    void readServer() {
        std::optional<std::string> bytes = readSome(upstream_.get());
        upstreamOpen_ = bytes.has_value();
        if (!bytes) return;
        proxy_.queueRecords_ += queueNames_.in(*bytes);
        answers_.pass(*bytes);
        toClient_.add(answerDue(), std::move(*bytes));
    }

    Clock::time_point answerDue() const { return Clock::now() + toClientDelay_; }

    void requestBegins() {
        ++proxy_.requests_;
        unanswered_.emplace_back();
        operation_.clear();
    }

    void requestBody(std::span<char> bytes) {
        // The operation follows the version, in the body's first four bytes.
        if (operation_.size() == 4) return;
        operation_.append(bytes.data(), std::min(bytes.size(), 4 - operation_.size()));
        if (operation_.size() == 4) {
            asked((static_cast<unsigned char>(operation_[2]) << 8) |
                  static_cast<unsigned char>(operation_[3]));
        }
    }

    void asked(int operation) {
        unanswered_.back() = operation;
        proxy_.count(operation);
        if (operation != kCupsGetPpd) return;
        if (behaviour_ == Behaviour::StallingOnPpd) silent_ = true;
        if (behaviour_ == Behaviour::EndlessPpd) {
            silent_ = endless_ = true;
            toClient_.add(answerDue(), endlessAnswerStart());
        }
    }

    void answerBegins(int status) {
        if (status < 200 || unanswered_.empty()) return;  // the final answer follows
        rewriting_.reset();
        if (unanswered_.front() == kCupsGetPrinters &&
            (behaviour_ == Behaviour::NoDefault || behaviour_ == Behaviour::OtherDefault)) {
            rewriting_.emplace(behaviour_ == Behaviour::OtherDefault);
        }
        unanswered_.pop_front();
    }

    MisbehavingServer& proxy_;
    const Descriptor client_;
    const Descriptor upstream_;
    const Behaviour behaviour_;
    const Clock::duration toServerDelay_;
    const Clock::duration toClientDelay_;
    const Clock::time_point handshaken_;  // as a TCP handshake from that far away would be
    Flight toServer_;
    Flight toClient_{behaviour_ == Behaviour::Trickling ? 100ms : 0ms};
    bool upstreamOpen_ = true;
    bool silent_ = behaviour_ == Behaviour::Silent;
    bool endless_ = false;
    HttpMessages requests_{[this](int) { requestBegins(); },
                           [this](std::span<char> bytes) { requestBody(bytes); }};
    HttpMessages answers_{[this](int status) { answerBegins(status); },
                          [this](std::span<char> bytes) {
                              if (rewriting_) rewriting_->rewrite(bytes);
                          }};
    std::deque<std::optional<int>> unanswered_;  // each request's operation, oldest first
    std::string operation_;                      // the current request's body up to its operation
    std::optional<DefaultFlags> rewriting_;      // the answer passing
    // The attribute printer-name, of the type name without language.
    Occurrences queueNames_{std::string("\x42\x00\x0c", 3) + "printer-name"};
};

MisbehavingServer::MisbehavingServer(const std::string& upstream, const std::string& socket)
    : upstream_(upstream), listener_(listenOn(socket)), address_(socket) {
    start();
}

MisbehavingServer::MisbehavingServer(const std::string& upstream, const FreePort& port)
    : upstream_(upstream),
      listener_(listenOnFreePort(port.host)),
      address_(port.host + ":" + std::to_string(portOf(listener_))) {
    start();
}

MisbehavingServer::~MisbehavingServer() {
    stopping_ = true;
    acceptor_.join();
    const std::lock_guard lock(servingMutex_);
    for (std::thread& thread : serving_) thread.join();
    if (address_.starts_with('/')) ::unlink(address_.c_str());
}

std::map<int, int> MisbehavingServer::operations() const {
    const std::lock_guard lock(operationsMutex_);
    return operations_;
}

int MisbehavingServer::ppdRequests() const {
    const std::lock_guard lock(operationsMutex_);
    const auto found = operations_.find(kCupsGetPpd);
    return found == operations_.end() ? 0 : found->second;
}

void MisbehavingServer::start() {
    if (!listener_.valid()) throw std::runtime_error("cannot listen on " + address_);
    acceptor_ = std::thread([this] { acceptConnections(); });
}

void MisbehavingServer::acceptConnections() {
    while (!stopping_) {
        pollfd listening{listener_.get(), POLLIN, 0};
        if (::poll(&listening, 1, 20) <= 0) continue;
        Descriptor client = acceptFrom(listener_);
        if (!client.valid()) continue;
        ++connections_;
        const std::lock_guard lock(servingMutex_);
        serving_.emplace_back([this, client = std::move(client), behaviour = behaviour_.load(),
                               oneWay = oneWay_.load()]() mutable {
            Connection(*this, std::move(client), behaviour, oneWay).serve();
        });
    }
}

void MisbehavingServer::count(int operation) {
    const std::lock_guard lock(operationsMutex_);
    ++operations_[operation];
}

}  // namespace veltrane::testing
