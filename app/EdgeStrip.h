// SPDX-License-Identifier: GPL-2.0-or-later
// A strip left on the desktop while the window hides at its right edge. Its picture is taken
// when it is first shown: Qt styles a window's hidden widgets with it, and most panels are
// never hidden at the edge.
#pragma once

#include <QLabel>

class EdgeStrip : public QLabel
{
public:
    using QLabel::QLabel;

protected:
    void showEvent(QShowEvent *event) override;
};
