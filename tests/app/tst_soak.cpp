// SPDX-License-Identifier: GPL-2.0-or-later
// A day at the panel in a minute: thousands of random user actions on the real window
// with simulated cameras coming and going, checking after each that every camera command
// is known and in range, every slider holds a value in its range, and that the panel
// agrees with the attached cameras once an enumeration has settled.
//
// Reproducible: each run is a seed. PTZ_SOAK_SEEDS (comma-separated) and PTZ_SOAK_ACTIONS
// (per seed) make longer runs, e.g. PTZ_SOAK_SEEDS=1,2,3,4,5,6,7,8 PTZ_SOAK_ACTIONS=20000.
#include "PanelHarness.h"
#include "RockerHandle.h"
#include "SliderHandle.h"
#include "StackDump.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QLineEdit>
#include <QRandomGenerator>
#include <QSlider>
#include <QtTest>

#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <thread>

namespace {

// Aborts the run, naming the seed and action, when the panel stops making progress.
class Watchdog
{
public:
    explicit Watchdog(int seconds) : limit(seconds)
    {
        thread = std::thread([this] {
            int quiet = 0;
            long long seen = -1;
            while (!done) {
                std::this_thread::sleep_for(std::chrono::milliseconds(200));
                const long long now = progress;
                quiet = now == seen ? quiet + 200 : 0;
                seen = now;
                if (quiet > limit * 1000) {
                    std::fprintf(stderr, "soak: no progress for %d s at %s\n", limit, where);
                    printAllStacks();
                    std::abort();
                }
            }
        });
    }
    ~Watchdog()
    {
        done = true;
        thread.join();
    }
    void tick(const char *at)
    {
        std::snprintf(where, sizeof where, "%s", at);
        ++progress;
    }

private:
    int limit;
    std::atomic<bool> done{false};
    std::atomic<long long> progress{0};
    char where[160] = "start";
    std::thread thread;
};

struct Range
{
    int arguments;
    long long low, high; // for every numeric argument
};

// What the panel may send, with its arguments' ranges.
const std::map<QString, Range> &knownOperations()
{
    static const std::map<QString, Range> operations = [] {
        std::map<QString, Range> ops;
        for (const char *op : {"Close",
                               "TiltUpStop",
                               "TiltDownStop",
                               "PanLeftStop",
                               "PanRightStop",
                               "ManualFocus",
                               "AutoFocus",
                               "FocusStop",
                               "ZoomStop",
                               "FlipOn",
                               "FlipOff",
                               "MirrorOn",
                               "MirrorOff",
                               "MenuOn",
                               "MenuOff",
                               "Home",
                               "FramingAuto",
                               "FramingManual",
                               "RestoreImageDefaults",
                               "ReadParameters",
                               "IrOn",
                               "IrOff",
                               "DayMode",
                               "NightMode",
                               "PtzReset",
                               "GetPanPosition",
                               "GetTiltPosition",
                               "Initial",
                               "EnumUSBDevices"})
            ops[op] = {0, 0, 0};
        ops["PanLeft"] = ops["PanRight"] = {1, 0, 24};
        ops["TiltUp"] = ops["TiltDown"] = {1, 0, 16};
        ops["ZoomIn"] = ops["ZoomOut"] = {1, 1, 7};
        ops["ClearPreset"] = ops["SetPreset"] = ops["CallPreset"] = {1, 0, 8};
        ops["SetFlicker"] = {1, 1, 2};
        ops["SetWhiteBalanceAuto"] = {1, 0, 1};
        for (const char *op :
             {"SetBrightness", "SetHue", "SetBacklight", "SetGamma", "SetContrast", "SetSaturation",
              "SetSharpness", "SetWhiteBalance", "SetPanPosition", "SetTiltPosition"})
            ops[op] = {1, INT_MIN, INT_MAX};
        return ops;
    }();
    return operations;
}

QString checkTraceLine(const QString &line)
{
    const QStringList parts = line.split(' ');
    if (parts.first() == "Open") {
        bool ok = false;
        const int index = parts.value(1).toInt(&ok);
        return parts.size() == 3 && ok && index >= -1 && index < 64 && parts[2] == "1"
                   ? QString()
                   : "bad Open: " + line;
    }
    const auto found = knownOperations().find(parts.first());
    if (found == knownOperations().end())
        return "unknown operation: " + line;
    if (parts.size() != found->second.arguments + 1)
        return "wrong arguments: " + line;
    for (int i = 1; i < parts.size(); ++i) {
        bool ok = false;
        const long long value = parts[i].toLongLong(&ok);
        if (!ok || value < found->second.low || value > found->second.high)
            return "argument out of range: " + line;
    }
    return {};
}

const QStringList nastyTexts = {
    "",
    "0",
    "-300",
    "+12",
    " 12 ",
    "12abc",
    "left",
    "1e3",
    "2147483648",
    "-2147483649",
    "-2147483648",
    QString(300, '9'),
    "\t-7\n",
    "0x1F",
    QString::fromUtf8("\xef\xbc\x91\xef\xbc\x92"),
    QString::fromUtf8("\xd9\xa3"),
};

const QList<QByteArray> cameraFiles = {
    "name=Ordinary\n",
    "name=Refuses\nopen=fail\n",
    "name=Absurd\nbrightness=50,10,1,30,900,1\nhue=-2147483648,2147483647,1,0,5,0\n",
    "name=\xff\xfe broken name\nwhitebalance=2147483647,-2147483648,1,0,0,1\n",
    "name=Small ranges\ncontrast=0,1,1,0,1,1\nsharpness=3,3,1,3,3,1\n",
    "this is not a camera file\n\x01\x02=,,,\n",
};

} // namespace

