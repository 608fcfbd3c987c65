#include "QtListBox.h"

#include <QFocusEvent>
#include <QKeyEvent>
#include <QMouseEvent>

#include "Twips.h"

namespace veltrane {

namespace {

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

QtListBox::QtListBox(QWidget* parent, EventDispatcher& dispatcher, ListCollation& collation)
    : QListView(parent),
      dispatcher_(dispatcher),
      entries_(collation),
      model_(entries_, this),
      delegate_(this) {
    setModel(&model_);
    setItemDelegate(&delegate_);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setUniformItemSizes(true);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    connect(selectionModel(), &QItemSelectionModel::selectionChanged, this,
            &QtListBox::takeSelectionFromView);
}

void QtListBox::wire(const std::string& name, const ControlProcedures& procedures) {
    name_ = name;
    procedures_ = procedures;
}

std::string QtListBox::Text() {
    mergePending();
    return selected_ ? entries_.text(*selected_) : std::string();
}

void QtListBox::AddItem(const std::string& item) {
    entries_.add(item);
}

void QtListBox::Clear() {
    model_.reset([this] {
        entries_.clear();
        selected_.reset();
    });
}

void QtListBox::SetSelected(Int16 index, bool selected) {
    mergePending();
    const std::size_t entry = entryIndex(index, entries_.size(), name_);
    if (selected) {
        selected_ = entry;
    } else if (selected_ == entry) {
        selected_.reset();
    }
    showSelection();
}

std::optional<Int16> QtListBox::IndexOf(const std::string& text) {
    mergePending();
    for (std::size_t row = 0; row < entries_.size(); ++row) {
        if (entries_.text(row) == text) return static_cast<Int16>(row);
    }
    return std::nullopt;
}

void QtListBox::mergePending() {
    std::optional<std::size_t> selected = selected_;
    if (!entries_.mergePending(selected)) return;
    updatingView_ = true;
    model_.reset([] {});
    updatingView_ = false;
    selected_ = selected;
    showSelection();
}

void QtListBox::showSelection() {
    updatingView_ = true;
    if (selected_) {
        const QModelIndex index = model_.index(static_cast<int>(*selected_));
        selectionModel()->setCurrentIndex(index, QItemSelectionModel::ClearAndSelect);
        scrollTo(index);
    } else {
        selectionModel()->clearSelection();
    }
    updatingView_ = false;
}

void QtListBox::takeSelectionFromView() {
    if (updatingView_) return;
    const QModelIndexList rows = selectionModel()->selectedRows();
    selected_.reset();
    if (!rows.isEmpty()) selected_ = static_cast<std::size_t>(rows.first().row());
}

QItemSelectionModel::SelectionFlags QtListBox::selectionCommand(const QModelIndex& index,
                                                                const QEvent*) const {
    if (!index.isValid()) return QItemSelectionModel::NoUpdate;
    return QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows;
}

void QtListBox::takeFirstFocus() {
    quietFocus_ = true;
    setFocus(Qt::OtherFocusReason);
    quietFocus_ = false;
    raiseGotFocus();
}

void QtListBox::focusInEvent(QFocusEvent* event) {
    QListView::focusInEvent(event);
    // Coming back to the window, or out of a popup, is no move of the focus.
    const bool sameFocus =
        event->reason() == Qt::ActiveWindowFocusReason || event->reason() == Qt::PopupFocusReason;
    if (!quietFocus_ && !sameFocus) raiseGotFocus();
}

void QtListBox::raiseGotFocus() {
    dispatcher_.raise(name_ + "_GotFocus", procedures_.GotFocus);
}

void QtListBox::keyReleaseEvent(QKeyEvent* event) {
    QListView::keyReleaseEvent(event);
    // A held key is one release, at its real end.
    if (event->isAutoRepeat() || !procedures_.KeyUp) return;
    const Int16 key = keyCode(*event);
    const Int16 shift = shiftState(event->modifiers());
    dispatcher_.raise(name_ + "_KeyUp", [&] { procedures_.KeyUp(key, shift); });
}

void QtListBox::mousePressEvent(QMouseEvent* event) {
    QListView::mousePressEvent(event);
    raiseMouse("_MouseDown", procedures_.MouseDown, *event);
}

void QtListBox::mouseReleaseEvent(QMouseEvent* event) {
    QListView::mouseReleaseEvent(event);
    raiseMouse("_MouseUp", procedures_.MouseUp, *event);
}

void QtListBox::raiseMouse(const char* event,
                           const decltype(ControlProcedures::MouseDown)& procedure,
                           const QMouseEvent& mouse) {
    if (!procedure) return;
    const double dpi = logicalDpiX();
    const auto x = static_cast<float>(pixelsToTwips(mouse.position().x(), dpi));
    const auto y = static_cast<float>(pixelsToTwips(mouse.position().y(), dpi));
    const Int16 button = buttonCode(mouse.button());
    const Int16 shift = shiftState(mouse.modifiers());
    dispatcher_.raise(name_ + event, [&] { procedure(button, shift, x, y); });
}

}  // namespace veltrane
