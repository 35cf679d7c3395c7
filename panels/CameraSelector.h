// SPDX-License-Identifier: GPL-2.0-or-later
// The PTZ panel's camera selector: a name too long for it shows shortened, with the whole
// name as its tooltip; the items keep their whole names. Beside an entry, a small mark may
// say how its camera answers (the library's HealthState: answering, slow, not answering,
// refused, busy); its tooltip and the screen reader's description say it in words, and since
// when.
#pragma once

#include <QComboBox>
#include <QDateTime>

class CameraSelector : public QComboBox
{
    Q_OBJECT
    // What the selector shows for the current item.
    Q_PROPERTY(QString shownText READ shownText)

public:
    enum Health
    {
        NoMark = -1,
        Answering = 0,
        Slow = 1,
        NotAnswering = 2,
        Refused = 3,
        Busy = 4
    };

    explicit CameraSelector(QWidget *parent = nullptr);

    QString shownText() const;

    // Marks entry `index` with how its camera answers, from `since`; NoMark takes it away.
    void setHealth(int index, int state, const QDateTime &since);
    int health(int index) const; // NoMark when it has none
    // The mark in words: "Not answering since 14:02:51".
    static QString healthText(int state, const QDateTime &since);
    // Its colour; not answering is a ring, the others a dot.
    static QColor healthColor(int state);

    void showPopup() override;

protected:
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void changeEvent(QEvent *event) override;

private:
    QRect markRect(const QRect &field) const;
    void updateToolTip();

    QString describedHealth; // what was added to the accessible description
    bool marked = false;     // the drop-down list paints the marks
};
