#include "ClipboardCopy.h"

namespace veltrane {

void ClipboardCopy::copySelected(ListBox& list) {
    clipboard_.Clear();
    const std::string text = list.Text();
    clipboard_.SetText(text);
}

}  // namespace veltrane
