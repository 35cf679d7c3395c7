// SPDX-License-Identifier: GPL-2.0-or-later
// Defines a shot, or changes one: its name, for each camera the preset it goes to (or none),
// and a time for all of them to arrive together. It defines it itself, and stays open with
// the cause when the panel refuses. The presets offered are those each camera
// keeps, read through RemotePanel as the dialog opens; a shot's preset given by a name the
// camera no longer keeps is still offered, as it stands.
#pragma once

#include "Command.h"

#include <QDialog>
#include <QJsonObject>

#include <memory>
#include <vector>

class QComboBox;
class QDialogButtonBox;
class QDoubleSpinBox;
class QLabel;
class QLineEdit;
class RemotePanel;

class ShotDialog : public QDialog
{
    Q_OBJECT

public:
    // `shot` as the shots are listed ({"name", "cameras", "duration"}); empty for a new one.
    ShotDialog(RemotePanel &panel, const QJsonObject &shot, QWidget *parent = nullptr);
    ~ShotDialog() override;

    // What is asked for now: a DefineShot command; `why` says what is missing when it is
    // not one yet.
    Command shot(QString *why = nullptr) const;

signals:
    void defined(const QString &name);

private:
    struct Row
    {
        QString camera;
        QComboBox *preset = nullptr;
    };
    void offer(Row &row, const QJsonArray &presets, const QJsonValue &chosen);
    void check();

    std::vector<Row> rows;
    QLineEdit *name = nullptr;
    QDoubleSpinBox *duration = nullptr;
    QLabel *problem = nullptr;
    QDialogButtonBox *buttons = nullptr;
    std::shared_ptr<bool> alive = std::make_shared<bool>(true);
};
