#include "QtClipboard.h"

#include <QClipboard>
#include <QGuiApplication>

#include "PlatformError.h"

namespace veltrane {

namespace {

QClipboard& clipboard() {
    QClipboard* clipboard = QGuiApplication::clipboard();
    if (clipboard == nullptr)
        throw PlatformError(ErrorKind::ServiceFailure, "there is no clipboard");
    return *clipboard;
}

}  // namespace

void QtClipboard::Clear() {
    clipboard().clear(QClipboard::Clipboard);
}

void QtClipboard::SetText(const std::string& text) {
    clipboard().setText(QString::fromStdString(text), QClipboard::Clipboard);
}

}  // namespace veltrane
