#pragma once

#include "Clipboard.h"
#include "ListBox.h"

namespace veltrane {

// The two copy buttons: each puts exactly its list's selected font name on the
// clipboard as plain text, nothing added or trimmed. No error is trapped here.
class ClipboardCopy {
public:
    ClipboardCopy(ListBox& list1, ListBox& list2, Clipboard& clipboard)
        : List1(list1), List2(list2), clipboard_(clipboard) {}

    void Command1_Click() { copySelected(List1); }
    void Command2_Click() { copySelected(List2); }

private:
    // Clears first, so a failed read leaves the clipboard empty rather than stale.
    void copySelected(ListBox& list) {
        clipboard_.Clear();
        clipboard_.SetText(list.Text());
    }

    ListBox& List1;
    ListBox& List2;
    Clipboard& clipboard_;
};

}  // namespace veltrane
