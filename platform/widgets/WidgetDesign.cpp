#include "WidgetDesign.h"

#include <QGuiApplication>
#include <QImageReader>
#include <QPixmap>
#include <QScreen>

#include "AccessibleKinds.h"
#include "Twips.h"

namespace veltrane {

namespace {

QFont designFont(const FontDesign& design, InstalledFonts& fonts) {
    QString family = QString::fromStdString(design.name);
    if (!fonts.contains(family)) {
        if (family == QLatin1String("Arial Narrow"))
            family = QStringLiteral("Liberation Sans Narrow");
        // Narrow enough that the sample box's "Enter some text here!" fits one line at 24 points.
        if (family == QLatin1String("MS Sans Serif")) family = QStringLiteral("Liberation Sans");
    }
    QFont font(family);
    font.setPointSizeF(design.points);
    font.setWeight(design.weight >= 700 ? QFont::Bold : QFont::Normal);
    return font;
}

QString text(const std::string& utf8) {
    return QString::fromStdString(utf8);
}

}  // namespace

Qt::WindowFlags titleBarFlags(const FormDesign& design) {
    return Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
           Qt::WindowCloseButtonHint |
           (design.minimizeButton ? Qt::WindowMinimizeButtonHint : Qt::Widget) |
           (design.maximizeButton ? Qt::WindowMaximizeButtonHint : Qt::Widget);
}

// PNG images, read as such: Qt reads PNG itself, where an ICO file, or an image
// whose format it is left to guess, has it load every image plugin first.
QIcon iconOf(const std::vector<std::string>& images) {
    QIcon icon;
    for (const std::string& image : images) {
        QImageReader reader(QString::fromStdString(image), "png");
        reader.setAutoDetectImageFormat(false);
        icon.addPixmap(QPixmap::fromImage(reader.read()));
    }
    return icon;
}

double logicalDpi() {
    const QScreen* screen = QGuiApplication::primaryScreen();
    return screen != nullptr ? screen->logicalDotsPerInch() : 96.0;
}

void applyDesign(QWidget& control, const ControlDesign& design, InstalledFonts& fonts) {
    const double dpi = logicalDpi();
    control.setGeometry(twipsToPixels(design.left, dpi), twipsToPixels(design.top, dpi),
                        twipsToPixels(design.width, dpi), twipsToPixels(design.height, dpi));
    control.setFont(designFont(design.font, fonts));
    if (!design.toolTip.empty()) setToolTip(control, text(design.toolTip));
    if (!design.accessibleName.empty()) control.setAccessibleName(text(design.accessibleName));
    if (!design.accessibleDescription.empty()) {
        control.setAccessibleDescription(text(design.accessibleDescription));
    }
}

}  // namespace veltrane
