// Start-up measurement: with ORVELLA_STARTUP_PROBE set, a window reports when it is first on screen.
#pragma once

class QWidget;

namespace StartupProbe {

// When the variable is set, the first time the window has been exposed and painted the process prints
// "shown <CLOCK_MONOTONIC nanoseconds>" on standard output and ends at once. Otherwise does nothing.
void reportFirstFrame(QWidget* window);

}  // namespace StartupProbe
