#include "QtForm.h"

#include <QEvent>
#include <QIcon>
#include <QImageReader>
#include <QPixmap>
#include <QWindow>

#include "QtDpi.h"
#include "Twips.h"

namespace veltrane {

namespace {

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

}  // namespace

QtForm::QtForm(const FormDesign& design, EventDispatcher& dispatcher)
    : QWidget(nullptr, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                           Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint |
                           (design.minimizeButton ? Qt::WindowMinimizeButtonHint : Qt::Widget) |
                           (design.maximizeButton ? Qt::WindowMaximizeButtonHint : Qt::Widget)),
      design_(design),
      dispatcher_(dispatcher) {
    setObjectName(QString::fromStdString(design.name));
    setWindowTitle(QString::fromStdString(design.caption));
    setWindowIcon(iconOf(design.iconImages));
    const double dpi = logicalDpi();
    setFixedSize(twipsToPixels(design.clientWidth, dpi), twipsToPixels(design.clientHeight, dpi));
    // Not created here: Qt places a window moved before it exists by its frame,
    // title bar included, once the window manager has framed it; a created
    // window whose frame is not yet known would be placed by its client area.
}

void QtForm::SetTop(float twips) {
    top_ = twips;
    place();
}

void QtForm::SetLeft(float twips) {
    left_ = twips;
    place();
}

void QtForm::place() {
    const double dpi = logicalDpi();
    move(twipsToPixels(left_, dpi), twipsToPixels(top_, dpi));
}

float QtForm::Width() {
    // Until the window manager has told the frame's size, the design's outer
    // width is the best account of it.
    const QRect frame = frameGeometry();
    if (frame.size() == geometry().size()) return static_cast<float>(design_.outerWidth);
    return static_cast<float>(pixelsToTwips(frame.width(), logicalDpi()));
}

void QtForm::Hide() {
    hide();
}

void QtForm::Show() {
    show();
    raise();
    activateWindow();
}

bool QtForm::event(QEvent* event) {
    // Shown means created, and the first expose is still to come.
    if (event->type() == QEvent::Show) windowHandle()->installEventFilter(this);
    const bool handled = QWidget::event(event);
    if (event->type() == QEvent::WindowActivate) raisePaint();
    return handled;
}

bool QtForm::eventFilter(QObject* watched, QEvent* event) {
    if (watched == windowHandle() && event->type() == QEvent::Expose &&
        windowHandle()->isExposed()) {
        raisePaint();
    }
    return QWidget::eventFilter(watched, event);
}

void QtForm::raisePaint() {
    dispatcher_.raise("Form_Paint", paint_);
}

}  // namespace veltrane
