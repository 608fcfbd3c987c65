// The start-up load: what it writes, in which order, and what the window
// holds when a step fails.
#include <gmock/gmock.h>

#include <cmath>
#include <limits>

#include "VeltraneFixture.h"

namespace veltrane::testing {
namespace {

using ::testing::ElementsAre;

class FormLoadTest : public VeltraneFixture {};

TEST_F(FormLoadTest, WritesEveryCountAndNameAndFillsBothSortedLists) {
    window().Form_Load();

    EXPECT_EQ(controls.window.top, 0);
    EXPECT_EQ(controls.window.left, 2910);  // (19200 - 13380) / 2
    EXPECT_EQ(controls.Text1.text, "3");
    EXPECT_EQ(controls.Text4.text, "3");
    EXPECT_EQ(controls.Label6.caption, "Number of Devices: 1");
    EXPECT_EQ(controls.Label6.toolTip, " Check your printer and fax folder for the 1 devices. ");
    EXPECT_EQ(controls.Label5.caption, "Office");
    EXPECT_THAT(controls.List1.entries, ElementsAre("arial", "Courier", "Serif"));
    EXPECT_THAT(controls.List2.entries, ElementsAre("AAA-Resident", "helvetica", "Zapf"));
    EXPECT_EQ(controls.List1.selected, 0U);
    EXPECT_EQ(controls.List2.selected, 0U);
    EXPECT_FALSE(controls.Label3.bold || controls.Label3.italic);
    EXPECT_FALSE(controls.Label4.bold || controls.Label4.italic);
}

TEST_F(FormLoadTest, ReadsEveryCountAfreshAtTheStepThatUsesIt) {
    fakes.screen.fonts = {"A"};
    fakes.printing.fonts = {"P"};
    window().Form_Load();
    EXPECT_THAT(
        calls(),
        ElementsAre("Veltrane.Top=0", "Veltrane.Width", "Screen.Width", "Veltrane.Left=2910",
                    "Screen.FontCount", "Text1.Text=1", "Printer.FontCount", "Text4.Text=1",
                    "Printers.Count", "Label6.Caption=Number of Devices: 1", "Printers.Count",
                    "Label6.ToolTipText= Check your printer and fax folder for the 1 devices. ",
                    "Printers.Default", "Label5.Caption=Office", "Label5.ToolTipText=Office",
                    "Screen.FontCount", "Screen.Fonts", "List1.AddItem", "List1.Selected(0)=true",
                    "Printer.FontCount", "Printer.Fonts", "List2.AddItem", "List2.Selected(0)=true",
                    "Label3.FontBold=false", "Label4.FontBold=false", "Label3.FontItalic=false",
                    "Label4.FontItalic=false"));
}

TEST_F(FormLoadTest, ThreeDevicesAreJoinedToTheLiteralsWithNothingBetween) {
    fakes.printing.deviceCount = 3;
    window().Form_Load();
    EXPECT_EQ(controls.Label6.caption, "Number of Devices: 3");
    EXPECT_EQ(controls.Label6.toolTip, " Check your printer and fax folder for the 3 devices. ");
}

// What the window holds after the first failing step. A service that fails
// fails for the rest of the event; a control fails once.
struct FailureRow {
    const char* what;
    const char* failingCall;
    int occurrence;
    bool persists;
    std::size_t list1Entries;
    bool list1Selected;
    std::size_t list2Entries;
    const char* text4;
    const char* label6;
    const char* label5;
};

class FormLoadFailureTest : public VeltraneFixture,
                            public ::testing::WithParamInterface<FailureRow> {};

TEST_P(FormLoadFailureTest, KeepsWhatTheStepsBeforeTheFailureWrote) {
    const FailureRow& row = GetParam();
    fakes.log.failAt(row.failingCall, row.occurrence, row.persists);

    window().Form_Load();  // never throws: its trap ends it quietly

    EXPECT_EQ(controls.List1.entries.size(), row.list1Entries);
    EXPECT_EQ(controls.List1.selected.has_value(), row.list1Selected);
    EXPECT_EQ(controls.List2.entries.size(), row.list2Entries);
    EXPECT_FALSE(controls.List2.selected.has_value());
    EXPECT_TRUE(controls.Label3.bold && controls.Label4.italic) << "the styles are not cleared";
    EXPECT_EQ(controls.Text4.text, row.text4);
    EXPECT_EQ(controls.Label6.caption, row.label6);
    EXPECT_EQ(controls.Label5.caption, row.label5);
}

// Each step as the design's table has it: what the steps before the failure
// wrote stays, and nothing after it is written; but the screen fonts are listed
// once the device's details stop the printer side, and Label5 then names the
// current default where one can be read, not another device.
INSTANTIATE_TEST_SUITE_P(
    EveryStep, FormLoadFailureTest,
    ::testing::Values(
        FailureRow{"top", "Veltrane.Top=0", 1, false, 0, false, 0, "", "", ""},
        FailureRow{"screen width", "Screen.Width", 1, true, 0, false, 0, "", "", ""},
        FailureRow{"screen count", "Text1.Text=3", 1, false, 0, false, 0, "", "", ""},
        FailureRow{"printer count", "Printer.FontCount", 1, true, 3, true, 0, "", "", "Office"},
        FailureRow{"device count", "Printers.Count", 1, true, 3, true, 0, "3", "", "Office"},
        FailureRow{"device count again", "Printers.Count", 2, true, 3, true, 0, "3",
                   "Number of Devices: 1", "Office"},
        FailureRow{"device name", "Printers.Default", 1, true, 3, true, 0, "3",
                   "Number of Devices: 1", ""},
        FailureRow{"a screen font", "Screen.Fonts", 2, false, 1, false, 0, "3",
                   "Number of Devices: 1", "Office"},
        FailureRow{"a printer font", "Printer.Fonts", 2, false, 3, true, 1, "3",
                   "Number of Devices: 1", "Office"}),
    [](const auto& row) {
        std::string name = row.param.what;
        for (char& c : name) c = std::isalnum(static_cast<unsigned char>(c)) ? c : '_';
        return name;
    });

TEST_F(FormLoadTest, WithNoDeviceTheScreenFontsAreStillListed) {
    fakes.printing.device.reset();
    fakes.printing.deviceCount = 0;
    window().Form_Load();
    EXPECT_EQ(controls.Text1.text, "3");
    EXPECT_THAT(controls.List1.entries, ElementsAre("arial", "Courier", "Serif"));
    EXPECT_EQ(controls.List1.selected, 0U);
    EXPECT_TRUE(controls.List2.entries.empty());
    EXPECT_EQ(controls.Text4.text, "");
    EXPECT_EQ(controls.Label5.caption, "");
    EXPECT_EQ(controls.Label6.caption, "") << "no count of no devices, as the design has it";
}

TEST_F(FormLoadTest, AnEmptyListStopsTheLoadAtItsSelection) {
    fakes.screen.fonts.clear();
    window().Form_Load();
    EXPECT_TRUE(controls.List1.entries.empty());
    EXPECT_EQ(fakes.log.count("Printer.Fonts"), 0) << "List2 is not filled";
    EXPECT_TRUE(controls.Label3.bold);

    fakes.screen.fonts = {"A"};
    fakes.printing.fonts.clear();
    controls.List1.Clear();
    window().Form_Load();
    EXPECT_EQ(controls.Text4.text, "0");
    EXPECT_EQ(controls.List1.selected, 0U);
    EXPECT_TRUE(controls.List2.entries.empty());
    EXPECT_TRUE(controls.Label4.bold) << "the styles are not cleared";
}

TEST_F(FormLoadTest, APrinterFontCountBeyond16BitsOverflows) {
    fakes.printing.countOverride = 32768;
    window().Form_Load();
    EXPECT_EQ(controls.Text4.text, "") << "32768 does not fit: the count is not written";
    EXPECT_TRUE(controls.List2.entries.empty());
    EXPECT_EQ(controls.List1.entries.size(), 3U);
}

TEST_F(FormLoadTest, AScreenFontCountOfMinus32768OverflowsAtItsBound) {
    fakes.screen.countOverride = -32768;
    window().Form_Load();
    EXPECT_EQ(controls.Text1.text, "-32768") << "a minus sign and no leading blank";
    EXPECT_TRUE(controls.List1.entries.empty()) << "the bound -32768 - 1 overflows";
    EXPECT_TRUE(controls.List2.entries.empty());
}

TEST_F(FormLoadTest, ALoopOfThe32767NamesThat16BitsHoldCompletes) {
    fakes.screen.fonts.clear();
    for (int i = 0; i < 32767; ++i) fakes.screen.fonts.push_back(std::to_string(100000 + i));
    window().Form_Load();
    EXPECT_EQ(controls.List1.entries.size(), 32767U);
    EXPECT_EQ(controls.List1.entries.back(), "132766");
    EXPECT_EQ(controls.List2.entries.size(), 3U);
}

TEST_F(FormLoadTest, ASecondRunOnListsNotClearedAddsEveryNameAgain) {
    window().Form_Load();
    window().Form_Load();
    EXPECT_THAT(controls.List1.entries,
                ElementsAre("arial", "arial", "Courier", "Courier", "Serif", "Serif"));
    EXPECT_EQ(controls.List2.entries.size(), 6U);
}

TEST_F(FormLoadTest, CentringKeepsHalfTwipsAndGoesNegativeOnANarrowScreen) {
    fakes.screen.width = 19201;
    window().Form_Load();
    EXPECT_EQ(controls.window.left, 2910.5F);

    fakes.screen.width = 12000;
    window().Form_Load();
    EXPECT_EQ(controls.window.left, -690);
}

TEST_F(FormLoadTest, ACentringThatIsNotANumberIsAnError) {
    fakes.screen.width = std::numeric_limits<float>::quiet_NaN();
    window().Form_Load();
    EXPECT_EQ(controls.window.top, 0);
    EXPECT_EQ(controls.window.left, -1) << "Left is not written";
    EXPECT_EQ(controls.Text1.text, "");
}

}  // namespace
}  // namespace veltrane::testing
