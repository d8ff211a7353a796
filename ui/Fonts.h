// The program's fonts: Tahoma 8.25 pt, which the twips layouts are measured for, and the splash's title font.
#pragma once

#include <QFont>

namespace Fonts {

// Tahoma 8.25 pt. The free Tahoma of the wine fonts is loaded on first use; without it the system's sans.
QFont tahoma(bool bold = false);

// Verdana 26.25 pt bold, or DejaVu Sans where there is no Verdana.
QFont splashTitle();

// Makes Tahoma 8.25 pt every widget's default font.
void useTahomaForApplication();

}  // namespace Fonts
