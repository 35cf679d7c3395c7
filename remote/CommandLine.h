// SPDX-License-Identifier: GPL-2.0-or-later
// What `ptz-panel` was started with: the panel's own options, in order. Options of one dash
// are Qt's (-platform, -style ...) and left to the application object; any other is a usage
// error, as is an unknown option or a number out of its range.
#pragma once

#include "Command.h"

#include <QString>
#include <QStringList>
#include <QVector>

class CommandLine
{
public:
    static CommandLine parse(const QStringList &arguments); // without the program name

    QVector<Command> commands;
    bool help = false;
    bool version = false;
    QString error; // a usage error: what was wrong
    // --http [ADDRESS:]PORT, --http-token TOKEN or --http-token-file FILE
    QString httpAddress;
    int httpPort = 0;
    QString httpToken;
    QString httpTokenFile;
    QString platform; // Qt's -platform, when given
    // --guard-program: remote moves and recalls on a camera on program need "force".
    bool guardProgram = false;
    // --osc [ADDRESS:]PORT, --osc-allow HOST[,HOST], --osc-feedback HOST:PORT
    QString oscAddress;
    int oscPort = 0;
    QStringList oscAllowed;
    QString oscFeedback;
    // --add-camera LINE (add) and --remove-camera NAME, carried out before the commands.
    struct CameraEdit
    {
        bool add = true;
        QString text;
    };
    QVector<CameraEdit> cameraEdits;
    // --discover [HOST[:PORT]|INTERFACE[,INTERFACE]]: list the cameras that answer, and exit.
    bool discover = false;
    QString discoverHost;

    // For --http: the token from --http-token, else from --http-token-file (only a regular
    // file of the user's that no one else may read), else from PTZ_PANEL_HTTP_TOKEN. False,
    // with why, when the file cannot be used.
    bool readToken(QString &why);

    // What the command line prints of what `command` found: one line per camera or preset, or
    // the position as PAN,TILT.
    static QString print(const Command &command, const Outcome &outcome);

    static QString usage();
    static QString helpText();
    // `text` safe to print on a terminal: control characters escaped (line breaks and the
    // tabs print() puts between fields kept when `lines`; print() escapes the names it puts).
    static QString printable(const QString &text, bool lines = false);
};
