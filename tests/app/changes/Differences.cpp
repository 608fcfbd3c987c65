#include "Differences.h"

#include <algorithm>

namespace veltrane::testing {

namespace {

bool sameScreenSide(const HeardWindow& a, const HeardWindow& b) {
    return a.text1 == b.text1 && a.list1.entries == b.list1.entries;
}

bool sameDevice(const HeardWindow& a, const HeardWindow& b) {
    return a.label5 == b.label5 && a.label5Tooltip == b.label5Tooltip;
}

bool samePrinterSide(const HeardWindow& a, const HeardWindow& b) {
    return sameDevice(a, b) && a.text4 == b.text4 && a.list2.entries == b.list2.entries;
}

// No reload: the window shows the printer side it last loaded.
HeardWindow printerSideKept(HeardWindow expected, const HeardWindow& before) {
    expected.text4 = before.text4;
    expected.label5 = before.label5;
    expected.label5Tooltip = before.label5Tooltip;
    expected.label6 = before.label6;
    expected.label6Tooltip = before.label6Tooltip;
    expected.list2 = before.list2;
    expected.list1.selected = before.list1.selected;
    return expected;
}

// The entry of the name selected before, else entry 0.
void keepSelectedName(HeardList& expected, const HeardList& before) {
    if (expected.entries.empty()) return;
    const auto named = before.selected ? std::find(expected.entries.begin(), expected.entries.end(),
                                                   before.entries[*before.selected])
                                       : expected.entries.end();
    expected.selected = named == expected.entries.end()
                            ? 0
                            : static_cast<std::size_t>(named - expected.entries.begin());
}

using Windows = std::vector<HeardWindow>;

// A row of the table of declared differences: when it applies, and what the
// open window may show instead of what the fresh start shows.
struct Row {
    Difference difference;
    const char* name;
    bool (*applies)(const Facts&, const HeardWindow& before, const HeardWindow& fresh);
    Windows (*expect)(const HeardWindow& fresh, const HeardWindow& before);
};

// Fonts do not change while a server is stopped, so the screen side stays as it was.
const Row kDifferences[] = {
    {Difference::StoppedServer, "a stopped server",
     [](const Facts& facts, const HeardWindow&, const HeardWindow&) { return facts.serverStopped; },
     [](const HeardWindow& fresh, const HeardWindow& before) {
         return Windows{printerSideKept(fresh, before)};
     }},
    {Difference::EveryPrinterGone, "every printer gone",
     [](const Facts& facts, const HeardWindow& before, const HeardWindow& fresh) {
         return facts.noPrinters && sameScreenSide(before, fresh);
     },
     [](const HeardWindow& fresh, const HeardWindow& before) {
         HeardWindow expected = printerSideKept(fresh, before);
         expected.label5 = "No printers or fax programs";
         expected.label5Tooltip = "";
         return Windows{expected};
     }},
    // Label6 may keep what the window last loaded, or show what a reload for
    // the fonts' folders, changed or not, reads.
    {Difference::BesideTheSameDefault, "a queue beside the same default",
     [](const Facts&, const HeardWindow& before, const HeardWindow& fresh) {
         return sameScreenSide(before, fresh) && samePrinterSide(before, fresh);
     },
     [](const HeardWindow& fresh, const HeardWindow& before) {
         HeardWindow reloaded = fresh;
         reloaded.list1.selected = before.list1.selected;
         reloaded.list2.selected = before.list2.selected;
         HeardWindow kept = reloaded;
         kept.label6 = before.label6;
         kept.label6Tooltip = before.label6Tooltip;
         return Windows{kept, reloaded};
     }},
    {Difference::FontsAlone, "a reload for fonts alone",
     [](const Facts&, const HeardWindow& before, const HeardWindow& fresh) {
         return !sameScreenSide(before, fresh) && sameDevice(before, fresh);
     },
     [](const HeardWindow& fresh, const HeardWindow& before) {
         HeardWindow expected = fresh;
         keepSelectedName(expected.list1, before.list1);
         keepSelectedName(expected.list2, before.list2);
         return Windows{expected};
     }},
};

}  // namespace

const char* nameOf(Difference difference) {
    for (const Row& row : kDifferences) {
        if (row.difference == difference) return row.name;
    }
    return "none: the fresh start as it is";
}

Expected expectedWindow(const HeardWindow& before, const HeardWindow& fresh, const Facts& facts) {
    for (const Row& row : kDifferences) {
        if (row.applies(facts, before, fresh)) return {row.expect(fresh, before), row.difference};
    }
    return {{fresh}, Difference::None};
}

bool Expected::accepts(const HeardWindow& shown) const {
    return std::find(windows.begin(), windows.end(), shown) != windows.end();
}

}  // namespace veltrane::testing