class tst_Soak : public QObject
{
    Q_OBJECT

private slots:
    void randomActions_data();
    void randomActions();

private:
    QString step(PanelHarness &h, QRandomGenerator &random, QString &action);
    QString checkInvariants(PanelHarness &h);
    QString settleAndCompare(PanelHarness &h);
};

void tst_Soak::randomActions_data()
{
    QTest::addColumn<quint32>("seed");
    QTest::addColumn<int>("actions");
    const int actions = qEnvironmentVariableIsSet("PTZ_SOAK_ACTIONS")
                            ? qEnvironmentVariableIntValue("PTZ_SOAK_ACTIONS")
                            : 600;
    const QString seeds = qEnvironmentVariable("PTZ_SOAK_SEEDS", "1,2");
    for (const QString &seed : seeds.split(',', Qt::SkipEmptyParts))
        QTest::newRow(qPrintable("seed " + seed)) << seed.toUInt() << actions;
}

void tst_Soak::randomActions()
{
    QFETCH(quint32, seed);
    QFETCH(int, actions);
    QRandomGenerator random(seed);
    PanelHarness h(PanelHarness::NoCamera);
    h.cameras.plug("cam0.cam", cameraFiles[0]);
    QVERIFY(h.start());
    h.trace.take();

    Watchdog watchdog(30);
    QStringList recent; // the last actions, for the failure message
    for (int i = 0; i < actions; ++i) {
        QString action;
        QString error = step(h, random, action);
        if (error.isEmpty())
            error = checkInvariants(h);
        recent.append(QStringLiteral("%1: %2").arg(i).arg(action));
        if (recent.size() > 8)
            recent.removeFirst();
        watchdog.tick(
            qPrintable(QStringLiteral("seed %1 action %2 (%3)").arg(seed).arg(i).arg(action)));
        QVERIFY2(error.isEmpty(),
                 qPrintable(QStringLiteral("seed %1, action %2: %3\nlast actions:\n  %4")
                                .arg(seed)
                                .arg(i)
                                .arg(error, recent.join("\n  "))));
    }
    const QString settled = settleAndCompare(h);
    QVERIFY2(settled.isEmpty(),
             qPrintable(QStringLiteral("seed %1 at the end: %2").arg(seed).arg(settled)));
}

