// Carries out commands in the running panel the way its own controls do: through the main
// window's slots, found by name, so the window, its sliders and the camera stay in step and
// the trace shows every command.
#pragma once

#include "Command.h"

#include <QJsonArray>
#include <QJsonObject>
#include <QObject>
#include <QTimer>

class QWidget;

class PanelCommands : public QObject
{
    Q_OBJECT

public:
    explicit PanelCommands(QWidget &window);

    Outcome run(const Command &command);
    // A later start's arguments, in order; none: show the window.
    Outcome runAll(const QStringList &arguments);
    // What the panel shows: its camera, image values, modes and last read position.
    QJsonObject state() const;
    QJsonArray cameras() const;

private:
    bool invoke(const char *slot) const;
    bool invoke(const char *slot, int argument) const;
    template <typename T> T *child(const char *name) const;
    // Done when the connected camera can do `capability`, else why not.
    Outcome cannot(uint capability, const char *what) const;
    // Whether the camera refused what the last preset or position key asked.
    bool refused() const;
    void stopMotion();
    void stopZoom();

    QWidget &window;
    QTimer motionTimer; // a --move with --for
    QTimer zoomTimer;   // a --zoom with --for
};
