#pragma once

#include <QGuiApplication>
#include <QScreen>

namespace veltrane {

// Twips become pixels at the primary screen's logical dots per inch.
inline double logicalDpi() {
    const QScreen* screen = QGuiApplication::primaryScreen();
    return screen != nullptr ? screen->logicalDotsPerInch() : 96.0;
}

}  // namespace veltrane
