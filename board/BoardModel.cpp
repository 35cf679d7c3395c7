// SPDX-License-Identifier: GPL-2.0-or-later
#include "BoardModel.h"
#include "PictureDecoder.h"
#include "RemotePanel.h"

#include <QJsonArray>
#include <QJsonObject>

#include <algorithm>
#include <set>

namespace {

constexpr int PresetCount = 256;

} // namespace

BoardModel::BoardModel(RemotePanel &commands, const QString &camera, PictureDecoder &pictures,
                       QObject *parent)
    : QAbstractListModel(parent), panel(commands), cameraName(camera), decoder(pictures)
{
    layOut();
}

BoardModel::~BoardModel() = default;

int BoardModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(shownPresets.size()) + (live ? 1 : 0);
}

QModelIndex BoardModel::indexOf(int preset) const
{
    if (preset < 0)
        return live ? index(0) : QModelIndex();
    const auto at = std::find(shownPresets.begin(), shownPresets.end(), preset);
    return at == shownPresets.end() ? QModelIndex()
                                    : index(int(at - shownPresets.begin()) + (live ? 1 : 0));
}

QVariant BoardModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || index.row() >= rowCount())
        return {};
    const bool isLive = live && index.row() == 0;
    const int preset = isLive ? -1 : shownPresets[size_t(index.row() - (live ? 1 : 0))];
    const auto found = kept.find(preset);
    const Tile *tile = found == kept.end() ? nullptr : &found->second;
    switch (role) {
    case PresetRole:
        return preset;
    case LiveRole:
        return isLive;
    case StoredRole:
        return tile && tile->stored;
    case NameRole:
    case Qt::DisplayRole:
        return isLive ? tr("Live") : tile ? tile->name : QString();
    case SpeedRole:
        return tile ? tile->speed : 0;
    case PictureRole:
        if (isLive)
            return frame;
        if (tile && tile->stored && tile->version != tile->shown)
            wanted(preset);
        return tile && tile->stored ? tile->picture : QImage();
    case ProblemRole:
        return tile && tile->stored ? tile->problem : QString();
    case Qt::AccessibleTextRole:
        if (isLive)
            return tr("Live view");
        return tile && !tile->name.isEmpty() ? tr("Preset %1, %2").arg(preset).arg(tile->name)
                                             : tr("Preset %1").arg(preset);
    case Qt::AccessibleDescriptionRole:
        return describe(preset, tile);
    case Qt::ToolTipRole:
        if (isLive)
            return describe(preset, tile);
        return data(index, Qt::AccessibleTextRole).toString() + '\n' + describe(preset, tile) +
               '\n' +
               (tile && tile->stored ? tr("Click or Enter recalls it; right-click or the menu "
                                          "key for more.")
                                     : tr("Right-click or the menu key to store here."));
    default:
        return {};
    }
}

QString BoardModel::describe(int preset, const Tile *tile) const
{
    if (preset < 0)
        return frame.isNull() ? tr("Live view of %1, waiting for the camera's view").arg(cameraName)
                              : tr("Live view of %1").arg(cameraName);
    if (!tile || !tile->stored)
        return tr("Empty");
    QStringList parts{tr("Stored")};
    if (!tile->picture.isNull() || (tile->version && tile->problem.isEmpty()))
        parts << tr("with its picture");
    else if (!tile->problem.isEmpty())
        parts << tr("no picture: %1").arg(tile->problem);
    else
        parts << tr("no picture yet");
    if (tile->speed)
        parts << tr("recalled at speed %1").arg(tile->speed);
    return parts.join(QStringLiteral(", "));
}

void BoardModel::setPictureSize(const QSize &size)
{
    if (size == pictureSize)
        return;
    pictureSize = size;
    // Pictures decoded for another size are decoded again, those out of sight once seen.
    for (auto &[preset, tile] : kept) {
        if (!tile.stored || !tile.version || tile.asked)
            continue;
        if (seen.count(preset)) {
            fetch(preset);
        } else {
            tile.picture = QImage();
            tile.shown = 0;
        }
    }
}

void BoardModel::wanted(int preset) const
{
    if (!seen.insert(preset).second)
        return;
    // Not from within data(): the view is painting.
    auto *self = const_cast<BoardModel *>(this);
    const std::weak_ptr<bool> model = alive;
    QMetaObject::invokeMethod(
        self,
        [self, model, preset] {
            if (model.expired())
                return;
            const auto tile = self->kept.find(preset);
            if (tile != self->kept.end() && tile->second.stored && tile->second.version &&
                tile->second.version != tile->second.shown && !tile->second.asked)
                self->fetch(preset);
        },
        Qt::QueuedConnection);
}

void BoardModel::setColumns(int count)
{
    count = std::max(1, count);
    if (count == columns)
        return;
    columns = count;
    layOut();
}

void BoardModel::setLive(bool shown)
{
    if (shown == live)
        return;
    beginResetModel();
    live = shown;
    frame = QImage();
    nextFrame.clear();
    endResetModel();
    layOut();
}

