#include "Runtime.h"

#include <QApplication>

#include <malloc.h>

#include <cstdlib>

#include "AccessibleKinds.h"
#include "DesktopServices.h"
#include "NewsForWindow.h"
#include "VeltraneWindow.h"

namespace veltrane {

namespace {

// A Wayland client cannot place its own window, and the window must open at the
// top edge of the screen: where the desktop also offers an X server, use that.
void preferX11() {
    if (std::getenv("QT_QPA_PLATFORM") == nullptr && std::getenv("WAYLAND_DISPLAY") != nullptr &&
        std::getenv("DISPLAY") != nullptr) {
        qputenv("QT_QPA_PLATFORM", "xcb");
    }
}

}  // namespace

int runProject(const Project& project, int argc, char** argv) {
    // One malloc arena for the program's few threads, which seldom allocate at
    // once: an arena of its own would keep megabytes for the thread that asks
    // the print server. No fast bins: the lists' tens of thousands of small
    // names would have them consolidated at every large allocation, a tenth
    // of the start at 30,000 families.
    mallopt(M_ARENA_MAX, 1);
    mallopt(M_MXFAST, 0);
    preferX11();
    DesktopServices desktop;
    desktop.fonts().startScans();  // beside Qt's start
    QApplication application(argc, argv);
    // After Qt's start, which may change the environment the server's reads
    // read, and beside the rest of it.
    CupsPrinting& printing = desktop.printing();
    printing.start();
    QApplication::setApplicationName(QString::fromStdString(project.name));
    QApplication::setApplicationVersion(QString::fromStdString(project.version));
    QGuiApplication::setDesktopFileName(QString::fromStdString(project.desktopEntry));
    desktop.fonts().useFirstScan();
    // Before the window exists: each control takes the default font, and tells
    // a screen reader what it is, as it is made.
    desktop.fonts().useInstalledDefaultFamily();
    installAccessibleKinds();

    VeltraneWindow window(project.design, desktop.fonts());
    const std::unique_ptr<FormProcedures> logic =
        project.createLogic(window.controls(), desktop.services());
    const NewsForWindow news(window, desktop);
    printing.takeFirstAnswer();
    window.start(*logic);
    return QApplication::exec();
}

}  // namespace veltrane
