// What `ptz-panel` was started with: the panel's own options, in order. Options of one dash
// are Qt's (-platform, -style ...) and left to the application object.
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
    // --http [ADDRESS:]PORT, --http-token TOKEN
    QString httpAddress;
    int httpPort = 0;
    QString httpToken;
    // --add-camera LINE (add) and --remove-camera NAME, carried out before the commands.
    struct CameraEdit
    {
        bool add = true;
        QString text;
    };
    QVector<CameraEdit> cameraEdits;

    static QString usage();
    static QString helpText();
};
