#include "SortedListBox.h"

#include <QFocusEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QStyledItemDelegate>

#include "Twips.h"

namespace veltrane {

namespace {

// Frames the current entry with a dotted line while the list has the focus, as
// desktop list boxes do: the style alone shows the focus only after keyboard
// navigation, so a list focused by a click or at start-up would look unfocused.
class FocusFrameDelegate : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override {
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
};

// The shift state as the program's events carry it: Shift 1, Ctrl 2, Alt 4.
Int16 shiftState(Qt::KeyboardModifiers modifiers) {
    return static_cast<Int16>((modifiers.testFlag(Qt::ShiftModifier) ? 1 : 0) |
                              (modifiers.testFlag(Qt::ControlModifier) ? 2 : 0) |
                              (modifiers.testFlag(Qt::AltModifier) ? 4 : 0));
}

Int16 keyCode(const QKeyEvent& event) {
    const int key = event.key();
    return static_cast<Int16>(key <= 0xFF ? key
                                          : static_cast<int>(event.nativeVirtualKey() & 0x7FFF));
}

// Left 1, right 2, middle 4.
Int16 buttonCode(Qt::MouseButton button) {
    switch (button) {
        case Qt::LeftButton:
            return 1;
        case Qt::RightButton:
            return 2;
        case Qt::MiddleButton:
            return 4;
        default:
            return 0;
    }
}

}  // namespace

SortedListBox::SortedListBox(QWidget* parent, ListCollation& collation)
    : QListView(parent), entries_(collation, this) {
    setModel(&entries_);
    setItemDelegate(new FocusFrameDelegate(this));
    setSelectionMode(QAbstractItemView::SingleSelection);
    setUniformItemSizes(true);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    connect(selectionModel(), &QItemSelectionModel::selectionChanged, this,
            &SortedListBox::takeSelectionFromView);
}

std::string SortedListBox::Text() {
    mergePending();
    return selected_ ? entries_.text(*selected_) : std::string();
}

void SortedListBox::AddItem(const std::string& item) {
    entries_.add(item);
}

void SortedListBox::Clear() {
    entries_.clear();
    selected_.reset();
}

void SortedListBox::SetSelected(Int16 index, bool selected) {
    mergePending();
    const std::size_t entry = entryIndex(index, entries_.size(), objectName().toStdString());
    if (selected) {
        selected_ = entry;
    } else if (selected_ == entry) {
        selected_.reset();
    }
    showSelection();
}

std::optional<Int16> SortedListBox::IndexOf(const std::string& text) {
    mergePending();
    for (std::size_t row = 0; row < entries_.size(); ++row) {
        if (entries_.text(row) == text) return static_cast<Int16>(row);
    }
    return std::nullopt;
}

// The view forgets its selection as the entries change: the list keeps its own.
void SortedListBox::mergePending() {
    std::optional<std::size_t> selected = selected_;
    updatingView_ = true;
    const bool merged = entries_.mergePending(selected);
    updatingView_ = false;
    if (!merged) return;
    selected_ = selected;
    showSelection();
}

void SortedListBox::showSelection() {
    updatingView_ = true;
    if (selected_) {
        const QModelIndex index = entries_.index(static_cast<int>(*selected_));
        selectionModel()->setCurrentIndex(index, QItemSelectionModel::ClearAndSelect);
        scrollTo(index);
    } else {
        selectionModel()->clearSelection();
    }
    updatingView_ = false;
}

void SortedListBox::takeSelectionFromView() {
    if (updatingView_) return;
    const QModelIndexList rows = selectionModel()->selectedRows();
    selected_.reset();
    if (!rows.isEmpty()) selected_ = static_cast<std::size_t>(rows.first().row());
}

QItemSelectionModel::SelectionFlags SortedListBox::selectionCommand(const QModelIndex& index,
                                                                    const QEvent*) const {
    if (!index.isValid()) return QItemSelectionModel::NoUpdate;
    return QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows;
}

void SortedListBox::takeFirstFocus() {
    quietFocus_ = true;
    setFocus(Qt::OtherFocusReason);
    quietFocus_ = false;
    emit focusMovedIn();
}

void SortedListBox::focusInEvent(QFocusEvent* event) {
    QListView::focusInEvent(event);
    // Coming back to the window, or out of a popup, is no move of the focus.
    const bool sameFocus =
        event->reason() == Qt::ActiveWindowFocusReason || event->reason() == Qt::PopupFocusReason;
    if (!quietFocus_ && !sameFocus) emit focusMovedIn();
}

void SortedListBox::keyReleaseEvent(QKeyEvent* event) {
    QListView::keyReleaseEvent(event);
    if (!event->isAutoRepeat()) emit keyReleased(keyCode(*event), shiftState(event->modifiers()));
}

void SortedListBox::mousePressEvent(QMouseEvent* event) {
    QListView::mousePressEvent(event);
    signalMouse(&SortedListBox::mousePressed, *event);
}

void SortedListBox::mouseReleaseEvent(QMouseEvent* event) {
    QListView::mouseReleaseEvent(event);
    signalMouse(&SortedListBox::mouseReleased, *event);
}

void SortedListBox::signalMouse(void (SortedListBox::*signal)(Int16, Int16, float, float),
                                const QMouseEvent& mouse) {
    const double dpi = logicalDpiX();
    emit(this->*signal)(buttonCode(mouse.button()), shiftState(mouse.modifiers()),
                        static_cast<float>(pixelsToTwips(mouse.position().x(), dpi)),
                        static_cast<float>(pixelsToTwips(mouse.position().y(), dpi)));
}

}  // namespace veltrane
