// SPDX-License-Identifier: GPL-2.0-or-later
// One camera's presets as the board shows them: a tile per preset kept, with its number, name,
// speed and picture (or why it has none), then empty tiles to store into, at least LeastTiles
// and up to the end of the last row; and, while the camera gives it, a live tile first. It
// follows the panel: what it shows is read through RemotePanel's commands, and read again when
// the board hears that a preset or its picture changed.
#pragma once

#include <QAbstractListModel>
#include <QImage>
#include <QSize>
#include <QString>

#include <map>
#include <memory>
#include <set>
#include <vector>

class PictureDecoder;
class QJsonArray;
class RemotePanel;

class BoardModel : public QAbstractListModel
{
    Q_OBJECT

public:
    enum Role
    {
        PresetRole = Qt::UserRole + 1, // the preset's number; -1 for the live tile
        StoredRole,
        NameRole,
        SpeedRole,   // its own recall speed, 1..8; 0 none
        PictureRole, // QImage, null while there is none (or it is being decoded)
        ProblemRole, // why it has no picture, when taking it failed
        LiveRole,    // the live tile
    };

    BoardModel(RemotePanel &panel, const QString &camera, PictureDecoder &decoder,
               QObject *parent = nullptr);
    ~BoardModel() override;

    QString camera() const { return cameraName; }
    int rowCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role) const override;
    QModelIndex indexOf(int preset) const;

    // Reads the presets again, then the pictures that changed.
    void reload();
    // Reads a preset's picture again: it came, went or could not be taken.
    void reloadPicture(int preset);
    // The size pictures are decoded to.
    void setPictureSize(const QSize &size);
    // How many tiles a row holds: the empty tiles fill the last one.
    void setColumns(int columns);
    // The live tile: shown while the camera gives live view, with its latest frame.
    void setLive(bool shown);
    void showFrame(const QByteArray &jpeg);
    bool hasLive() const { return live; }

    static constexpr int LeastTiles = 16;

signals:
    // Reading the presets failed (the camera is gone, or does not answer).
    void failed(const QString &why);
    // Every picture read so far is decoded.
    void settled();

private:
    struct Tile
    {
        bool stored = false;
        QString name;
        int speed = 0;
        quint32 version = 0; // of the picture kept; 0 none
        QString problem;
        QImage picture;
        quint32 shown = 0;  // the version `picture` is of
        bool asked = false; // its bytes are being read or decoded
    };

    void take(const QJsonArray &presets);
    void fetch(int preset);
    // A tile's picture is read and decoded when it is first looked at (painted, or asked by a
    // screen reader), not when the board opens: unseen pictures cost no memory.
    void wanted(int preset) const;
    void layOut();
    void tileChanged(int preset);
    QString describe(int preset, const Tile *tile) const;
    void checkSettled();

    RemotePanel &panel;
    const QString cameraName;
    PictureDecoder &decoder;
    std::map<int, Tile> kept;      // the presets the camera keeps, by number
    mutable std::set<int> seen;    // presets whose picture was looked at
    std::vector<int> shownPresets; // one per tile after the live one, in order
    int columns = 1;
    QSize pictureSize{192, 108};
    bool live = false;
    QImage frame;
    bool decodingFrame = false;
    QByteArray nextFrame; // came while the one before was decoded
    bool reloading = false;
    bool reloadAgain = false;
    int pending = 0; // pictures read or decoded, not yet shown
    std::shared_ptr<bool> alive = std::make_shared<bool>(true);
};
