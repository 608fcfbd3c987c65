#pragma once

#include <QAbstractListModel>

#include "SortedEntries.h"

namespace veltrane {

// Shows a list box's merged entries to its view.
class SortedListModel : public QAbstractListModel {
    Q_OBJECT

public:
    explicit SortedListModel(SortedEntries& entries, QObject* parent)
        : QAbstractListModel(parent), entries_(entries) {}

    int rowCount(const QModelIndex& parent) const override;
    QVariant data(const QModelIndex& index, int role) const override;

    // Wraps a change of the entries, so the view forgets what it knew of them.
    template <typename Change>
    void reset(Change&& change) {
        beginResetModel();
        change();
        endResetModel();
    }

private:
    SortedEntries& entries_;
};

}  // namespace veltrane
