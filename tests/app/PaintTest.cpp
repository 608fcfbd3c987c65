// The check at every paint: reload when the default device changed, the
// no-device text, and never a reload loop.
#include <gmock/gmock.h>

#include <algorithm>
#include <functional>
#include <ostream>

#include "VeltraneFixture.h"

namespace veltrane::testing {
namespace {

using ::testing::ElementsAre;

class PaintTest : public VeltraneFixture {
protected:
    // A paint as the engine raises it after the window has been shown.
    void paint() { window().Form_Paint(); }

    void switchDefaultTo(const std::string& device, std::vector<std::string> fonts) {
        fakes.printing.device = device;
        fakes.printing.fonts = std::move(fonts);
    }

    // A new default whose fonts cannot be read: its count passes 16 bits.
    void switchDefaultToUnreadable(const std::string& device) {
        fakes.printing.device = device;
        fakes.printing.countOverride = 40000;
    }

    int reloads() const { return fakes.log.count("Veltrane.Hide"); }
};

TEST_F(PaintTest, TheFirstPaintAfterANormalStartChangesNothing) {
    started();
    paint();
    EXPECT_THAT(calls(), ElementsAre("Screen.RefreshFonts", "Printers.Any", "Printers.Default"));
}

TEST_F(PaintTest, ANewDefaultDeviceReloadsEverythingAndShowsEntryZero) {
    started();
    controls.window.left = 5;  // the user moved the window
    switchDefaultTo("Annex", {"Zeta", "beta"});
    fakes.printing.deviceCount = 2;

    paint();

    EXPECT_EQ(reloads(), 1);
    EXPECT_TRUE(controls.window.visible);
    EXPECT_EQ(controls.window.top, 0);
    EXPECT_EQ(controls.window.left, 2910);
    EXPECT_EQ(controls.Label5.caption, "Annex");
    EXPECT_EQ(controls.Label6.caption, "Number of Devices: 2");
    EXPECT_THAT(controls.List1.entries, ElementsAre("arial", "Courier", "Serif")) << "not doubled";
    EXPECT_THAT(controls.List2.entries, ElementsAre("beta", "Zeta"));
    EXPECT_EQ(controls.Label3.caption, "arial");
    EXPECT_EQ(controls.Label4.caption, "beta");
    EXPECT_EQ(controls.Label4.font.name, "beta");
    EXPECT_EQ(controls.Text2.font.name, "arial");
    const auto& log = calls();
    const auto at = [&](const std::string& call) {
        return std::find(log.begin(), log.end(), call) - log.begin();
    };
    EXPECT_LT(at("Veltrane.Hide"), at("List1.Clear"));
    EXPECT_LT(at("List1.Clear"), at("List2.Clear"));
    EXPECT_LT(at("List2.Clear"), at("Veltrane.Top=0"));
    EXPECT_LT(at("Veltrane.Show"), at("Label3.Font.Name=arial"));
}

// Most machines have no printer: a change of the installed fonts reloads
// whatever the printer side's state, once, like a new default.
TEST_F(PaintTest, FontsInstalledOrRemovedReloadWhateverThePrinterSidesState) {
    const auto fontsChangedThenPaint = [&](const std::string& screenFont) {
        fakes.screen.fonts.push_back(screenFont);
        fakes.screen.fontsChanged = true;
        controls.window.onShow = [this] { paint(); };
        paint();
        EXPECT_THAT(controls.List1.entries, ::testing::Contains(screenFont));
        EXPECT_EQ(controls.List1.entries.size(), fakes.screen.fonts.size()) << "not doubled";
    };
    started();
    fontsChangedThenPaint("added");
    EXPECT_EQ(reloads(), 1);

    fakes.printing.deviceCount = 0;
    fakes.printing.device.reset();
    fontsChangedThenPaint("without devices");
    fakes.printing.deviceCount = 1;
    fakes.printing.device = "Office";
    fakes.log.failAt("Printers.Any", 1, true, ErrorKind::NoAnswer);
    fontsChangedThenPaint("server backed off");
    EXPECT_EQ(reloads(), 3);
    paint();
    EXPECT_EQ(reloads(), 3) << "nothing changed";
}

// Beyond the design, fonts alone keep each list's selected name where it is
// still listed, and the samples with it; a new default seen at the same paint
// shows entry 0, as the design has it.
TEST_F(PaintTest, AFontChangeKeepsTheSelectedNamesUnlessTheDefaultChangedToo) {
    started();
    controls.List1.selected = 2;  // Serif
    controls.List2.selected = 1;  // helvetica
    const auto fontsChanged = [&](std::vector<std::string> screenFonts) {
        fakes.screen.fonts = std::move(screenFonts);
        fakes.screen.fontsChanged = true;
        paint();
    };
    fontsChanged({"Serif", "arial", "Courier", "Aardvark"});
    EXPECT_EQ(reloads(), 1);
    EXPECT_EQ(controls.List1.Text(), "Serif");
    EXPECT_EQ(controls.List2.Text(), "helvetica");
    EXPECT_EQ(controls.Label3.caption, "Serif");
    EXPECT_EQ(controls.Label4.caption, "helvetica");

    fontsChanged({"arial", "Courier"});
    EXPECT_EQ(controls.List1.Text(), "arial") << "Serif is gone: entry 0";
    EXPECT_EQ(controls.List2.Text(), "helvetica");

    switchDefaultTo("Annex", {"beta", "helvetica"});
    fontsChanged({"arial", "Courier"});
    EXPECT_EQ(reloads(), 3);
    EXPECT_EQ(controls.List2.Text(), "beta") << "a new default: entry 0";

    // A change that a paint sees but cannot reload for is reloaded for later.
    controls.List1.selected = 1;
    fakes.log.failAt("List1.Text");
    fontsChanged({"arial", "Courier", "Zeta"});
    EXPECT_EQ(reloads(), 3);
    paint();
    EXPECT_EQ(reloads(), 4);
    EXPECT_EQ(controls.List1.entries.size(), 3U);
    EXPECT_EQ(controls.List1.Text(), "Courier");
}

// "No printers or fax programs" and a load that finds no default device are
// the same default: fonts installed meanwhile keep the name chosen.
TEST_F(PaintTest, AFontChangeWithNoDeviceLeftKeepsTheSelectedName) {
    started();
    fakes.printing.deviceCount = 0;
    fakes.printing.device.reset();
    paint();
    controls.List1.selected = 2;  // Serif
    fakes.screen.fonts = {"Aardvark", "Serif", "arial", "Courier"};
    fakes.screen.fontsChanged = true;
    paint();
    EXPECT_EQ(reloads(), 1);
    EXPECT_EQ(controls.List1.Text(), "Serif");
}

TEST_F(PaintTest, ANameDifferingOnlyInLetterCaseIsAnotherDevice) {
    started();
    fakes.printing.device = "OFFICE";
    paint();
    EXPECT_EQ(reloads(), 1);
    EXPECT_EQ(controls.Label5.caption, "OFFICE");
}

TEST_F(PaintTest, AddingOrRemovingADeviceWithoutANewDefaultDoesNotReload) {
    started();
    fakes.printing.deviceCount = 4;
    paint();
    EXPECT_EQ(reloads(), 0);
    EXPECT_EQ(controls.Label6.caption, "Number of Devices: 1");
}

TEST_F(PaintTest, WithNoDeviceLeftOnlyLabel5Changes) {
    started();
    fakes.printing.deviceCount = 0;
    fakes.printing.device.reset();
    paint();
    EXPECT_THAT(calls(),
                ElementsAre("Screen.RefreshFonts", "Printers.Any",
                            "Label5.Caption=No printers or fax programs", "Label5.ToolTipText="));
    EXPECT_EQ(controls.List2.entries.size(), 3U);
    EXPECT_EQ(controls.Text4.text, "3");
}

TEST_F(PaintTest, AnUnreadableServiceChangesNothingAndTheNextPaintTriesAgain) {
    started();
    switchDefaultTo("Annex", {"X"});
    fakes.log.failAt("Printers.Any");
    paint();
    fakes.log.failAt("Printers.Default");
    paint();
    EXPECT_EQ(reloads(), 0);
    EXPECT_EQ(controls.Label5.caption, "Office");

    paint();
    EXPECT_EQ(reloads(), 1);
}

TEST_F(PaintTest, ThePaintThatShowCausesEndsAtTheComparison) {
    started();
    controls.window.onShow = [this] { paint(); };
    switchDefaultTo("Annex", {"X"});
    paint();
    EXPECT_EQ(reloads(), 1);
    EXPECT_EQ(fakes.log.count("Veltrane.Show"), 1);
}

TEST_F(PaintTest, AnErrorInsideTheReloadsLoadStillShowsTheWindow) {
    started();
    switchDefaultTo("Annex", {"X"});
    fakes.log.failAt("Screen.Width");
    paint();
    EXPECT_TRUE(controls.window.visible);
}

TEST_F(PaintTest, AStartWithNoDeviceFillsBothListsOnceADeviceIsInstalled) {
    fakes.printing.deviceCount = 0;
    fakes.printing.device.reset();
    started();
    paint();
    EXPECT_EQ(controls.Label5.caption, "No printers or fax programs");
    EXPECT_TRUE(controls.List2.entries.empty());

    fakes.printing.deviceCount = 1;
    switchDefaultTo("Office", {"AAA-Resident"});
    paint();
    EXPECT_EQ(reloads(), 1);
    EXPECT_EQ(controls.List1.entries.size(), 3U);
    EXPECT_THAT(controls.List2.entries, ElementsAre("AAA-Resident"));
    EXPECT_EQ(controls.Label4.caption, "AAA-Resident");
}

TEST_F(PaintTest, ANewDefaultWithoutFontsKeepsTheSamplesAsTheyWere) {
    started();
    window().List1_GotFocus();
    switchDefaultTo("Raw", {});
    paint();
    EXPECT_TRUE(controls.List2.entries.empty());
    EXPECT_EQ(controls.Label4.caption, "AAA-Resident");
    EXPECT_EQ(controls.Text2.font.name, "arial");
}

TEST_F(PaintTest, AnErrorInsideTheSampleRefreshEndsThePaintQuietly) {
    started();
    switchDefaultTo("Annex", {"X"});
    fakes.log.failAt("Label4.Font.Name=X");
    EXPECT_NO_THROW(paint());
    EXPECT_EQ(controls.Label4.caption, "");
}

// A device whose load stops early is reloaded once, not at every paint,
// nor at the paint its own Show causes; another default ends that.
TEST_F(PaintTest, AFailedReloadIsNotRepeatedForTheSameDevice) {
    started();
    controls.window.onShow = [this] { paint(); };
    switchDefaultToUnreadable("Broken");
    paint();
    paint();
    paint();
    EXPECT_EQ(reloads(), 1);
    EXPECT_TRUE(controls.window.visible);

    fakes.printing.countOverride.reset();
    switchDefaultTo("Annex", {"X"});
    paint();
    EXPECT_EQ(reloads(), 2);
    EXPECT_EQ(controls.Label5.caption, "Annex");

    fakes.printing.device = "Broken";
    paint();
    EXPECT_EQ(reloads(), 3) << "readable now: another default always reloads";
    EXPECT_EQ(controls.Label5.caption, "Broken");
}

// After a reload that stops early the printer side names the new default and
// counts no fonts, so the window never names one device beside another's list;
// and the earlier device, when it is the default again, is reloaded.
TEST_F(PaintTest, AFailedReloadNamesTheNewDefaultAndTheEarlierOneComesBack) {
    started();
    fakes.printing.deviceCount = 2;
    switchDefaultToUnreadable("Broken");
    paint();
    EXPECT_EQ(controls.Label5.caption, "Broken");
    EXPECT_EQ(controls.Label6.caption, "") << "as a start stopped there shows it";
    EXPECT_EQ(controls.Text4.text, "");
    EXPECT_TRUE(controls.List2.entries.empty());
    EXPECT_EQ(controls.Label4.caption, "") << "the samples keep what they showed";

    fakes.printing.countOverride.reset();
    switchDefaultTo("Office", {"AAA-Resident", "Zapf"});
    paint();
    EXPECT_EQ(reloads(), 2);
    EXPECT_THAT(controls.List2.entries, ElementsAre("AAA-Resident", "Zapf"));
    EXPECT_EQ(controls.Text4.text, "2");
}

// A default whose fonts the server did not answer for is reloaded once an
// answer reads them, not before: the answer's revision tells.
TEST_F(PaintTest, ADefaultWhoseFontsTheServerDidNotAnswerForIsReloadedOnceTheyAreRead) {
    started();
    controls.window.onShow = [this] { paint(); };
    switchDefaultTo("Annex", {"X"});
    fakes.printing.fontsFail = ErrorKind::NoAnswer;
    paint();
    paint();
    EXPECT_EQ(reloads(), 1);
    EXPECT_EQ(controls.Label5.caption, "Annex");
    EXPECT_EQ(controls.Label5.toolTip, "Annex\nThe print server refused a request.");
    EXPECT_TRUE(controls.List2.entries.empty());

    fakes.printing.fontsFail.reset();
    paint();
    paint();
    EXPECT_EQ(reloads(), 2);
    EXPECT_THAT(controls.List2.entries, ElementsAre("X"));
}

// Beyond the design, the default's description replaced, or a print server of
// its own naming a default of the same name, is another default.
TEST_F(PaintTest, ANewDescriptionOrAnotherServerReloadsAsANewDefaultDoes) {
    started();
    fakes.printing.revision = "configured 2";
    fakes.printing.fonts = {"Replaced"};
    paint();
    paint();
    EXPECT_EQ(reloads(), 1);
    EXPECT_THAT(controls.List2.entries, ElementsAre("Replaced"));

    fakes.printing.server = "far.example:631";
    paint();
    EXPECT_EQ(reloads(), 2);
}

// A paint that cannot read the server leaves the window as it was; where its
// printer side shows no device because the server could not be read, Label5's
// tooltip says why as of the latest paint.
TEST_F(PaintTest, APrinterSideTheServerCouldNotBeReadForSaysTheLatestReason) {
    fakes.printing.unreadable = ErrorKind::NoAnswer;
    started();
    EXPECT_EQ(controls.Label5.toolTip, "The print server refused a request.");
    fakes.log.failAt("Printers.Any", 1, false, ErrorKind::NoAnswer);
    paint();
    EXPECT_EQ(controls.Label5.caption, "");
    EXPECT_EQ(controls.Label5.toolTip, "Injected failure at Printers.Any.");

    fakes.printing.unreadable.reset();
    paint();
    EXPECT_EQ(controls.Label5.caption, "Office");
    fakes.log.failAt("Printers.Any", 1, false, ErrorKind::NoAnswer);
    paint();
    EXPECT_EQ(controls.Label5.toolTip, "Office") << "a window with a device keeps it";
}

TEST_F(PaintTest, AStartThatCannotReadTheDefaultsFontsDoesNotReloadAtTheFirstPaint) {
    switchDefaultToUnreadable("Broken");
    started();
    paint();
    EXPECT_EQ(reloads(), 0);
    EXPECT_EQ(controls.Label5.caption, "Broken");
}

TEST_F(PaintTest, TheNoDeviceStateForgetsAFailedReload) {
    started();
    switchDefaultToUnreadable("Broken");
    paint();
    fakes.printing.deviceCount = 0;
    paint();
    fakes.printing.deviceCount = 1;
    fakes.printing.countOverride.reset();
    paint();
    EXPECT_EQ(reloads(), 2);
    EXPECT_EQ(controls.Label5.caption, "Broken");
}

// What a user and a screen reader see of the window's contents.
struct Shown {
    std::string text1, text4, label5, label5Tip, label6, label6Tip;
    std::vector<std::string> list1, list2;

