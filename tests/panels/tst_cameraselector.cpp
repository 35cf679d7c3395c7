// SPDX-License-Identifier: GPL-2.0-or-later
// The camera selector's health marks: one beside the entry it was set on, in the state's
// colour, said in words (tooltip, screen reader) with the time since, making room for
// itself in the shortened name, and gone again without a trace.
#include "CameraSelector.h"
#include "StyleSheets.h"

#include <QAbstractItemView>
#include <QtTest>

namespace {

// Pixels of a widget close to `color`: the mark is antialiased, so only its kind counts.
int near(QWidget &selector, const QColor &color)
{
    const QImage image = selector.grab().toImage();
    int count = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
            const QColor c = image.pixelColor(x, y);
            count += std::abs(c.red() - color.red()) + std::abs(c.green() - color.green()) +
                         std::abs(c.blue() - color.blue()) <
                     60;
        }
    return count;
}

} // namespace

class tst_CameraSelector : public QObject
{
    Q_OBJECT

private slots:
    void marks_data();
    void marks();
    void markTakesRoomFromTheName();
    void listIsMadeAsItFirstDropsDown();
};

void tst_CameraSelector::marks_data()
{
    QTest::addColumn<int>("state");
    QTest::addColumn<QString>("words");
    QTest::newRow("answering") << int(CameraSelector::Answering) << "Answering since";
    QTest::newRow("slow") << int(CameraSelector::Slow) << "Slow: answers take more";
    QTest::newRow("not answering") << int(CameraSelector::NotAnswering) << "Not answering since";
    QTest::newRow("refused") << int(CameraSelector::Refused) << "Refuses its user name";
    QTest::newRow("busy") << int(CameraSelector::Busy) << "Busy: another program";
}

void tst_CameraSelector::marks()
{
    QFETCH(int, state);
    QFETCH(QString, words);
    CameraSelector selector;
    selector.setStyleSheet(StyleSheets::cameraSelector());
    selector.resize(140, 16);
    selector.addItems({"Stage", "Balcony"});
    selector.setAccessibleDescription("The camera the panel controls");
    const QColor color = CameraSelector::healthColor(state);
    QCOMPARE(near(selector, color), 0);

    const QDateTime since = QDateTime::currentDateTime().addSecs(-90);
    selector.setHealth(0, state, since);
    QCOMPARE(selector.health(0), state);
    QCOMPARE(selector.health(1), int(CameraSelector::NoMark));
    const QString said = CameraSelector::healthText(state, since);
    QVERIFY2(said.startsWith(words), qPrintable(said));
    QVERIFY2(said.contains(since.time().toString("HH:mm:ss")), qPrintable(said));
    QCOMPARE(selector.toolTip(), said);
    QCOMPARE(selector.accessibleDescription(), "The camera the panel controls " + said);
    QCOMPARE(selector.itemData(0, Qt::ToolTipRole).toString(), "Stage\n" + said);
    QCOMPARE(selector.itemData(0, Qt::AccessibleDescriptionRole).toString(), said);
    QVERIFY(near(selector, color) > 2);

    // Another entry chosen shows its own (none); back, the mark again.
    selector.setCurrentIndex(1);
    QCOMPARE(selector.toolTip(), QString());
    QCOMPARE(selector.accessibleDescription(), QString("The camera the panel controls"));
    QCOMPARE(near(selector, color), 0);
    selector.setCurrentIndex(0);
    QCOMPARE(selector.toolTip(), said);

    selector.setHealth(0, CameraSelector::NoMark, {});
    QCOMPARE(selector.toolTip(), QString());
    QCOMPARE(selector.accessibleDescription(), QString("The camera the panel controls"));
    QCOMPARE(selector.itemData(0, Qt::ToolTipRole).toString(), QString("Stage"));
    QCOMPARE(near(selector, color), 0);
}

void tst_CameraSelector::markTakesRoomFromTheName()
{
    CameraSelector selector;
    selector.setStyleSheet(StyleSheets::cameraSelector());
    selector.resize(140, 16);
    const QString name = "Conference room camera, ceiling mount";
    selector.addItem(name);
    const QString bare = selector.shownText();
    selector.setHealth(0, CameraSelector::NotAnswering, QDateTime::currentDateTime());
    const QString marked = selector.shownText();
    QVERIFY2(marked.size() < bare.size(), qPrintable(marked));
    QVERIFY(marked.endsWith(QChar(0x2026)));
    QCOMPARE(selector.size(), QSize(140, 16)); // its width stays the form's
    QVERIFY(selector.toolTip().startsWith(name + '\n'));
}

void tst_CameraSelector::listIsMadeAsItFirstDropsDown()
{
    QWidget panel;
    panel.setStyleSheet(StyleSheets::named({"selector"}, StyleSheets::cameraSelector()));
    auto *selector = new CameraSelector(&panel);
    selector->setObjectName("selector");
    selector->setGeometry(0, 0, 140, 16);
    selector->setFont(QFont("Liberation Sans", 8));
    selector->addItems({"Stage", "Balcony"});
    selector->setHealth(1, CameraSelector::NotAnswering, QDateTime::currentDateTime());
    panel.show();
    QVERIFY(QTest::qWaitForWindowExposed(&panel));
    // Not made with the window's first frame ...
    QVERIFY(!selector->findChild<QAbstractItemView *>());

    // ... but as it drops down, with the marks.
    selector->showPopup();
    QAbstractItemView *list = selector->view();
    QTRY_VERIFY(list->isVisible());
    QVERIFY(near(*list->viewport(), CameraSelector::healthColor(CameraSelector::NotAnswering)) > 2);
    selector->hidePopup();
}

QTEST_MAIN(tst_CameraSelector)
#include "tst_cameraselector.moc"
