// The yardsticks for Veltrane's start: a bare Qt window of the same size, and
// with "text" as its argument the same window showing one line of text, which
// makes Qt load its font database as any window with text must.
#include <QApplication>
#include <QLabel>
#include <QWidget>

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    QWidget window;
    window.setFixedSize(886, 706);
    QLabel label(&window);
    if (argc > 1 && QString(argv[1]) == "text") label.setText("Number of Screen Fonts");
    window.show();
    return QApplication::exec();
}
