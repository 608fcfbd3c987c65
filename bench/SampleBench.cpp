#include <QApplication>
#include <QKeyEvent>
#include <QListView>

#include <cstdio>

#include "Benches.h"
#include "DesktopServices.h"
#include "Timing.h"
#include "VeltraneControls.h"
#include "VeltraneUnderTest.h"

namespace veltrane::bench {

void benchSamples() {
    DesktopServices desktop;
    VeltraneUnderTest window(desktop.services(), desktop.epoch());
    window.engine().start();
    QApplication::processEvents();

    auto* list = qobject_cast<QListView*>(window.engine().widget(names::List1.text));
    QWidget* label = window.engine().widget(names::Label3.text);
    QWidget* text = window.engine().widget(names::Text2.text);
    const int fonts = list->model()->rowCount();
    list->setCurrentIndex(list->model()->index(0, 0));
    Timings timings;
    double slowest = 0;
    std::string slowestFont;
    // Each step shows a font for the first time: its loading is part of the cost.
    for (int row = 1; row < fonts; ++row) {
        QKeyEvent press(QEvent::KeyPress, Qt::Key_Down, Qt::NoModifier);
        QApplication::sendEvent(list, &press);
        const double ms = Timings::time([&] {
            QKeyEvent release(QEvent::KeyRelease, Qt::Key_Down, Qt::NoModifier);
            QApplication::sendEvent(list, &release);
            label->repaint();
            text->repaint();
        });
        timings.add(ms);
        if (ms > slowest) {
            slowest = ms;
            slowestFont = list->currentIndex().data().toString().toStdString();
        }
    }
    std::printf(
        "%-68s median %8.3f ms  p99 %8.3f ms  worst %8.3f ms (%s)  (target p99 < 16 ms, "
        "%d fonts)\n",
        "key release in List1 to sample and Text2 rendered", timings.median(), timings.p99(),
        timings.worst(), slowestFont.c_str(), fonts - 1);
}

}  // namespace veltrane::bench
