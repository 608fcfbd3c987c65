#pragma once

#include <memory>

namespace veltrane {

// Frees a C library's handle with the library's own function.
template <auto Free>
struct FreeWith {
    template <typename Handle>
    void operator()(Handle* handle) const noexcept {
        Free(handle);
    }
};

// The one owner of a C library's handle: CHandle<ipp_t, ippDelete>.
template <typename Handle, auto Free>
using CHandle = std::unique_ptr<Handle, FreeWith<Free>>;

}  // namespace veltrane
