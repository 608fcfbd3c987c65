#include "SortedEntries.h"

#include <algorithm>
#include <iterator>

namespace veltrane {

namespace {

template <typename Entry>
bool keyBefore(const Entry& a, const Entry& b) {
    return QString::compare(a.key, b.key, Qt::CaseSensitive) < 0;
}

}  // namespace

void SortedEntries::add(const std::string& text) {
    QString display = QString::fromStdString(text);
    QString key = display.toCaseFolded();
    waiting_.push_back({text, std::move(display), std::move(key)});
}

void SortedEntries::clear() {
    entries_.clear();
    waiting_.clear();
}

bool SortedEntries::settle(std::optional<std::size_t>& selected) {
    if (waiting_.empty()) return false;
    // Stable throughout: among equal keys the earlier entry stays first.
    std::stable_sort(waiting_.begin(), waiting_.end(), keyBefore<Entry>);
    if (selected) {
        const auto before = std::lower_bound(waiting_.begin(), waiting_.end(), entries_[*selected],
                                             keyBefore<Entry>);
        *selected += static_cast<std::size_t>(std::distance(waiting_.begin(), before));
    }
    std::vector<Entry> merged;
    merged.reserve(entries_.size() + waiting_.size());
    std::merge(std::make_move_iterator(entries_.begin()), std::make_move_iterator(entries_.end()),
               std::make_move_iterator(waiting_.begin()), std::make_move_iterator(waiting_.end()),
               std::back_inserter(merged), keyBefore<Entry>);
    entries_ = std::move(merged);
    waiting_.clear();
    return true;
}

}  // namespace veltrane
