// SPDX-License-Identifier: GPL-2.0-or-later
// Dismisses every message box the moment it is shown, with its default button, and keeps
// what it showed so tests can count warnings instead of leaving them hanging.
#pragma once

#include <QObject>
#include <QStringList>

class MessageBoxCatcher : public QObject
{
    Q_OBJECT

public:
    struct Box
    {
        QString title;
        QString text;
        int buttons; // QMessageBox::StandardButtons
        int defaultButton;
    };

    MessageBoxCatcher();
    ~MessageBoxCatcher() override;

    int count() const { return boxes.size(); }
    const QList<Box> &shown() const { return boxes; }
    void clear() { boxes.clear(); }
    // Runs when a box is shown, before it is dismissed.
    std::function<void()> onShow;
    // Off: boxes are counted and left open, as a user away from the screen leaves them.
    bool dismiss = true;
    // The message boxes showing now.
    static int open();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QList<Box> boxes;
};