void BoardModel::showFrame(const QByteArray &jpeg)
{
    if (!live)
        return;
    // The latest frame wins: one decoded at a time, and only the newest of those that came
    // meanwhile after it.
    if (decodingFrame) {
        nextFrame = jpeg;
        return;
    }
    decodingFrame = true;
    const std::weak_ptr<bool> model = alive;
    decoder.decode(jpeg, pictureSize, [this, model](const QImage &image) {
        if (model.expired())
            return;
        decodingFrame = false;
        if (!live)
            return;
        if (!image.isNull()) {
            frame = image;
            const QModelIndex tile = index(0);
            emit dataChanged(tile, tile);
        }
        if (!nextFrame.isEmpty()) {
            const QByteArray next = nextFrame;
            nextFrame.clear();
            showFrame(next);
        }
    });
}

void BoardModel::reload()
{
    if (reloading) {
        reloadAgain = true;
        return;
    }
    reloading = true;
    Command c;
    c.kind = Command::ListPresets;
    c.on = cameraName;
    c.by = QStringLiteral("board");
    const std::weak_ptr<bool> model = alive;
    panel.run(c, [this, model](const Outcome &outcome) {
        if (model.expired())
            return;
        reloading = false;
        if (outcome.exitCode)
            emit failed(outcome.error);
        else
            take(outcome.data.toArray());
        if (reloadAgain) {
            reloadAgain = false;
            reload();
        }
        checkSettled();
    });
}

void BoardModel::take(const QJsonArray &presets)
{
    std::map<int, Tile> now;
    for (const QJsonValue value : presets) {
        const QJsonObject o = value.toObject();
        const int preset = o.value("preset").toInt(-1);
        if (preset < 0 || preset >= PresetCount)
            continue;
        Tile tile;
        const auto before = kept.find(preset);
        if (before != kept.end())
            tile = before->second; // its picture, while it is still the same
        tile.stored = o.value("stored").toBool();
        tile.name = o.value("name").toString();
        tile.speed = o.value("speed").toInt();
        tile.version = quint32(o.value("imageVersion").toDouble());
        tile.problem = o.value("imageProblem").toString();
        if (!tile.version) {
            tile.picture = QImage();
            tile.shown = 0;
        }
        now[preset] = tile;
    }
    kept.swap(now);
    layOut();
    for (auto &[preset, tile] : kept)
        if (tile.stored && tile.version && tile.version != tile.shown && !tile.asked &&
            seen.count(preset))
            fetch(preset);
}

void BoardModel::reloadPicture(int preset)
{
    const auto tile = kept.find(preset);
    if (tile == kept.end() || !tile->second.stored) {
        reload(); // a preset the board has not heard of yet
        return;
    }
    if (!seen.count(preset)) {
        reload(); // its new version, for when it is seen
        return;
    }
    if (!tile->second.asked)
        fetch(preset);
}

void BoardModel::fetch(int preset)
{
    kept[preset].asked = true;
    ++pending;
    Command c;
    c.kind = Command::PresetPicture;
    c.number = preset;
    c.on = cameraName;
    c.by = QStringLiteral("board");
    const std::weak_ptr<bool> model = alive;
    panel.run(c, [this, model, preset](const Outcome &outcome) {
        if (model.expired())
            return;
        const auto found = kept.find(preset);
        if (found == kept.end()) {
            --pending;
            checkSettled();
            return;
        }
        Tile &tile = found->second;
        const QJsonObject about = outcome.data.toObject();
        tile.problem = about.value("problem").toString();
        if (outcome.exitCode || outcome.bytes.isEmpty()) {
            tile.asked = false;
            tile.version = 0;
            tile.picture = QImage();
            tile.shown = 0;
            --pending;
            tileChanged(preset);
            checkSettled();
            return;
        }
        const quint32 version = quint32(about.value("version").toDouble());
        tile.version = version;
        decoder.decode(outcome.bytes, pictureSize, [this, model, preset, version](QImage image) {
            if (model.expired())
                return;
            --pending;
            const auto decoded = kept.find(preset);
            if (decoded != kept.end()) {
                Tile &t = decoded->second;
                t.asked = false;
                t.picture = std::move(image);
                t.shown = version;
                // A newer one came while this one was read.
                if (t.version && t.version != version)
                    fetch(preset);
                tileChanged(preset);
            }
            checkSettled();
        });
    });
}

void BoardModel::tileChanged(int preset)
{
    const QModelIndex tile = indexOf(preset);
    if (tile.isValid())
        emit dataChanged(tile, tile);
}

void BoardModel::layOut()
{
    // Every preset kept, then the first numbers free to store into: at least LeastTiles
    // tiles and one free, the last row full.
    std::vector<int> presets;
    for (const auto &[preset, tile] : kept)
        presets.push_back(preset);
    const int first = live ? 1 : 0;
    int wanted = std::max<int>(LeastTiles, first + int(presets.size()) + 1);
    wanted = (wanted + columns - 1) / columns * columns - first;
    std::set<int> taken(presets.begin(), presets.end());
    for (int preset = 0; preset < PresetCount && int(presets.size()) < wanted; ++preset)
        if (!taken.count(preset))
            presets.push_back(preset);
    std::sort(presets.begin(), presets.end());
    if (presets == shownPresets) {
        if (rowCount() > 0)
            emit dataChanged(index(0), index(rowCount() - 1));
        return;
    }
    beginResetModel();
    shownPresets = presets;
    endResetModel();
}

void BoardModel::checkSettled()
{
    if (pending == 0 && !reloading)
        emit settled();
}