    bool operator==(const Shown&) const = default;
};

void PrintTo(const Shown& shown, std::ostream* out) {
    *out << "Text1 " << shown.text1 << ", Text4 " << shown.text4 << ", Label5 " << shown.label5
         << " (" << shown.label5Tip << "), Label6 " << shown.label6 << " (" << shown.label6Tip
         << "), " << shown.list1.size() << " and " << shown.list2.size() << " entries";
}

Shown shownBy(FakeControls& controls) {
    return {controls.Text1.text,     controls.Text4.text,     controls.Label5.caption,
            controls.Label5.toolTip, controls.Label6.caption, controls.Label6.toolTip,
            controls.List1.entries,  controls.List2.entries};
}

// A server that behaves so from the start, or that changes under the open
// window: three paints reload at most once, and leave the window showing what
// a window started now shows after its first paint.
struct ServerRow {
    const char* what;
    bool fromTheStart;
    std::function<void(FakePrinting&)> behave;
};

void PrintTo(const ServerRow& row, std::ostream* out) {
    *out << row.what;
}

class ServerBehaviourTest : public PaintTest, public ::testing::WithParamInterface<ServerRow> {};

TEST_P(ServerBehaviourTest, ThreePaintsReloadAtMostOnceAndShowWhatAFreshStartShows) {
    const ServerRow& row = GetParam();
    fakes.printing.deviceCount = 2;
    if (row.fromTheStart) row.behave(fakes.printing);
    started();
    if (!row.fromTheStart) row.behave(fakes.printing);
    controls.window.onShow = [this] { paint(); };
    for (int i = 0; i < 3; ++i) paint();
    EXPECT_LE(reloads(), 1);

    FakeControls fresh(fakes.log);
    Veltrane freshWindow(fresh.controls(), fakes.services);
    freshWindow.Form_Load();
    freshWindow.Form_Paint();
    if (fakes.printing.deviceCount == 0) {  // the design keeps the rest as it was
        EXPECT_EQ(controls.Label5.caption, "No printers or fax programs");
        EXPECT_EQ(fresh.Label5.caption, "No printers or fax programs");
    } else {
        EXPECT_EQ(shownBy(controls), shownBy(fresh));
    }
}

INSTANTIATE_TEST_SUITE_P(
    , ServerBehaviourTest,
    ::testing::Values(
        ServerRow{"RefusesTheQueueList_401_403_500", true,
                  [](FakePrinting& server) { server.listFails = ErrorKind::ServiceFailure; }},
        ServerRow{"QueueListNeedsEncryptionItCannotHave_426", true,
                  [](FakePrinting& server) { server.listFails = ErrorKind::NoAnswer; }},
        ServerRow{"RefusesTheDefault", true,
                  [](FakePrinting& server) { server.unreadable = ErrorKind::ServiceFailure; }},
        ServerRow{"DoesNotAnswerForTheDefault", true,
                  [](FakePrinting& server) { server.unreadable = ErrorKind::NoAnswer; }},
        ServerRow{"RefusesTheDescription", true,
                  [](FakePrinting& server) { server.fontsFail = ErrorKind::ServiceFailure; }},
        ServerRow{"StallsOnTheDescription", true,
                  [](FakePrinting& server) { server.fontsFail = ErrorKind::NoAnswer; }},
        ServerRow{"LosesItsDefault", false,
                  [](FakePrinting& server) {
                      server.device.reset();
                      server.deviceCount = 1;
                  }},
        ServerRow{"LosesTheQueueLpoptionsNames", false,
                  [](FakePrinting& server) {
                      server.device.reset();
                      server.whyNone = "the default printer Office does not exist";
                  }},
        ServerRow{"Stops", false,
                  [](FakePrinting& server) {
                      server.device.reset();
                      server.deviceCount = 0;
                      server.whyNone = "no print server is running";
                  }},
        ServerRow{"RestartsWithAnotherDefaultRefusingTheQueueList", false,
                  [](FakePrinting& server) {
                      server.device = "Annex";
                      server.listFails = ErrorKind::ServiceFailure;
                  }},
        ServerRow{"RestartsWithAnotherDefault", false,
                  [](FakePrinting& server) {
                      server.device = "Annex";
                      server.fonts = {"Zeta", "beta"};
                  }}),
    [](const auto& row) { return std::string(row.param.what); });

// A default that goes away is a state of its own: Label5 then shows nothing and
// says why, List2 and Text4 are empty, as at a start; the default's return
// reloads again.
TEST_F(PaintTest, ADefaultThatGoesAwayIsShownAsNoneUntilOneComesBack) {
    started();
    fakes.printing.device.reset();
    paint();
    paint();
    EXPECT_EQ(reloads(), 1);
    EXPECT_EQ(controls.Label5.caption, "");
    EXPECT_EQ(controls.Label5.toolTip, "No default printer is set.");
    EXPECT_EQ(controls.Text4.text, "");
    EXPECT_TRUE(controls.List2.entries.empty());

    fakes.printing.whyNone = "the default printer nowhere does not exist";
    paint();
    EXPECT_EQ(reloads(), 2) << "another reason is another state";
    EXPECT_EQ(controls.Label5.toolTip, "The default printer nowhere does not exist.");

    fakes.printing.device = "Office";
    paint();
    paint();
    EXPECT_EQ(reloads(), 3);
    EXPECT_EQ(controls.Label5.caption, "Office");
    EXPECT_EQ(controls.List2.entries.size(), 3U);
}

// A server that asks a password for its queue list alone: the load counts the
// default's fonts and names it, cannot count the devices, and keeps what it
// wrote, as the design's table has it. No paint reloads for it.
TEST_F(PaintTest, ALoadThatCannotCountTheDevicesKeepsTheFontCountAndIsNotRepeated) {
    fakes.printing.listFails = ErrorKind::ServiceFailure;
    started();
    EXPECT_EQ(controls.Text4.text, "3");
    EXPECT_EQ(controls.Label6.caption, "");
    EXPECT_EQ(controls.Label5.caption, "Office");
    EXPECT_EQ(controls.Label5.toolTip, "Office\nThe print server refused a request.");
    for (int i = 0; i < 5; ++i) paint();
    EXPECT_EQ(reloads(), 0);

    fakes.printing.device = "Annex";
    paint();
    paint();
    EXPECT_EQ(reloads(), 1) << "another default, seen by the paint, reloads once";
}

}  // namespace
}  // namespace veltrane::testing
