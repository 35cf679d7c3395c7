// SPDX-License-Identifier: GPL-2.0-or-later
// What each control of the two panels is called and does, in the user's language: tooltips,
// accessible names and descriptions, and a Tab order that reads as the panel does. Read-outs
// take no Tab stop.
#pragma once

#include <QString>

class QWidget;

class PanelAccess
{
public:
    static void describeImagePanel(QWidget *panel);
    static void describePtzPanel(QWidget *panel);

    // A function key of the image panel says what it does on the connected camera, or why
    // it is greyed.
    static void explainCameraKey(QWidget *key, const QString &camera, bool connected, bool can);

    // A preset key says whether its preset is stored, and its name; a stored one's caption
    // stands out.
    static void explainPresetKey(QWidget *key, int number, bool stored, const QString &name);

    // The full name of a toggle key showing `caption` (an English source caption).
    static QString toggleName(const char *caption);

private:
    static void describe(QWidget *control, const QString &name, const QString &tip);
};
