#include "TimeOfDay.h"

namespace {

QTime (*source)() = nullptr;

} // namespace

namespace TimeOfDay {

QTime now()
{
    return source ? source() : QTime::currentTime();
}

void setSourceForTesting(QTime (*replacement)())
{
    source = replacement;
}

} // namespace TimeOfDay
