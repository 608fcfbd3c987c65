#include "SortedEntries.h"

#include <algorithm>
#include <iterator>

namespace veltrane {

namespace {

template <typename Entry>
bool keyBefore(const Entry& a, const Entry& b) {
    return a.key->compare(*b.key) < 0;
}

}  // namespace

void SortedEntries::add(const std::string& text) {
    pending_.push_back({text, &collation_.key(text)});
}

void SortedEntries::clear() {
    entries_.clear();
    pending_.clear();
}

bool SortedEntries::mergePending(std::optional<std::size_t>& selected) {
    if (pending_.empty()) return false;
    // Stable throughout: among equal keys the earlier entry stays first.
    std::stable_sort(pending_.begin(), pending_.end(), keyBefore<Entry>);
    if (selected) {
        const auto before = std::lower_bound(pending_.begin(), pending_.end(), entries_[*selected],
                                             keyBefore<Entry>);
        *selected += static_cast<std::size_t>(std::distance(pending_.begin(), before));
    }
    if (entries_.empty()) {  // filled after a Clear: nothing to merge with
        entries_ = std::move(pending_);
        pending_.clear();
        return true;
    }
    std::vector<Entry> merged;
    merged.reserve(entries_.size() + pending_.size());
    std::merge(std::make_move_iterator(entries_.begin()), std::make_move_iterator(entries_.end()),
               std::make_move_iterator(pending_.begin()), std::make_move_iterator(pending_.end()),
               std::back_inserter(merged), keyBefore<Entry>);
    entries_ = std::move(merged);
    pending_.clear();
    return true;
}

}  // namespace veltrane
