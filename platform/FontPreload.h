// SPDX-License-Identifier: GPL-2.0-or-later
// Reads the system's font setup on a second core while the application object connects to
// the display: the first font the forms ask for would otherwise wait for it, and it is a
// fifth of the start. Windows has nothing to read.
#pragma once

#include <thread>

class FontPreload
{
public:
    FontPreload();
    ~FontPreload();
    FontPreload(const FontPreload &) = delete;
    FontPreload &operator=(const FontPreload &) = delete;

    // Before the first font is used: Qt would read it all again beside this one.
    void wait();

private:
    std::thread reader;
};
