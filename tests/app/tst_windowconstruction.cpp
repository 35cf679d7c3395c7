// SPDX-License-Identifier: GPL-2.0-or-later
// What construction leaves behind: the window's flags and form, the shut image panel, the
// topmost band, the start-up timer, and every panel signal wired to its slot.
#include "MainWindow.h"
#include "MessageBoxCatcher.h"
#include "SimCameras.h"
#include "TraceFile.h"
#include "Win32.h"
#include "WinLeft.h"
#include "WinRight.h"

#include <QLineEdit>
#include <QSlider>
#include <QtTest>

class tst_WindowConstruction : public QObject
{
    Q_OBJECT

private slots:
    void windowIsFramelessTranslucentAndTopmost();
    void startsWithOnlyThePtzPanel();
    void startupTimerRunsOnce();
    void everyPanelSignalIsWired_data();
    void everyPanelSignalIsWired();
    void imagePanelIsBuiltWhenFirstNeeded_data();
    void imagePanelIsBuiltWhenFirstNeeded();
    void deviceIsCreatedFirst();
    void survivesWithoutDeviceObject();
};

void tst_WindowConstruction::windowIsFramelessTranslucentAndTopmost()
{
    MainWindow window;
    QCOMPARE(window.windowFlags(), Qt::Window | Qt::FramelessWindowHint);
    QVERIFY(window.testAttribute(Qt::WA_TranslucentBackground));
    QVERIFY(IsWindowTopmost(reinterpret_cast<HWND>(window.winId())));
    QVERIFY(window.property("onTop").toBool());
    QCOMPARE(window.windowTitle(), QString("PTZ Panel"));
    QCOMPARE(window.size(), QSize(491, 417));
    QVERIFY(!QApplication::isEffectEnabled(Qt::UI_AnimateCombo));
}

void tst_WindowConstruction::startsWithOnlyThePtzPanel()
{
    MainWindow window;
    for (const char *name : {"Win_Left", "frame"}) {
        auto *shut = window.findChild<QWidget *>(name);
        QVERIFY(shut);
        QCOMPARE(shut->geometry(), QRect(268, 0, 0, 417));
    }
    QCOMPARE(window.findChild<WinRight *>("Win_Right")->geometry(), QRect(267, 0, 224, 417));
    QVERIFY(window.findChild<QWidget *>("Label_Hide_L")->isHidden());
    QVERIFY(window.findChild<QWidget *>("Label_Hide_R")->isHidden());
    QCOMPARE(window.property("leftPanelWidth").toInt(), 268);
    QVERIFY(!window.property("leftShown").toBool());
    QVERIFY(!window.property("docked").toBool());

    // Stacking, bottom to top.
    const QStringList expected = {"frame_2",  "frame",     "Buffer_1",     "Buffer_2",
                                  "Win_Left", "Win_Right", "Label_Hide_R", "Label_Hide_L"};
    QStringList stacking;
    for (QObject *child : window.centralWidget()->children())
        stacking << child->objectName();
    QCOMPARE(stacking, expected);
}

void tst_WindowConstruction::startupTimerRunsOnce()
{
    MessageBoxCatcher boxes;
    MainWindow window;
    const auto timers = window.findChildren<QTimer *>(QString(), Qt::FindDirectChildrenOnly);
    QCOMPARE(timers.size(), 1);
    QTimer *initTimer = timers.first();
    QVERIFY(initTimer->isActive());
    QCOMPARE(initTimer->interval(), 500);
    QTRY_VERIFY(!initTimer->isActive());
    QCOMPARE(window.devices().size(), size_t(1));
}

void tst_WindowConstruction::everyPanelSignalIsWired_data()
{
    QTest::addColumn<QString>("sender");
    QTest::addColumn<QString>("under");
    QTest::addColumn<QByteArray>("signal");
    QTest::addColumn<QByteArray>("slot");

    const auto row = [](const char *sender, const char *under, const char *signal,
                        const char *slot) {
        QTest::newRow(QByteArray(sender) + "." + signal)
            << QString(sender) << QString(under) << QByteArray(signal) << QByteArray(slot);
    };
    row("Win_Left", "", "BT_Pressed(int)", "LWin_BT_Pressed(int)");
    row("ComboBox_Flicker", "Win_Left", "currentTextChanged(QString)", "FlickerChange()");
    row("Slider_Brightness", "Win_Left", "sliderMoved(int)", "Brightness_Change(int)");
    row("Slider_Contrast", "Win_Left", "sliderMoved(int)", "Contrast_Change(int)");
    row("Slider_Hue", "Win_Left", "sliderMoved(int)", "Hue_Change(int)");
    row("Slider_Saturation", "Win_Left", "sliderMoved(int)", "Saturation_Change(int)");
    row("Slider_Sharpness", "Win_Left", "sliderMoved(int)", "Sharpness_Change(int)");
    row("Slider_Gamma", "Win_Left", "sliderMoved(int)", "Gamma_Change(int)");
    row("Slider_BLC", "Win_Left", "sliderMoved(int)", "BLC_Change(int)");
    row("Slider_WB", "Win_Left", "sliderMoved(int)", "WB_Change(int)");
    row("Win_Right", "", "BT_Show(bool)", "Tool_Show(bool)");
    row("Win_Right", "", "keyNumchanged(int)", "MovePlace(int)");
    row("Win_Right", "", "Speed_Pan(int)", "SpeedX(int)");
    row("Win_Right", "", "Speed_Tilt(int)", "SpeedY(int)");
    row("Win_Right", "", "BT_Pressed(int)", "RWin_BT_Pressed(int)");
    row("Win_Right", "", "IPCAMChange(int)", "IPCAMChange(int)");
    row("Slider_Zoom", "Win_Right", "valueChanged(int)", "ZoomChange()");
    row("Slider_Zoom", "Win_Right", "sliderReleased()", "ZoomStop()");
    row("Win_Right", "", "ChangePresetno(int)", "ChangePresetno(int)");
    row("Win_Right", "", "Setting_Press(int)", "Setting_Press(int)");
}

