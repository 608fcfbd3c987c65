#include <QApplication>
#include <QKeyEvent>
#include <QListView>

#include <cstdio>
#include <fstream>
#include <sstream>

#include "Benches.h"
#include "DesktopServices.h"
#include "Process.h"
#include "TempDir.h"
#include "VeltraneUnderTest.h"

namespace veltrane::bench {

namespace {

// bench/make-scale-fonts names its families by two words and five digits.
bool generated(const std::string& family) {
    const std::size_t digits = family.find_last_not_of("0123456789");
    return digits != std::string::npos && family.size() - digits - 1 == 5 && family[digits] == ' ';
}

// The bare Qt label and text box stepping through the same families, in a
// process of their own so that every font is new to them as well.
Timings bareSteps(const std::vector<std::string>& families) {
    const testing::TempDir folder("veltrane-samples");
    const std::string list = folder / "families";
    std::ofstream(list) << [&] {
        std::string text;
        for (const std::string& family : families) text += family + "\n";
        return text;
    }();
    std::istringstream times(testing::Process::capture({SAMPLE_YARDSTICK_EXECUTABLE, list}));
    Timings steps;
    for (double ms = 0; times >> ms;) steps.add(ms);
    return steps;
}

}  // namespace

void benchSamples() {
    DesktopServices desktop;
    VeltraneUnderTest window(desktop.services(), desktop.fonts());
    window.start();
    QApplication::processEvents();

    auto* list = window.window().findChild<QListView*>("List1");
    auto* label = window.window().findChild<QWidget*>("Label3");
    auto* text = window.window().findChild<QWidget*>("Text2");
    list->setCurrentIndex(list->model()->index(0, 0));
    Timings ownSteps;
    Timings generatedSteps;
    std::vector<std::string> ownFamilies;
    std::vector<std::string> generatedFamilies;
    // Each step shows a font for the first time: its loading is part of the cost.
    for (int row = 1; row < list->model()->rowCount(); ++row) {
        QKeyEvent press(QEvent::KeyPress, Qt::Key_Down, Qt::NoModifier);
        QApplication::sendEvent(list, &press);
        const double ms = Timings::time([&] {
            QKeyEvent release(QEvent::KeyRelease, Qt::Key_Down, Qt::NoModifier);
            QApplication::sendEvent(list, &release);
            label->repaint();
            text->repaint();
        });
        const std::string family = list->currentIndex().data().toString().toStdString();
        if (generated(family)) {
            generatedSteps.add(ms);
            if (generatedFamilies.size() < 300) generatedFamilies.push_back(family);
        } else {
            ownSteps.add(ms);
            ownFamilies.push_back(family);
        }
    }
    const std::string step = "key release in List1 to sample and Text2 rendered,";
    if (!generatedSteps.empty()) {
        generatedSteps.reportSteps(step + " generated families", "(target p99 < 8 ms) ");
        bareSteps(generatedFamilies)
            .reportSteps("  300 of the same steps in a bare Qt label and text box", "");
    }
    ownSteps.reportSteps(step + " the machine's own families", "");
    bareSteps(ownFamilies).reportSteps("  the same steps in a bare Qt label and text box", "");
}

}  // namespace veltrane::bench
