#pragma once

#include <QListView>

#include <optional>

#include "EventDispatcher.h"
#include "FocusFrameDelegate.h"
#include "FormProcedures.h"
#include "ListBox.h"
#include "SortedEntries.h"
#include "SortedListModel.h"

namespace veltrane {

// A sorted single-selection list box. Its key and mouse events reach the
// program after the list has acted on them, so a press already shows the entry
// pressed; GotFocus is raised when the focus moves into the list within the
// window, not when the user merely comes back to the window.
class QtListBox : public QListView, public ListBox {
    Q_OBJECT

public:
    QtListBox(QWidget* parent, EventDispatcher& dispatcher, ListCollation& collation);

    std::string Text() override;
    void AddItem(const std::string& item) override;
    void Clear() override;
    void SetSelected(Int16 index, bool selected) override;
    std::optional<Int16> IndexOf(const std::string& text) override;

    void wire(const std::string& name, const ControlProcedures& procedures);
    // Merges and shows the entries added since the last time; the engine calls
    // it after every event.
    void mergePending();
    // Gives the list the focus as the window opens and raises its GotFocus. The
    // window may not be active yet, and without a window manager it may never be
    // told so, so Qt's own focus-in cannot be waited for; it raises nothing here.
    void takeFirstFocus();

protected:
    // Once an entry is selected one stays selected: Ctrl never deselects, and a
    // click below the last entry changes nothing.
    QItemSelectionModel::SelectionFlags selectionCommand(const QModelIndex& index,
                                                         const QEvent* event) const override;
    void focusInEvent(QFocusEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    void showSelection();
    void takeSelectionFromView();
    void raiseGotFocus();
    void raiseMouse(const char* event, const decltype(ControlProcedures::MouseDown)& procedure,
                    const QMouseEvent& mouse);

    EventDispatcher& dispatcher_;
    std::string name_;
    ControlProcedures procedures_;
    SortedEntries entries_;
    SortedListModel model_;
    FocusFrameDelegate delegate_;
    std::optional<std::size_t> selected_;
    bool updatingView_ = false;
    bool quietFocus_ = false;
};

}  // namespace veltrane
