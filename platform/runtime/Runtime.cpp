#include "Runtime.h"

#include <QApplication>

#include <malloc.h>

#include <cstdlib>
#include <iostream>

#include "DesktopServices.h"
#include "PlatformError.h"
#include "WindowEngine.h"

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
    // the print server.
    mallopt(M_ARENA_MAX, 1);
    preferX11();
    DesktopServices desktop;  // the fonts' first scan starts now, beside Qt's start
    QApplication application(argc, argv);
    desktop.fonts().useFirstScan();
    QApplication::setApplicationName(QString::fromStdString(project.name));
    QApplication::setApplicationVersion(QString::fromStdString(project.version));
    QGuiApplication::setDesktopFileName(QString::fromStdString(project.desktopEntry));
    // After Qt's start, which may change the environment the server's thread reads.
    desktop.prefetchPrinting();

    std::unique_ptr<WindowEngine> engine;
    try {
        engine = std::make_unique<WindowEngine>(project, desktop.services(), desktop.epoch(),
                                                desktop.fonts());
    } catch (const PlatformError& error) {
        // A design and logic that do not fit together: nothing to show.
        std::cerr << "veltrane: cannot start: " << error.what() << std::endl;
        return 1;
    }
    engine->start();
    QApplication::exec();
    return 0;
}

}  // namespace veltrane
