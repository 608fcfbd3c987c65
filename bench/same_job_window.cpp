// The yardstick for Veltrane's start: the same window doing the same job,
// written straight in Qt Widgets, libcups and fontconfig in one file, as a
// competent engineer would write it with no layer of its own: the thirteen
// controls at the design's places in the design's faces, both lists filled,
// sorted and showing entry 0, both samples in their fonts, the counts and the
// device's name, the window at the top of the screen, centred. No threads, no
// caches, no handling of errors beyond not crashing.
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"  // libcups's PPD functions

#include <cups/cups.h>
#include <cups/ppd.h>
#include <fontconfig/fontconfig.h>
#include <unistd.h>

#include <QApplication>
#include <QCollator>
#include <QFontDatabase>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QScreen>
#include <QTextEdit>

#include <algorithm>

namespace {

// Twips to pixels at 96 dots per inch.
int px(int twips) {
    return (twips + 7) / 15;
}

QFont font(const char* family, double points, bool bold) {
    QFont font(family);
    font.setPointSizeF(points);
    font.setBold(bold);
    return font;
}

template <typename Widget>
Widget* place(Widget* widget, int left, int top, int width, int height, const QFont& font) {
    widget->setGeometry(px(left), px(top), px(width), px(height));
    widget->setFont(font);
    return widget;
}

QLabel* label(QWidget* window, const QString& text, int left, int top, int width, int height,
              const QFont& font) {
    auto* label = place(new QLabel(text, window), left, top, width, height, font);
    label->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    label->setWordWrap(true);
    return label;
}

QLineEdit* countBox(QWidget* window, int left, const QFont& font) {
    auto* box = place(new QLineEdit(window), left, 1020, 1215, 495, font);
    box->setReadOnly(true);
    box->setAlignment(Qt::AlignCenter);
    return box;
}

QStringList sorted(QStringList names) {
    QCollator collator;
    collator.setCaseSensitivity(Qt::CaseInsensitive);
    std::sort(names.begin(), names.end(), collator);
    return names;
}

// The resident fonts of the default device's description and the system's
// scalable families; with the device's name and the number of devices.
QStringList printerFonts(QString& device, int& devices) {
    cups_dest_t* dests = nullptr;
    devices = cupsGetDests(&dests);
    QStringList fonts;
    if (cups_dest_t* dest = cupsGetDest(nullptr, nullptr, devices, dests)) {
        device = QString::fromUtf8(dest->name);
        if (const char* file = cupsGetPPD(dest->name)) {
            if (ppd_file_t* ppd = ppdOpenFile(file)) {
                for (int i = 0; i < ppd->num_fonts; ++i) fonts << QString::fromUtf8(ppd->fonts[i]);
                ppdClose(ppd);
            }
            unlink(file);
        }
        FcPattern* pattern = FcPatternBuild(nullptr, FC_SCALABLE, FcTypeBool, FcTrue, nullptr);
        FcObjectSet* objects = FcObjectSetBuild(FC_FAMILY, nullptr);
        FcFontSet* set = FcFontList(nullptr, pattern, objects);
        for (int i = 0; set != nullptr && i < set->nfont; ++i) {
            FcChar8* family = nullptr;
            if (FcPatternGetString(set->fonts[i], FC_FAMILY, 0, &family) == FcResultMatch) {
                const QString name = QString::fromUtf8(reinterpret_cast<const char*>(family));
                if (!fonts.contains(name)) fonts << name;
            }
        }
        FcFontSetDestroy(set);
        FcObjectSetDestroy(objects);
        FcPatternDestroy(pattern);
    }
    cupsFreeDests(devices, dests);
    return fonts;
}

}  // namespace

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    QWidget window(nullptr, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                                Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint |
                                Qt::WindowMinimizeButtonHint);
    window.setWindowTitle("Veltrane                 veltrane.example");
    window.setFixedSize(886, 706);
    const QFont heading = font("Liberation Sans Narrow", 14.25, true);
    const QFont sample = font("Liberation Sans", 24, false);
    const QFont list = font("Liberation Sans", 18, true);

    auto* text2 =
        place(new QTextEdit("Enter some text here!\n", &window), 3952, 900, 5355, 840, sample);
    text2->setAlignment(Qt::AlignHCenter);
    text2->setFrameStyle(QFrame::NoFrame);
    auto* list2 = place(new QListWidget(&window), 7455, 4140, 5130, 6150, list);
    auto* text4 = countBox(&window, 9420, heading);
    auto* command2 =
        place(new QPushButton("C&opy to Clipboard", &window), 8715, 3555, 2625, 495, heading);
    command2->setToolTip(" You may copy the printer font name to the clipboard by clicking here. ");
    auto* command1 =
        place(new QPushButton("&Copy to Clipboard", &window), 1920, 3555, 2625, 495, heading);
    command1->setToolTip(" You may copy the screen font name to the clipboard by clicking here. ");
    auto* text1 = countBox(&window, 2625, heading);
    auto* list1 = place(new QListWidget(&window), 660, 4140, 5130, 6150, list);
    auto* label6 = label(&window, "", 11340, 960, 1905, 765, heading);
    auto* label5 = label(&window, "", 6765, 480, 6525, 420, heading);
    auto* label4 = label(&window, "", 6840, 1770, 6375, 1725, sample);
    auto* label3 = label(&window, "", 45, 1770, 6375, 1725, sample);
    label(&window, "Number of Fonts on the Default Printer/Fax Device:", 6825, 60, 6525, 420,
          heading);
    label(&window, "Number of Screen Fonts", 1740, 60, 2970, 420, heading);

    const QStringList screenFonts = sorted(QFontDatabase::families());
    list1->addItems(screenFonts);
    text1->setText(QString::number(screenFonts.size()));
    QString device;
    int devices = 0;
    const QStringList deviceFonts = sorted(printerFonts(device, devices));
    list2->addItems(deviceFonts);
    text4->setText(QString::number(deviceFonts.size()));
    label5->setText(device);
    label6->setText("Number of Devices: " + QString::number(devices));
    list1->setCurrentRow(0);
    list2->setCurrentRow(0);
    if (list1->currentItem() != nullptr) {
        label3->setFont(font(qPrintable(list1->currentItem()->text()), 24, false));
        label3->setText(list1->currentItem()->text());
        text2->setFont(label3->font());
    }
    if (list2->currentItem() != nullptr) {
        label4->setFont(font(qPrintable(list2->currentItem()->text()), 24, false));
        label4->setText(list2->currentItem()->text());
    }

    window.move((application.primaryScreen()->geometry().width() - px(13380)) / 2, 0);
    window.show();
    list1->setFocus();
    return QApplication::exec();
}