void tst_WindowConstruction::everyPanelSignalIsWired()
{
    QFETCH(QString, sender);
    QFETCH(QString, under);
    QFETCH(QByteArray, signal);
    QFETCH(QByteArray, slot);

    MainWindow window;
    // The image settings panel is wired as it is built, after the first frame.
    window.show();
    QTRY_VERIFY(window.findChild<QSlider *>("Slider_Brightness"));
    QObject *from = window.findChild<QObject *>(sender);
    QVERIFY(from);
    if (!under.isEmpty())
        QCOMPARE(from->parent()->objectName(), under);
    // disconnect() answers whether exactly this connection existed.
    QVERIFY(QObject::disconnect(from, "2" + signal, &window, "1" + slot));
    QVERIFY(!QObject::disconnect(from, "2" + signal, &window, "1" + slot));
}

void tst_WindowConstruction::imagePanelIsBuiltWhenFirstNeeded_data()
{
    QTest::addColumn<QString>("first");
    QTest::addColumn<qreal>("dpi");
    QTest::newRow("the first frame") << "frame" << 192.0;
    QTest::newRow("opened before any frame") << "open" << 96.0;
    QTest::newRow("opened at 144 dpi") << "open" << 144.0;
    QTest::newRow("a camera connected before any frame") << "camera" << 96.0;
}

void tst_WindowConstruction::imagePanelIsBuiltWhenFirstNeeded()
{
    QFETCH(QString, first);
    QFETCH(qreal, dpi);
    SimCameras cameras;
    cameras.plug("a.cam", "name=A\nbrightness=0,100,1,50,60,1\n");
    MainWindow window;
    auto *left = window.findChild<WinLeft *>("Win_Left");
    QVERIFY(left->children().isEmpty());
    QMetaObject::invokeMethod(&window, "onLogicalDotsPerInchChanged", Q_ARG(qreal, dpi));
    if (first == "open")
        QMetaObject::invokeMethod(&window, "Tool_Show", Q_ARG(bool, true));
    else if (first == "frame")
        window.show();
    QTRY_VERIFY(left->isBuilt());
    // The first frame brings the first camera with the panel; the start's timer does not wait.
    QCOMPARE(window.property("cameraOpen").toBool(), first != "open");
    window.show();
    QTRY_VERIFY(window.property("cameraOpen").toBool());

    // Placed for its density, shown with the window, holding what the camera said.
    const double f = dpi / 96.0;
    QCOMPARE(window.findChild<QWidget *>("BT_RST_PTZ")->geometry(),
             QRect(int(215 * f), int(380 * f), int(48 * f), int(25 * f)));
    for (QWidget *control : left->findChildren<QWidget *>(QString(), Qt::FindDirectChildrenOnly))
        QVERIFY2(control->isVisible(), qPrintable(control->objectName()));
    QCOMPARE(window.findChild<QSlider *>("Slider_Brightness")->value(), 60);
    QCOMPARE(window.findChild<QLineEdit *>("v_brightness")->text(), QString("60"));
}

void tst_WindowConstruction::deviceIsCreatedFirst()
{
    TraceFile trace;
    MessageBoxCatcher boxes;
    {
        MainWindow window;
        QCOMPARE(trace.lines(), QStringList{"CreateDevice 0"});
        QTRY_VERIFY(trace.lines().size() > 1);
    }
    QCOMPARE(trace.lines().mid(0, 3), (QStringList{"CreateDevice 0", "Initial", "EnumUSBDevices"}));
    QCOMPARE(boxes.count(), 0);
}

void tst_WindowConstruction::survivesWithoutDeviceObject()
{
    qputenv("CAMERACTRL_BACKEND", "none-such");
    MessageBoxCatcher boxes;
    {
        MainWindow window;
        window.show();
        QVERIFY(!window.property("cameraPresent").toBool());
        QTRY_COMPARE(boxes.count(), 1);
        QCOMPARE(boxes.shown().first().text, QString("Please plug in the morvane's camera !"));
        QVERIFY(!window.property("cameraPresent").toBool());
        // While a warning shows, another only raises it: wait until the user has closed it.
        QTRY_COMPARE(MessageBoxCatcher::open(), 0);

        // Every way of reaching the camera warns or stays silent; none crashes.
        auto *brightness = window.findChild<QSlider *>("Slider_Brightness");
        emit brightness->sliderMoved(3);
        QCOMPARE(boxes.count(), 2);
        QMetaObject::invokeMethod(&window, "Setting_Press", Q_ARG(int, 0));
        QVERIFY(!window.property("cameraPresent").toBool());
        for (int code : {1, 2, 3, 9, 15})
            QMetaObject::invokeMethod(&window, "LWin_BT_Pressed", Q_ARG(int, code));
        for (int code : {5, 6, 7, 8, 9})
            QMetaObject::invokeMethod(&window, "RWin_BT_Pressed", Q_ARG(int, code));
        QMetaObject::invokeMethod(&window, "MovePlace", Q_ARG(int, 0));
        QCOMPARE(boxes.count(), 2);
    }
    qputenv("CAMERACTRL_BACKEND", "sim");
}

QTEST_MAIN(tst_WindowConstruction)
#include "tst_windowconstruction.moc"
