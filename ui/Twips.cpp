// Twips to logical pixels and back.
#include "ui/Twips.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

namespace Twips {

int toPixels(int twips) {
    const int whole = twips / kPerPixel;
    const int rest = twips % kPerPixel;
    if (2 * rest >= kPerPixel) {
        return whole + 1;
    }
    if (2 * rest <= -kPerPixel) {
        return whole - 1;
    }
    return whole;
}

int fromPixels(int pixels) {
    return pixels * kPerPixel;
}

QSize size(int width, int height) {
    return {toPixels(width), toPixels(height)};
}

QRect rect(int left, int top, int width, int height) {
    return {toPixels(left), toPixels(top), toPixels(width), toPixels(height)};
}

void place(QWidget* widget, int left, int top, int width, int height) {
    widget->setGeometry(rect(left, top, width, height));
}

QSize screenSize() {
    const QScreen* screen = QGuiApplication::primaryScreen();
    if (screen == nullptr) {
        return {};
    }
    const QSize pixels = screen->geometry().size();
    return {fromPixels(pixels.width()), fromPixels(pixels.height())};
}

}  // namespace Twips
