// The clipboard service on a real X server, read back by another program.
#include <gmock/gmock.h>

#include <QApplication>

#include <fstream>

#include "Process.h"
#include "QtClipboard.h"
#include "TempDir.h"
#include "XvfbSession.h"

namespace veltrane::testing {
namespace {

TEST(QtClipboardTest, OffersExactlyThePlainText) {
    QtClipboard clipboard;
    const std::string name = "Odd & <Font> Name";
    clipboard.Clear();
    clipboard.SetText(name);
    TempDir folder("veltrane-clipboard");
    const std::string file = folder / "read";
    {
        Process reader({"xclip", "-selection", "clipboard", "-o"}, {{"DISPLAY", testDisplay()}},
                       file, false);
        while (reader.running()) QApplication::processEvents();  // this process owns the selection
    }
    std::ifstream in(file);
    std::string read;
    std::getline(in, read, '\0');
    EXPECT_EQ(read, name);
}

}  // namespace
}  // namespace veltrane::testing
