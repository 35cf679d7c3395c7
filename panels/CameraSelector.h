// SPDX-License-Identifier: GPL-2.0-or-later
// The PTZ panel's camera selector: a name too long for it shows shortened, with the whole
// name as its tooltip; the items keep their whole names.
#pragma once

#include <QComboBox>

class CameraSelector : public QComboBox
{
    Q_OBJECT
    // What the selector shows for the current item.
    Q_PROPERTY(QString shownText READ shownText)

public:
    explicit CameraSelector(QWidget *parent = nullptr);

    QString shownText() const;

protected:
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void changeEvent(QEvent *event) override;

private:
    void updateToolTip();
};
