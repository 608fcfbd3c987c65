// The font samples and the copy buttons on fake controls.
#include <gmock/gmock.h>

#include "VeltraneFixture.h"

namespace veltrane::testing {
namespace {

using ::testing::ElementsAre;

class PreviewTest : public VeltraneFixture {
protected:
    PreviewTest() { started(); }

    FontPreview& preview() { return window().preview(); }
    FormProcedures procedures() { return window().procedures(); }
};

TEST_F(PreviewTest, ASampleGetsItsStyleBeforeAndAfterItsFont) {
    fake(names::List1).selected = 1;
    procedures().controls.at("List1").KeyUp(16, 1);
    EXPECT_THAT(calls(), ElementsAre("Label3.FontBold=false", "Label3.FontItalic=false",
                                     "Label3.FontSize=24", "List1.Text", "Label3.Font.Name=Courier",
                                     "List1.Text", "Label3.Caption=Courier",
                                     "Label3.FontBold=false", "Label3.FontItalic=false",
                                     "Label3.FontSize=24", "Text2.Font.Name=Courier"));
}

TEST_F(PreviewTest, AFailureStopsAtItsStepAndKeepsWhatWasDone) {
    fake(names::List1).selected = 2;
    fakes.log.failAt("Label3.Font.Name=Serif");
    EXPECT_THROW(procedures().controls.at("List1").MouseDown(1, 0, 0, 0), PlatformError);
    EXPECT_EQ(preview().screenFontName(), "Serif");
    EXPECT_EQ(fake(names::Label3).caption, "");
    EXPECT_EQ(fake(names::Text2).font.name, "");
}

TEST_F(PreviewTest, TheSampleBoxFollowsTheFontLastShown) {
    const auto handlers = procedures();
    handlers.controls.at("List2").MouseUp(2, 0, 10, 10);
    EXPECT_EQ(fake(names::Label4).caption, "AAA-Resident");
    EXPECT_EQ(fake(names::Text2).font.name, "AAA-Resident");
    EXPECT_EQ(preview().printerFontName(), "AAA-Resident");

    handlers.controls.at("List1").GotFocus();
    EXPECT_EQ(fake(names::Text2).font.name, "arial");

    handlers.controls.at("List2").KeyUp(40, 0);
    handlers.controls.at("List1").MouseUp(1, 0, 0, 0);
    EXPECT_EQ(fake(names::Text2).font.name, "arial");
    EXPECT_EQ(fake(names::Text2).text, "Enter some text here!\r\n") << "only its font changes";
}

TEST_F(PreviewTest, AClickRunsTheSampleOnPressAndOnRelease) {
    const auto handlers = procedures();
    handlers.controls.at("List1").MouseDown(1, 0, 0, 0);
    handlers.controls.at("List1").MouseUp(1, 0, 0, 0);
    EXPECT_EQ(fakes.log.count("Label3.Caption=arial"), 2);
    EXPECT_EQ(handlers.controls.count("List2") == 1 && !handlers.controls.at("List2").GotFocus,
              true)
        << "List2 has no GotFocus procedure";
}

TEST_F(PreviewTest, GotFocusRestoresBothSamplesAndLeavesTheirSize) {
    fake(names::Label4).caption = "stale";
    fake(names::Label3).bold = fake(names::Label4).italic = true;
    fake(names::Label3).size = fake(names::Label4).size = 9;
    preview().List1_GotFocus();
    EXPECT_EQ(fake(names::Label3).caption, "arial");
    EXPECT_EQ(fake(names::Label4).caption, "AAA-Resident");
    EXPECT_EQ(fake(names::Label4).font.name, "AAA-Resident");
    EXPECT_FALSE(fake(names::Label3).bold || fake(names::Label4).italic);
    EXPECT_EQ(fake(names::Label3).size, 9);
    EXPECT_EQ(fake(names::Label4).size, 9);
    EXPECT_EQ(fakes.log.count("Label3.FontBold=false"), 1) << "the style is applied once";
}

TEST_F(PreviewTest, AnEmptyListGivesEmptyNamesEverywhere) {
    fake(names::List2).Clear();
    fake(names::List1).selected.reset();
    preview().List1_GotFocus();
    procedures().controls.at("List2").KeyUp(0, 0);
    EXPECT_EQ(preview().screenFontName(), "");
    EXPECT_EQ(preview().printerFontName(), "");
    EXPECT_EQ(fake(names::Label3).caption, "");
    EXPECT_EQ(fake(names::Label4).font.name, "");
    EXPECT_EQ(fake(names::Text2).font.name, "");
}

TEST_F(PreviewTest, EachButtonCopiesItsOwnListsEntryAndChangesNothingElse) {
    fake(names::List1).selected = 2;
    procedures().controls.at("List2").MouseDown(1, 0, 0, 0);
    const std::string sample = fake(names::Label4).caption;
    fakes.log.calls.clear();

    procedures().controls.at("Command1").Click();
    EXPECT_EQ(fakes.clipboard.text, "Serif");
    procedures().controls.at("Command2").Click();
    EXPECT_EQ(fakes.clipboard.text, "AAA-Resident");
    EXPECT_THAT(calls(),
                ElementsAre("Clipboard.Clear", "List1.Text", "Clipboard.SetText=Serif",
                            "Clipboard.Clear", "List2.Text", "Clipboard.SetText=AAA-Resident"));
    EXPECT_EQ(fake(names::Label4).caption, sample);
    EXPECT_EQ(fake(names::List1).selected, 2U);
}

TEST_F(PreviewTest, ACopyFromAnEmptyListGivesTheEmptyText) {
    fake(names::List2).Clear();
    procedures().controls.at("Command2").Click();
    EXPECT_EQ(fakes.clipboard.text, "");
}

TEST_F(PreviewTest, AFailedReadLeavesTheClipboardEmpty) {
    fakes.log.failAt("List1.Text");
    EXPECT_THROW(procedures().controls.at("Command1").Click(), PlatformError);
    EXPECT_FALSE(fakes.clipboard.text.has_value());
}

}  // namespace
}  // namespace veltrane::testing
