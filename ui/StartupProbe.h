// Start-up measurement: with ORVELLA_STARTUP_PROBE set, the program reports what it first puts on screen.
#pragma once

class QWidget;

namespace StartupProbe {

// When the variable is set, the first time the window has been exposed and painted the process prints
// "shown <CLOCK_MONOTONIC nanoseconds>" on standard output and ends at once. Otherwise does nothing.
void reportFirstFrame(QWidget* window);

// When the variable is set, every message box is printed on standard output as "message <code> <prompt>"
// and answered OK instead of waiting for a person, so a start that ends in a message ends by itself.
void printMessages();

}  // namespace StartupProbe
