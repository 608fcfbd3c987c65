#pragma once

#include <QListView>

#include <optional>

#include "ListBox.h"
#include "SortedEntries.h"

namespace veltrane {

// A sorted single-selection list box. Its key and mouse signals come after the
// list has acted on them, so a press already shows the entry pressed; it
// signals the focus moving in when the focus moves into the list within the
// window, not when the user merely comes back to the window.
class SortedListBox : public QListView, public ListBox {
    Q_OBJECT

public:
    SortedListBox(QWidget* parent, ListCollation& collation);

    std::string Text() override;
    void AddItem(const std::string& item) override;
    void Clear() override;
    void SetSelected(Int16 index, bool selected) override;
    std::optional<Int16> IndexOf(const std::string& text) override;

    // Merges and shows the entries added since the last time; the window calls
    // it after every event.
    void mergePending();
    // Gives the list the focus as the window opens and signals it. The window
    // may not be active yet, and without a window manager it may never be told
    // so, so Qt's own focus-in cannot be waited for; it signals nothing here.
    void takeFirstFocus();

signals:
    void focusMovedIn();
    // The key code and the shift state (Shift 1, Ctrl 2, Alt 4); a held key
    // signals once, at its real release.
    void keyReleased(Int16 keyCode, Int16 shift);
    // The button (left 1, right 2, middle 4), the shift state and the place in twips.
    void mousePressed(Int16 button, Int16 shift, float x, float y);
    void mouseReleased(Int16 button, Int16 shift, float x, float y);

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
    void signalMouse(void (SortedListBox::*signal)(Int16, Int16, float, float),
                     const QMouseEvent& mouse);

    SortedEntries entries_;
    std::optional<std::size_t> selected_;
    bool updatingView_ = false;
    bool quietFocus_ = false;
};

}  // namespace veltrane
