#pragma once

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <mutex>
#include <optional>
#include <string>
#include <thread>

#include "CupsSettings.h"
#include "Descriptor.h"
#include "TempDir.h"

namespace veltrane::fuzzing {

// A print server that answers every connection with the same bytes, the
// fuzzer's input, whatever it was asked, on a socket of its own: the program's
// side of the talk, libcups's reading of the reply included, is the real one.
class FuzzedPrintServer {
public:
    FuzzedPrintServer();
    ~FuzzedPrintServer();
    FuzzedPrintServer(const FuzzedPrintServer&) = delete;
    FuzzedPrintServer& operator=(const FuzzedPrintServer&) = delete;

    void answerWith(const std::uint8_t* data, std::size_t size);
    // The settings that reach this server, with the user's own default, if any.
    CupsSettings settings(std::optional<std::string> localDefault = std::nullopt) const;

private:
    void serve();
    void answer(int client);

    testing::TempDir folder_;
    Descriptor listener_;
    std::mutex mutex_;
    std::string answer_;
    std::atomic<bool> stopping_{false};
    std::thread thread_;
};

}  // namespace veltrane::fuzzing
