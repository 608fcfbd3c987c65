#include "QuietApplication.h"

#include <cstdio>

namespace veltrane::bench {

namespace {

void onlyFaults(QtMsgType type, const QMessageLogContext&, const QString& message) {
    if (type == QtCriticalMsg || type == QtFatalMsg)
        std::fprintf(stderr, "%s\n", qPrintable(message));
}

// Before the application: Qt reads its platform and runtime folder as it starts.
int& prepared(int& argc, const testing::TempDir& runtime) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    qputenv("XDG_RUNTIME_DIR", runtime.path().c_str());
    qInstallMessageHandler(onlyFaults);
    return argc;
}

}  // namespace

QuietApplication::QuietApplication(int& argc, char** argv)
    : application_(prepared(argc, runtime_), argv) {}

}  // namespace veltrane::bench
