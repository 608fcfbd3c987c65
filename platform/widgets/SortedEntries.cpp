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
    beginResetModel();
    entries_.clear();
    pending_.clear();
    endResetModel();
}

int SortedEntries::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(entries_.size());
}

QVariant SortedEntries::data(const QModelIndex& index, int role) const {
    if (role != Qt::DisplayRole || !index.isValid() || index.row() >= rowCount({})) return {};
    return QString::fromStdString(text(static_cast<std::size_t>(index.row())));
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
    beginResetModel();
    const auto merged = static_cast<std::ptrdiff_t>(entries_.size());
    entries_.insert(entries_.end(), std::make_move_iterator(pending_.begin()),
                    std::make_move_iterator(pending_.end()));
    std::inplace_merge(entries_.begin(), entries_.begin() + merged, entries_.end(),
                       keyBefore<Entry>);
    pending_.clear();
    endResetModel();
    return true;
}

}  // namespace veltrane
