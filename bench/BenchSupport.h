// SPDX-License-Identifier: GPL-2.0-or-later
// What the benchmarks measure alike: CPU and wake-ups of this process's threads, percentiles,
// and a panel ready to be measured.
#pragma once

#include <vector>

class QObject;

namespace Bench {

// CPU time of this process's threads, to the nanosecond (rusage counts in scheduler ticks);
// without the main thread when `mainThread` is false.
double cpuSeconds(bool mainThread = true);

// Percent of a core used over `ms` of an idle event loop.
double idleCpu(int ms, bool mainThread = true);

// How often the threads of this process woke up, altogether.
long long wakeups();

// The value below which a share `p` (0 … 1) of `values` lies; 0 for none.
double percentile(std::vector<double> values, double p);

// Runs events until the panel has connected its camera, for at most 5 s.
void waitForCamera(const QObject &window);

} // namespace Bench
