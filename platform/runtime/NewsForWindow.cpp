#include "NewsForWindow.h"

#include <QMetaObject>

namespace veltrane {

NewsForWindow::NewsForWindow(VeltraneWindow& window, DesktopServices& desktop) : desktop_(desktop) {
    CupsPrinting& printing = desktop.printing();
    printing.onAnswer([&window, &printing] {
        QMetaObject::invokeMethod(
            &window,
            [&window, &printing] { printing.showAnswer([&window] { window.requestPaint(); }); },
            Qt::QueuedConnection);
    });
    desktop.fonts().onScan([&window] {
        QMetaObject::invokeMethod(&window, &VeltraneWindow::requestPaint, Qt::QueuedConnection);
    });
}

NewsForWindow::~NewsForWindow() {
    desktop_.printing().onAnswer(nullptr);
    desktop_.fonts().onScan(nullptr);
}

}  // namespace veltrane
