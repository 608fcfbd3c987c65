#include "SortedListModel.h"

namespace veltrane {

int SortedListModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(entries_.size());
}

QVariant SortedListModel::data(const QModelIndex& index, int role) const {
    if (role != Qt::DisplayRole || !index.isValid() || index.row() >= rowCount({})) return {};
    return entries_.display(static_cast<std::size_t>(index.row()));
}

}  // namespace veltrane
