// SPDX-License-Identifier: GPL-2.0-or-later
#include "ShotDialog.h"
#include "RemotePanel.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QDoubleSpinBox>
#include <QFormLayout>
#include <QJsonArray>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

ShotDialog::ShotDialog(RemotePanel &panel, const QJsonObject &given, QWidget *parent)
    : QDialog(parent)
{
    const QString old = given.value("name").toString();
    setWindowTitle(old.isEmpty() ? tr("New shot") : tr("Change shot %1").arg(old));
    setMinimumWidth(fontMetrics().averageCharWidth() * 48);
    auto *form = new QFormLayout(this);
    name = new QLineEdit(old, this);
    name->setMaxLength(Command::LongestShowName);
    form->addRow(tr("&Name:"), name);

    std::map<QString, QJsonValue> chosen; // by camera: the preset the shot has it go to
    for (const QJsonValue cue : given.value("cameras").toArray())
        chosen[cue.toObject().value("camera").toString()] = cue.toObject().value("preset");
    const QJsonArray cameras = panel.cameras();
    rows.reserve(size_t(cameras.size()));
    for (const QJsonValue camera : cameras) {
        Row row;
        row.camera = camera.toObject().value("name").toString();
        row.preset = new QComboBox(this);
        row.preset->setAccessibleName(tr("Preset of %1").arg(row.camera));
        row.preset->addItem(tr("Stays where it is"));
        row.preset->setEnabled(false); // until its presets are read
        form->addRow(row.camera + ':', row.preset);
        connect(row.preset, qOverload<int>(&QComboBox::currentIndexChanged), this,
                &ShotDialog::check);
        rows.push_back(row);
    }
    duration = new QDoubleSpinBox(this);
    duration->setRange(0, Command::LongestShow);
    duration->setDecimals(1);
    duration->setSingleStep(0.5);
    duration->setSuffix(tr(" s"));
    // 0 is below the shortest time a shot takes: it means none.
    duration->setSpecialValueText(tr("Each at its own speed"));
    duration->setValue(given.value("duration").toDouble());
    duration->setAccessibleName(tr("Time for the cameras to arrive together"));
    form->addRow(tr("&Together in:"), duration);
    connect(duration, qOverload<double>(&QDoubleSpinBox::valueChanged), this, &ShotDialog::check);

    problem = new QLabel(this);
    problem->setWordWrap(true);
    form->addRow(problem);
    buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    form->addRow(buttons);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(buttons, &QDialogButtonBox::accepted, this, [this, &panel] {
        // Kept open on a refusal, with its cause, so that nothing chosen is lost.
        Command c = shot();
        c.by = QStringLiteral("board");
        buttons->setEnabled(false);
        const std::weak_ptr<bool> dialog = alive;
        panel.run(c, [this, dialog, name = c.name](const Outcome &done) {
            if (dialog.expired())
                return;
            buttons->setEnabled(true);
            if (done.exitCode) {
                problem->setText(done.error);
                return;
            }
            emit defined(name);
            accept();
        });
    });
    connect(name, &QLineEdit::textChanged, this, &ShotDialog::check);
    check();
    // Last: a camera may answer at once.
    for (size_t i = 0; i < rows.size(); ++i) {
        Command list;
        list.kind = Command::ListPresets;
        list.on = rows[i].camera;
        list.by = QStringLiteral("board");
        const auto given = chosen.find(rows[i].camera);
        const QJsonValue preset = given == chosen.end() ? QJsonValue() : given->second;
        const std::weak_ptr<bool> dialog = alive;
        panel.run(list, [this, dialog, i, preset](const Outcome &read) {
            if (!dialog.expired())
                offer(rows[i], read.exitCode ? QJsonArray() : read.data.toArray(), preset);
        });
    }
}

ShotDialog::~ShotDialog() = default;

void ShotDialog::offer(Row &row, const QJsonArray &presets, const QJsonValue &chosen)
{
    const QSignalBlocker quiet(row.preset);
    for (const QJsonValue value : presets) {
        const QJsonObject preset = value.toObject();
        if (!preset.value("stored").toBool())
            continue;
        const int number = preset.value("preset").toInt();
        const QString named = preset.value("name").toString();
        row.preset->addItem(named.isEmpty() ? QString::number(number)
                                            : tr("%1 – %2").arg(number).arg(named),
                            QString::number(number));
        if (chosen == QJsonValue(number) || (chosen.isString() && chosen.toString() == named))
            row.preset->setCurrentIndex(row.preset->count() - 1);
    }
    if ((chosen.isDouble() || chosen.isString()) && row.preset->currentIndex() == 0) {
        const QString given = chosen.toVariant().toString();
        row.preset->addItem(given, given);
        row.preset->setCurrentIndex(row.preset->count() - 1);
    }
    row.preset->setEnabled(row.preset->count() > 1);
    check();
}

Command ShotDialog::shot(QString *why) const
{
    Command c;
    c.kind = Command::DefineShot;
    c.name = name->text().trimmed();
    c.seconds = duration->value() < Command::ShortestGlide ? 0 : duration->value();
    for (const Row &row : rows)
        if (row.preset->currentIndex() > 0) {
            Command::Cue cue;
            cue.camera = row.camera;
            cue.preset = row.preset->currentData().toString();
            c.cues.append(cue);
        }
    QString wrong;
    if (c.name.isEmpty())
        wrong = tr("Give the shot a name.");
    else if (c.cues.isEmpty())
        wrong = tr("Choose a preset for at least one camera.");
    if (why)
        *why = wrong;
    return c;
}

void ShotDialog::check()
{
    QString why;
    shot(&why);
    // A missing name is not a fault to point at before one is typed.
    problem->setText(name->text().trimmed().isEmpty() ? QString() : why);
    buttons->button(QDialogButtonBox::Ok)->setEnabled(why.isEmpty());
}
