# SPDX-License-Identifier: GPL-2.0-or-later
# Sourced by the start-up benchmarks: what they read of a running program, and medians.

# Resident memory of a process, in KiB.
rss_kib() {
    awk '/^VmRSS:/ { print $2 }' /proc/"$1"/status
}

# Shared libraries (and plugins, modules) a process has mapped.
libraries() {
    awk '$6 ~ /\.so/ { print $6 }' /proc/"$1"/maps | sort -u | wc -l
}

# The median of the numbers on standard input, one a line.
median() {
    sort -g | awk '{ v[NR] = $1 } END { if (NR % 2) print v[(NR + 1) / 2]; else printf "%.2f\n", (v[NR / 2] + v[NR / 2 + 1]) / 2 }'
}
