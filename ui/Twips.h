// Window geometry in twips (1/1440 inch), as the windows are laid out, turned into Qt's logical pixels.
#pragma once

#include <QRect>
#include <QSize>

class QWidget;

namespace Twips {

// 96 logical pixels an inch: 15 twips a pixel.
inline constexpr int kPerPixel = 15;

// Rounded to the nearest pixel, halves away from zero.
int toPixels(int twips);
int fromPixels(int pixels);

QSize size(int width, int height);
QRect rect(int left, int top, int width, int height);

// Places the widget in its parent's coordinates.
void place(QWidget* widget, int left, int top, int width, int height);

// The primary screen's size in twips.
QSize screenSize();

}  // namespace Twips
