// The yardsticks for Veltrane's start: a bare Qt window of the same size, and
// with "text" as its argument the same window showing one line of text, which
// makes Qt load its font database as any window with text must. With
// "refill FONT", no window: the milliseconds Qt takes to fill its font
// database again once an application font has been added and removed, as
// after a change of the installed fonts.
#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QFontDatabase>
#include <QLabel>
#include <QWidget>

#include <cstdio>

int main(int argc, char** argv) {
    if (argc > 2 && QString(argv[1]) == "refill") {
        qputenv("QT_QPA_PLATFORM", "offscreen");
        QGuiApplication application(argc, argv);
        QFontDatabase::families();
        QFile font(QString::fromLocal8Bit(argv[2]));
        if (!font.open(QIODevice::ReadOnly)) return 1;
        QElapsedTimer timer;
        timer.start();
        QFontDatabase::removeApplicationFont(
            QFontDatabase::addApplicationFontFromData(font.readAll()));
        QFontDatabase::families();
        std::printf("%lld\n", static_cast<long long>(timer.elapsed()));
        return 0;
    }
    QApplication application(argc, argv);
    QWidget window;
    window.setFixedSize(886, 706);
    QLabel label(&window);
    if (argc > 1 && QString(argv[1]) == "text") label.setText("Number of Screen Fonts");
    window.show();
    return QApplication::exec();
}
