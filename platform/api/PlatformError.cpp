#include "PlatformError.h"

namespace veltrane {

PlatformError::PlatformError(ErrorKind kind, const std::string& what)
    : std::runtime_error(what), kind_(kind) {}

}  // namespace veltrane
