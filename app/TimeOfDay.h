// The time of day as the main window's wait reads it; tests may substitute the clock.
#pragma once

#include <QTime>

namespace TimeOfDay {

QTime now();
// nullptr restores the system clock.
void setSourceForTesting(QTime (*source)());

} // namespace TimeOfDay
