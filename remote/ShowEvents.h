// SPDX-License-Identifier: GPL-2.0-or-later
// What a show controller is told of every camera the panel drives: connection, motion,
// position, presets, image and tally, as one JSON object per event, each naming its camera.
// It also keeps the latest of each, so that a new listener learns the state first, and the
// tally, which the guard of a camera on program reads.
#pragma once

#include <QElapsedTimer>
#include <QJsonObject>
#include <QObject>
#include <QStringList>
#include <QTimer>
#include <QVector>

#include <functional>
#include <map>
#include <memory>

class CameraSession;

class ShowEvents : public QObject
{
    Q_OBJECT

public:
    ShowEvents();
    ~ShowEvents() override;

    // Events of `session` (connection, image values changed elsewhere, positions read) as
    // those of the camera `name` gives at the time; while a listener is there, its position
    // is read as it moves. The session outlives this.
    void follow(CameraSession &session, std::function<QString()> name);

    void connection(const QString &camera, bool connected);
    // `what`: "pan-tilt" or "zoom"; told only when it changes.
    void moving(const QString &camera, const QString &what, bool moving, const QString &by);
    // At most PositionsPerSecond per camera; the last of a burst is told when its turn comes.
    void position(const QString &camera, int pan, int tilt);
    // `action`: "recalled", "arrived" (a glide's end), "stored", "cleared" or "named".
    void preset(const QString &camera, const QString &action, int preset, const QString &by,
                const QString &name = {});
    void image(const QString &camera, const QJsonObject &values);
    void tally(const QString &camera, int state);
    // How the camera answers (HEALTH_...; -1: not open), told as it changes.
    void health(const QString &camera, int state);
    // `action` of shot `shot`: "started", "camera arrived" (with its "camera"), "arrived".
    void shot(const QString &shot, const QString &action, QJsonObject fields);
    // `action` of tour `tour` on `camera`: "step", "ended".
    void tour(const QString &tour, const QString &camera, const QString &action,
              QJsonObject fields);

    int tallyOf(const QString &camera) const; // 0 off until told
    bool toldTally(const QString &camera) const;
    bool isMoving(const QString &camera) const;
    // What a new listener is told first: a "state" event per camera.
    QVector<QJsonObject> current(const QStringList &cameras) const;

    // Whether anyone listens (streams, OSC feedback): positions are read only then.
    void listen(bool more);

    static constexpr int PositionsPerSecond = 5;

signals:
    void happened(const QJsonObject &event);

private:
    struct Camera
    {
        bool connected = false;
        bool panTilt = false;
        bool zoom = false;
        bool hasPosition = false;
        int pan = 0, tilt = 0;
        bool tallyTold = false;
        int tally = 0;
        int lastPreset = -1;
        int health = -1;
        QElapsedTimer positionSent;
        bool positionHeld = false; // a position waits for its turn
        std::unique_ptr<QTimer> positionTurn;
        bool readOnceMore = false; // one more read after it stopped, for where it ended
    };
    struct Followed
    {
        CameraSession *session;
        std::function<QString()> name;
    };

    void emitEvent(const QString &camera, const QString &type, QJsonObject fields);
    void sendPosition(const QString &camera);
    void readPositions();
    void watchPositions();
    static QJsonObject imageOf(const CameraSession &session);

    std::map<QString, Camera> cameras;
    std::vector<Followed> followed;
    QTimer positionReads;
    int listeners = 0;
};
