#pragma once

#include <QAbstractListModel>
#include <QCollator>

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "ListCollation.h"

namespace veltrane {

// A list's entries in the lists' order (see ListCollation), as its view shows
// them; entries equal in it, such as names that differ only in case, keep the
// order they were added in. Adding is cheap: new entries are pending aside and
// merged in one pass when the order is next needed, so filling a list of n
// names costs n log n, not the n squared moves of a sorted insert.
class SortedEntries : public QAbstractListModel {
    Q_OBJECT

public:
    explicit SortedEntries(ListCollation& collation, QObject* parent = nullptr)
        : QAbstractListModel(parent), collation_(collation) {}

    void add(const std::string& text);
    void clear();

    // Merges the pending entries; moves `selected` along with its entry.
    // Returns whether anything was merged.
    bool mergePending(std::optional<std::size_t>& selected);

    std::size_t size() const { return entries_.size(); }
    const std::string& text(std::size_t row) const { return entries_[row].text; }

    int rowCount(const QModelIndex& parent) const override;
    // The entry as the list shows it, made when it is shown.
    QVariant data(const QModelIndex& index, int role) const override;

private:
    struct Entry {
        std::string text;
        const QCollatorSortKey* key;  // the collation's, which outlives the entries
    };

    ListCollation& collation_;
    std::vector<Entry> entries_;
    std::vector<Entry> pending_;
};

}  // namespace veltrane
