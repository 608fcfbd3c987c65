#pragma once

#include <gtest/gtest.h>

#include <functional>

#include "PlatformError.h"

namespace veltrane::testing {

// The kind of the PlatformError the operation throws; a test failure if none.
inline ErrorKind kindOf(const std::function<void()>& operation) {
    try {
        operation();
    } catch (const PlatformError& error) {
        return error.kind();
    }
    ADD_FAILURE() << "no error";
    return ErrorKind::ServiceFailure;
}

}  // namespace veltrane::testing
