// SPDX-License-Identifier: GPL-2.0-or-later
#include "ShowsPage.h"
#include "RemotePanel.h"
#include "ShotDialog.h"

#include <QHBoxLayout>
#include <QJsonArray>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

constexpr int DefinitionRole = Qt::UserRole;
constexpr int RunningRole = Qt::UserRole + 1;

QString nameOf(const QListWidgetItem *item)
{
    return item ? item->data(DefinitionRole).toJsonObject().value("name").toString() : QString();
}

QString presetText(const QJsonValue &preset)
{
    return preset.toVariant().toString();
}

} // namespace

ShowsPage::ShowsPage(RemotePanel &remote, Perform performing, Ask asking, QWidget *parent)
    : QWidget(parent), panel(remote), perform(std::move(performing)), ask(std::move(asking))
{
    auto *layout = new QVBoxLayout(this);
    const auto addButton = [this](QBoxLayout *row, const QString &text, auto clicked) {
        auto *button = new QPushButton(text, this);
        connect(button, &QPushButton::clicked, this, clicked);
        row->addWidget(button);
        return button;
    };

    shots = list(layout, "shots", tr("&Shots"), tr("Shots"),
                 tr("Enter or a click recalls the shot: each of its cameras to its preset."), 3);
    auto *shotButtons = new QHBoxLayout;
    addButton(shotButtons, tr("&New shot…"), [this] { defineShot({}); });
    changeShot = addButton(shotButtons, tr("C&hange…"), [this] {
        if (QListWidgetItem *item = shots->currentItem())
            defineShot(item->data(DefinitionRole).toJsonObject());
    });
    deleteShot = addButton(shotButtons, tr("&Delete"),
                           [this] { remove(Command::DeleteShot, shots->currentItem()); });
    shotButtons->addStretch();
    layout->addLayout(shotButtons);

    tours = list(layout, "tours", tr("&Tours"), tr("Tours"),
                 tr("Enter or a double-click starts the tour, or stops it while it runs."), 2);
    auto *tourButtons = new QHBoxLayout;
    startTour = addButton(tourButtons, tr("St&art"), [this] { toggle(tours->currentItem()); });
    deleteTour = addButton(tourButtons, tr("De&lete"),
                           [this] { remove(Command::DeleteTour, tours->currentItem()); });
    tourButtons->addStretch();
    layout->addLayout(tourButtons);

    connect(shots, &QListWidget::itemActivated, this, &ShowsPage::recall);
    connect(shots, &QListWidget::itemClicked, this, &ShowsPage::recall);
    // A click only chooses a tour: one started or stopped by a stray click goes on alone.
    connect(tours, &QListWidget::itemActivated, this, &ShowsPage::toggle);
    connect(shots, &QListWidget::currentItemChanged, this, &ShowsPage::updateButtons);
    connect(tours, &QListWidget::currentItemChanged, this, &ShowsPage::updateButtons);
    updateButtons();
}

ShowsPage::~ShowsPage() = default;

QListWidget *ShowsPage::list(QBoxLayout *layout, const char *id, const QString &label,
                             const QString &name, const QString &description, int stretch)
{
    auto *shown = new QListWidget(this);
    shown->setObjectName(id);
    shown->setAccessibleName(name);
    shown->setAccessibleDescription(description);
    auto *caption = new QLabel(label, this);
    caption->setBuddy(shown);
    layout->addWidget(caption);
    layout->addWidget(shown, stretch);
    return shown;
}

void ShowsPage::reloadShots(const QString &choose)
{
    read(Command::ListShots, [this, choose](const QJsonArray &kept) { listShots(kept, choose); });
}

void ShowsPage::reloadTours()
{
    read(Command::ListTours, [this](const QJsonArray &kept) { listTours(kept); });
}

void ShowsPage::read(Command::Kind list, std::function<void(const QJsonArray &)> then)
{
    Command c;
    c.kind = list;
    const std::weak_ptr<bool> page = alive;
    panel.run(c, [page, then = std::move(then)](const Outcome &done) {
        if (!page.expired())
            then(done.exitCode ? QJsonArray() : done.data.toArray());
    });
}