QString tst_Soak::step(PanelHarness &h, QRandomGenerator &random, QString &action)
{
    MainWindow &w = h.window();
    const int kind = random.bounded(100);
    if (kind < 30) {
        QList<QAbstractButton *> buttons = w.findChildren<QAbstractButton *>();
        buttons.erase(std::remove_if(buttons.begin(), buttons.end(),
                                     [](QAbstractButton *b) {
                                         return b->objectName() == "BT_Close"; // ends the run
                                     }),
                      buttons.end());
        QAbstractButton *button = buttons.at(random.bounded(buttons.size()));
        action = "click " + button->objectName();
        button->click();
    } else if (kind < 42) {
        const QList<QSlider *> sliders = h.child<QWidget>("Win_Left")->findChildren<QSlider *>();
        QSlider *slider = sliders.at(random.bounded(sliders.size()));
        const qint64 span = qint64(slider->maximum()) - slider->minimum();
        const int to = int(slider->minimum() + qint64(random.bounded(double(span) + 1.0)));
        action = QStringLiteral("drag %1 to %2").arg(slider->objectName()).arg(to);
        if (slider->isVisible() && slider->width() > 20 && random.bounded(2)) {
            QStyleOptionSlider option;
            option.initFrom(slider);
            option.orientation = Qt::Horizontal;
            option.minimum = slider->minimum();
            option.maximum = slider->maximum();
            option.sliderPosition = option.sliderValue = slider->value();
            const QPoint grip =
                slider->style()
                    ->subControlRect(QStyle::CC_Slider, &option, QStyle::SC_SliderHandle, slider)
                    .center();
            const QPoint end(random.bounded(-20, slider->width() + 20), grip.y());
            QTest::mousePress(slider, Qt::LeftButton, {}, grip);
            QMouseEvent move(QEvent::MouseMove, end, Qt::NoButton, Qt::LeftButton, Qt::NoModifier);
            QCoreApplication::sendEvent(slider, &move);
            QTest::mouseRelease(slider, Qt::LeftButton, {}, end);
        } else {
            emit slider->sliderMoved(to);
        }
    } else if (kind < 50) {
        auto *zoom = h.child<QSlider>("Slider_Zoom");
        const int to = random.bounded(15);
        action = QStringLiteral("zoom to %1").arg(to);
        zoom->setSliderDown(true);
        zoom->setValue(to);
        zoom->setSliderDown(false);
    } else if (kind < 62) {
        auto *joystick = h.child<RockerHandle>("widget");
        const int side = joystick->width();
        const auto point = [&] {
            return QPoint(random.bounded(-20, side + 20), random.bounded(-20, side + 20));
        };
        QPoint at = point();
        action = QStringLiteral("joystick from %1,%2").arg(at.x()).arg(at.y());
        QTest::mousePress(joystick, Qt::LeftButton, {}, at);
        for (int moves = random.bounded(1, 5); moves > 0; --moves) {
            at = point();
            QMouseEvent move(QEvent::MouseMove, at, Qt::NoButton, Qt::LeftButton, Qt::NoModifier);
            QCoreApplication::sendEvent(joystick, &move);
            QTest::qWait(random.bounded(0, 130));
        }
        QTest::mouseRelease(joystick, Qt::LeftButton, {}, at);
    } else if (kind < 67) {
        auto *selector = h.child<QComboBox>("Box_Camera_USB");
        const int index = random.bounded(-1, selector->count());
        action = QStringLiteral("select camera %1").arg(index);
        selector->setCurrentIndex(index);
    } else if (kind < 75) {
        const QString text = nastyTexts.at(random.bounded(nastyTexts.size()));
        const char *field = random.bounded(2) ? "set_pan_data" : "set_tilt_data";
        action = QStringLiteral("type \"%1\" into %2").arg(text.left(12), field);
        auto *edit = h.child<QLineEdit>(field);
        edit->clear();
        // QTest types only plain ASCII; the rest arrives as an input method would put it.
        const bool ascii = std::all_of(text.begin(), text.end(), [](QChar c) {
            return c.unicode() >= 32 && c.unicode() < 127;
        });
        if (ascii)
            QTest::keyClicks(edit, text);
        else
            edit->insert(text);
        h.child<QAbstractButton>(random.bounded(2) ? "set_pan_tilt" : "get_pan_tilt")->click();
    } else if (kind < 79) {
        const int dpi = QList<int>{72, 96, 120, 144}.at(random.bounded(4));
        action = QStringLiteral("density %1 dpi").arg(dpi);
        QMetaObject::invokeMethod(&w, "onLogicalDotsPerInchChanged", Q_ARG(qreal, dpi));
    } else if (kind < 88) {
        const QString file = QStringLiteral("cam%1.cam").arg(random.bounded(6));
        if (QFile::exists(h.cameras.dir() + "/" + file) && random.bounded(2)) {
            action = "unplug " + file;
            h.cameras.unplug(file);
        } else {
            action = "plug " + file;
            h.cameras.plug(file, cameraFiles.at(random.bounded(cameraFiles.size())));
        }
    } else if (kind < 92) {
        action = "device-change burst";
        for (int n = random.bounded(1, 50); n > 0; --n)
            h.deviceChange(random.bounded(2) ? 0x8000 : 0x8004);
    } else if (kind < 97) {
        const int ms = random.bounded(0, 120);
        action = QStringLiteral("wait %1 ms").arg(ms);
        QTest::qWait(ms);
    } else {
        action = "settle";
        return settleAndCompare(h);
    }
    return {};
}

QString tst_Soak::checkInvariants(PanelHarness &h)
{
    for (const QString &line : h.trace.take()) {
        const QString error = checkTraceLine(line);
        if (!error.isEmpty())
            return error;
    }
    for (QSlider *slider : h.window().findChildren<QSlider *>()) {
        if (slider->value() < slider->minimum() || slider->value() > slider->maximum())
            return QStringLiteral("%1 at %2 outside %3..%4")
                .arg(slider->objectName())
                .arg(slider->value())
                .arg(slider->minimum())
                .arg(slider->maximum());
    }
    return {};
}

QString tst_Soak::settleAndCompare(PanelHarness &h)
{
    // File changes reach the window through the watcher, then 500 ms of quiet.
    QTest::qWait(100);
    QElapsedTimer clock;
    clock.start();
    while (!h.settled() && clock.elapsed() < 5000)
        QTest::qWait(20);
    if (!h.settled())
        return "enumeration did not settle";
    const int attached = QDir(h.cameras.dir()).entryList({"*.cam"}, QDir::Files).size();
    if (int(h.window().devices().size()) != attached)
        return QStringLiteral("%1 cameras listed, %2 attached")
            .arg(h.window().devices().size())
            .arg(attached);
    if (h.cameraPresent() != (attached > 0))
        return QStringLiteral("cameraPresent is %1 with %2 cameras attached")
            .arg(h.cameraPresent())
            .arg(attached);
    return checkInvariants(h);
}

QTEST_MAIN(tst_Soak)
#include "tst_soak.moc"
