// The font samples and the copy buttons on fake controls.
#include <gmock/gmock.h>

#include "VeltraneFixture.h"

namespace veltrane::testing {
namespace {

using ::testing::ElementsAre;

class PreviewTest : public VeltraneFixture {
protected:
    PreviewTest() { started(); }
};

TEST_F(PreviewTest, ASampleGetsItsStyleBeforeAndAfterItsFont) {
    controls.List1.selected = 1;
    window().List1_KeyUp(16, 1);
    EXPECT_THAT(calls(), ElementsAre("Label3.FontBold=false", "Label3.FontItalic=false",
                                     "Label3.FontSize=24", "List1.Text", "Label3.Font.Name=Courier",
                                     "List1.Text", "Label3.Caption=Courier",
                                     "Label3.FontBold=false", "Label3.FontItalic=false",
                                     "Label3.FontSize=24", "Text2.Font.Name=Courier"));
}

TEST_F(PreviewTest, AFailureStopsAtItsStepAndKeepsWhatWasDone) {
    controls.List1.selected = 2;
    fakes.log.failAt("Label3.Font.Name=Serif");
    EXPECT_THROW(window().List1_MouseDown(1, 0, 0, 0), PlatformError);
    EXPECT_EQ(controls.Label3.caption, "");
    EXPECT_EQ(controls.Text2.font.name, "");
}

TEST_F(PreviewTest, TheSampleBoxFollowsTheFontLastShown) {
    window().List2_MouseUp(2, 0, 10, 10);
    EXPECT_EQ(controls.Label4.caption, "AAA-Resident");
    EXPECT_EQ(controls.Text2.font.name, "AAA-Resident");

    window().List1_GotFocus();
    EXPECT_EQ(controls.Text2.font.name, "arial");

    window().List2_KeyUp(40, 0);
    window().List1_MouseUp(1, 0, 0, 0);
    EXPECT_EQ(controls.Text2.font.name, "arial");
    EXPECT_EQ(controls.Text2.text, "Enter some text here!\r\n") << "only its font changes";
}

TEST_F(PreviewTest, AClickRunsTheSampleOnPressAndOnRelease) {
    window().List1_MouseDown(1, 0, 0, 0);
    window().List1_MouseUp(1, 0, 0, 0);
    EXPECT_EQ(fakes.log.count("Label3.Caption=arial"), 2);
}

TEST_F(PreviewTest, GotFocusRestoresBothSamplesAndLeavesTheirSize) {
    controls.Label4.caption = "stale";
    controls.Label3.bold = controls.Label4.italic = true;
    controls.Label3.size = controls.Label4.size = 9;
    window().List1_GotFocus();
    EXPECT_EQ(controls.Label3.caption, "arial");
    EXPECT_EQ(controls.Label4.caption, "AAA-Resident");
    EXPECT_EQ(controls.Label4.font.name, "AAA-Resident");
    EXPECT_FALSE(controls.Label3.bold || controls.Label4.italic);
    EXPECT_EQ(controls.Label3.size, 9);
    EXPECT_EQ(controls.Label4.size, 9);
    EXPECT_EQ(fakes.log.count("Label3.FontBold=false"), 1) << "the style is applied once";
}

TEST_F(PreviewTest, AnEmptyListGivesEmptyNamesEverywhere) {
    controls.List2.Clear();
    controls.List1.selected.reset();
    window().List1_GotFocus();
    window().List2_KeyUp(0, 0);
    EXPECT_EQ(controls.Label3.caption, "");
    EXPECT_EQ(controls.Label4.font.name, "");
    EXPECT_EQ(controls.Text2.font.name, "");
}

TEST_F(PreviewTest, EachButtonCopiesItsOwnListsEntryAndChangesNothingElse) {
    controls.List1.selected = 2;
    window().List2_MouseDown(1, 0, 0, 0);
    const std::string sample = controls.Label4.caption;
    fakes.log.calls.clear();

    window().Command1_Click();
    EXPECT_EQ(fakes.clipboard.text, "Serif");
    window().Command2_Click();
    EXPECT_EQ(fakes.clipboard.text, "AAA-Resident");
    EXPECT_THAT(calls(),
                ElementsAre("Clipboard.Clear", "List1.Text", "Clipboard.SetText=Serif",
                            "Clipboard.Clear", "List2.Text", "Clipboard.SetText=AAA-Resident"));
    EXPECT_EQ(controls.Label4.caption, sample);
    EXPECT_EQ(controls.List1.selected, 2U);
}

TEST_F(PreviewTest, ACopyFromAnEmptyListGivesTheEmptyText) {
    controls.List2.Clear();
    window().Command2_Click();
    EXPECT_EQ(fakes.clipboard.text, "");
}

TEST_F(PreviewTest, AFailedReadLeavesTheClipboardEmpty) {
    fakes.log.failAt("List1.Text");
    EXPECT_THROW(window().Command1_Click(), PlatformError);
    EXPECT_FALSE(fakes.clipboard.text.has_value());
}

}  // namespace
}  // namespace veltrane::testing