void ShowsPage::listShots(const QJsonArray &kept, const QString &choose)
{
    const QString current = choose.isEmpty() ? nameOf(shots->currentItem()) : choose;
    shots->clear();
    for (const QJsonValue value : kept) {
        const QJsonObject shot = value.toObject();
        QStringList cues;
        for (const QJsonValue cue : shot.value("cameras").toArray())
            cues << QStringLiteral("%1: %2").arg(cue.toObject().value("camera").toString(),
                                                 presetText(cue.toObject().value("preset")));
        QString told = cues.join(QStringLiteral(", "));
        if (const double seconds = shot.value("duration").toDouble(); seconds > 0)
            told = tr("%1, together in %2 s").arg(told, QLocale().toString(seconds));
        auto *item = new QListWidgetItem(shot.value("name").toString(), shots);
        item->setData(DefinitionRole, shot);
        item->setToolTip(told);
        item->setData(Qt::AccessibleDescriptionRole, told);
        if (item->text() == current)
            shots->setCurrentItem(item);
    }
    updateButtons();
}

void ShowsPage::listTours(const QJsonArray &kept)
{
    const QString current = nameOf(tours->currentItem());
    tours->clear();
    for (const QJsonValue value : kept) {
        const QJsonObject tour = value.toObject();
        const QString name = tour.value("name").toString();
        const QString camera = tour.value("camera").toString();
        const bool running = tour.value("running").toBool();
        QStringList steps;
        for (const QJsonValue step : tour.value("steps").toArray())
            steps << tr("%1 for %2 s")
                         .arg(presetText(step.toObject().value("preset")),
                              QLocale().toString(step.toObject().value("dwell").toDouble()));
        auto *item = new QListWidgetItem(running ? tr("%1 – %2, running: step %3")
                                                       .arg(name, camera)
                                                       .arg(tour.value("step").toInt() + 1)
                                                 : tr("%1 – %2").arg(name, camera),
                                         tours);
        item->setData(DefinitionRole, tour);
        item->setData(RunningRole, running);
        const QString told = tour.value("loop").toBool()
                                 ? tr("%1, again and again").arg(steps.join(QStringLiteral(", ")))
                                 : steps.join(QStringLiteral(", "));
        item->setToolTip(told);
        item->setData(Qt::AccessibleDescriptionRole, told);
        if (name == current)
            tours->setCurrentItem(item);
    }
    updateButtons();
}

void ShowsPage::recall(QListWidgetItem *item)
{
    Command c;
    c.kind = Command::Shot;
    c.name = nameOf(item);
    perform(c, {});
}

void ShowsPage::toggle(QListWidgetItem *item)
{
    if (!item)
        return;
    Command c;
    c.kind = item->data(RunningRole).toBool() ? Command::StopTour : Command::Tour;
    c.name = nameOf(item);
    perform(c, {}); // its events have the list read again
}

void ShowsPage::defineShot(const QJsonObject &shot)
{
    auto *dialog = new ShotDialog(panel, shot, this);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    const QString old = shot.value("name").toString();
    connect(dialog, &ShotDialog::defined, this, [this, old](const QString &name) {
        if (old.isEmpty() || old == name) {
            reloadShots(name);
            return;
        }
        // Renamed: the shot under its old name goes.
        Command gone;
        gone.kind = Command::DeleteShot;
        gone.name = old;
        perform(gone, [this, name] { reloadShots(name); });
    });
    dialog->open();
}

void ShowsPage::remove(Command::Kind kind, QListWidgetItem *item)
{
    if (!item)
        return;
    Command c;
    c.kind = kind;
    c.name = nameOf(item);
    const bool shot = kind == Command::DeleteShot;
    ask(shot ? tr("Delete the shot %1? Its cameras' presets stay.").arg(c.name)
             : tr("Delete the tour %1? Its camera's presets stay.").arg(c.name),
        [this, c, shot] { perform(c, [this, shot] { shot ? reloadShots() : reloadTours(); }); });
}

void ShowsPage::updateButtons()
{
    changeShot->setEnabled(shots->currentItem());
    deleteShot->setEnabled(shots->currentItem());
    const QListWidgetItem *tour = tours->currentItem();
    startTour->setEnabled(tour);
    startTour->setText(tour && tour->data(RunningRole).toBool() ? tr("St&op") : tr("St&art"));
    deleteTour->setEnabled(tour);
}
