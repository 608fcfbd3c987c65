// The yardstick of the sample steps: a bare Qt label and text box at 24 points
// showing each family named in FILE in that family, one after the other, each
// font used for the first time; prints each step's milliseconds, a line each.
#include <QApplication>
#include <QLabel>
#include <QTextEdit>

#include <chrono>
#include <cstdio>
#include <fstream>
#include <string>

int main(int argc, char** argv) {
    if (argc != 2) return 2;
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    qInstallMessageHandler([](QtMsgType, const QMessageLogContext&, const QString&) {});
    QApplication application(argc, argv);
    QWidget window;
    window.setFixedSize(886, 706);
    QLabel label(&window);
    label.setGeometry(3, 118, 425, 115);
    label.setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    label.setWordWrap(true);
    QTextEdit text(&window);
    text.setGeometry(263, 60, 357, 56);
    text.setPlainText(QStringLiteral("Enter some text here!\n"));
    window.show();
    QApplication::processEvents();
    std::ifstream families(argv[1]);
    for (std::string family; std::getline(families, family);) {
        const auto start = std::chrono::steady_clock::now();
        QFont font(QString::fromStdString(family));
        font.setPointSizeF(24);
        label.setFont(font);
        label.setText(QString::fromStdString(family));
        text.setFont(font);
        label.repaint();
        text.repaint();
        std::printf("%.4f\n", std::chrono::duration<double, std::milli>(
                                  std::chrono::steady_clock::now() - start)
                                  .count());
    }
    return 0;
}
