#include "FocusFrameDelegate.h"

#include <QPainter>

namespace veltrane {

void FocusFrameDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                               const QModelIndex& index) const {
    QStyledItemDelegate::paint(painter, option, index);
    if (!(option.state & QStyle::State_HasFocus)) return;
    // In the entry's own text colour, so it shows on the selection as beside it.
    const bool selected = option.state & QStyle::State_Selected;
    QPen pen(option.palette.color(selected ? QPalette::HighlightedText : QPalette::Text));
    pen.setStyle(Qt::DotLine);
    painter->save();
    painter->setPen(pen);
    painter->drawRect(option.rect.adjusted(0, 0, -1, -1));
    painter->restore();
}

}  // namespace veltrane
