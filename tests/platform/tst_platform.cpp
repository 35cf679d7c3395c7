// SPDX-License-Identifier: GPL-2.0-or-later
// The Win32 stand-ins: device-change messages reach a registered window's nativeEvent the
// way Windows delivers them, and the topmost band follows SetWindowPos.
#include "DeviceNotifier.h"
#include "SimCameras.h"
#include "Win32.h"

#include <QtTest>

namespace {

class Recipient : public QWidget
{
public:
    struct Message
    {
        QByteArray type;
        HWND hwnd;
        UINT message;
        WPARAM wParam;
        DWORD recordType;
    };
    QList<Message> received;

    HWND handle() { return reinterpret_cast<HWND>(winId()); }
    int count(WPARAM event) const
    {
        return int(std::count_if(received.begin(), received.end(),
                                 [event](const Message &m) { return m.wParam == event; }));
    }

protected:
    bool nativeEvent(const QByteArray &eventType, void *message, long *result) override
    {
        if (eventType == "windows_generic_MSG") {
            const auto *msg = static_cast<const MSG *>(message);
            const auto *record = reinterpret_cast<const DEV_BROADCAST_HDR *>(msg->lParam);
            received.append({eventType, msg->hwnd, msg->message, msg->wParam,
                             record ? record->dbch_devicetype : 0});
            return true;
        }
        return QWidget::nativeEvent(eventType, message, result);
    }
};

DEV_BROADCAST_DEVICEINTERFACE_W usbFilter()
{
    DEV_BROADCAST_DEVICEINTERFACE_W filter = {};
    filter.dbcc_size = sizeof(filter);
    filter.dbcc_devicetype = DBT_DEVTYP_DEVICEINTERFACE;
    filter.dbcc_classguid = GUID_DEVINTERFACE_USB_DEVICE;
    return filter;
}

} // namespace

class tst_Platform : public QObject
{
    Q_OBJECT

private slots:
    void plugAndUnplugReachNativeEvent();
    void unregisteredWindowHearsNothing();
    void badRegistrationsAreRefused();
    void registrationFailsWithoutUdev();
    void topmostFollowsSetWindowPos();
};

void tst_Platform::plugAndUnplugReachNativeEvent()
{
    SimCameras cameras;
    Recipient window;
    auto filter = usbFilter();
    QVERIFY(RegisterDeviceNotificationW(window.handle(), &filter, DEVICE_NOTIFY_WINDOW_HANDLE));

    cameras.plug("a.cam", "name=A\n");
    QTRY_COMPARE(window.count(DBT_DEVICEARRIVAL), 1);
    cameras.plug("b.cam");
    cameras.plug("c.cam");
    QTRY_COMPARE(window.count(DBT_DEVICEARRIVAL), 3);
    cameras.plug("notes.txt");
    cameras.unplug("a.cam");
    QTRY_COMPARE(window.count(DBT_DEVICEREMOVECOMPLETE), 1);
    QTest::qWait(100);
    QCOMPARE(window.received.size(), 4);

    for (const Recipient::Message &m : window.received) {
        QCOMPARE(m.type, QByteArray("windows_generic_MSG"));
        QCOMPARE(m.hwnd, window.handle());
        QCOMPARE(m.message, WM_DEVICECHANGE);
        QCOMPARE(m.recordType, DBT_DEVTYP_DEVICEINTERFACE);
    }
}

void tst_Platform::unregisteredWindowHearsNothing()
{
    SimCameras cameras;
    Recipient kept, dropped;
    auto filter = usbFilter();
    QVERIFY(RegisterDeviceNotificationW(kept.handle(), &filter, 0));
    HDEVNOTIFY handle = RegisterDeviceNotificationW(dropped.handle(), &filter, 0);
    QVERIFY(handle);
    QVERIFY(UnregisterDeviceNotification(handle));
    QVERIFY(!UnregisterDeviceNotification(handle));

    cameras.plug("a.cam");
    QTRY_COMPARE(kept.received.size(), 1);
    QTest::qWait(50);
    QVERIFY(dropped.received.isEmpty());
}

void tst_Platform::badRegistrationsAreRefused()
{
    Recipient window;
    auto filter = usbFilter();
    SetLastError(0);
    QVERIFY(!RegisterDeviceNotificationW(window.handle(), nullptr, 0));
    QCOMPARE(GetLastError(), ERROR_INVALID_PARAMETER);
    QVERIFY(!RegisterDeviceNotificationW(window.handle(), &filter, 4));
    QCOMPARE(GetLastError(), ERROR_INVALID_PARAMETER);
    auto wrongType = filter;
    wrongType.dbcc_devicetype = 2;
    QVERIFY(!RegisterDeviceNotificationW(window.handle(), &wrongType, 0));
    QCOMPARE(GetLastError(), ERROR_INVALID_PARAMETER);
    QVERIFY(!RegisterDeviceNotificationW(reinterpret_cast<HANDLE>(0x7fff0000), &filter, 0));
    QCOMPARE(GetLastError(), ERROR_INVALID_WINDOW_HANDLE);
}

void tst_Platform::registrationFailsWithoutUdev()
{
    Recipient window;
    auto filter = usbFilter();
    DeviceNotifier::setUdevBlockedForTesting(true);
    SetLastError(0);
    const HDEVNOTIFY handle = RegisterDeviceNotificationW(window.handle(), &filter, 0);
    DeviceNotifier::setUdevBlockedForTesting(false);
    QVERIFY(!handle);
    QVERIFY(GetLastError() != 0);
}

void tst_Platform::topmostFollowsSetWindowPos()
{
    Recipient window;
    const UINT flags = SWP_NOMOVE | SWP_NOSIZE | SWP_SHOWWINDOW;
    QVERIFY(!IsWindowTopmost(window.handle()));
    QVERIFY(SetWindowPos(window.handle(), HWND_TOPMOST, 0, 0, 0, 0, flags));
    QVERIFY(IsWindowTopmost(window.handle()));
    QVERIFY(SetWindowPos(window.handle(), HWND_NOTOPMOST, 0, 0, 0, 0, flags));
    QVERIFY(!IsWindowTopmost(window.handle()));

    SetLastError(0);
    QVERIFY(!SetWindowPos(reinterpret_cast<HWND>(0x7fff0000), HWND_TOPMOST, 0, 0, 0, 0, flags));
    QCOMPARE(GetLastError(), ERROR_INVALID_WINDOW_HANDLE);
}

QTEST_MAIN(tst_Platform)
#include "tst_platform.moc"
