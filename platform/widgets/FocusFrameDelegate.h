#pragma once

#include <QStyledItemDelegate>

namespace veltrane {

// Draws a list's entries as the style does, and frames the current entry with a
// dotted line while the list has the focus, as desktop list boxes do: the style
// alone shows the focus only after keyboard navigation, so a list focused by a
// click or at start-up would look like the unfocused one.
class FocusFrameDelegate : public QStyledItemDelegate {
    Q_OBJECT

public:
    using QStyledItemDelegate::QStyledItemDelegate;

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override;
};

}  // namespace veltrane
