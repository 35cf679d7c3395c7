// SPDX-License-Identifier: GPL-2.0-or-later
// The panel's look, shot and compared, so that a change to how it is styled can show it left
// the look alone:
//   lookshots capture PROGRAM OUTDIR   on $DISPLAY: runs the real PROGRAM (simulated cameras,
//                                      one able to do everything, one greyed throughout),
//                                      drives it with xdotool and saves the screen at each
//                                      step: shut and open, every control hovered, focused
//                                      and with its tooltip, the keys that check checked,
//                                      the selectors dropped down, the tally lit.
//   lookshots compare BEFORE AFTER [TOLERANCE [DIFFDIR]]
//                                      compares the shots of two captures pixel by pixel:
//                                      a channel differing by at most TOLERANCE (default
//                                      24) is antialiasing; more is a change of look. Writes
//                                      the differing pixels in red to DIFFDIR if given.
// bench/look.sh runs both for a revision against the working tree.
#include <QDir>
#include <QDirIterator>
#include <QFileInfo>
#include <QGuiApplication>
#include <QImage>
#include <QPixmap>
#include <QProcess>
#include <QRect>
#include <QScreen>
#include <QTemporaryDir>
#include <QThread>

#include <algorithm>
#include <cstdio>
#include <cstdlib>

namespace {

// The controls, where the forms put them at 96 dpi in their panel.
struct Control
{
    const char *name;
    bool left; // in the image settings panel
    QRect rect;
};

const Control Controls[] = {
    {"BT_Close", false, {185, 2, 37, 16}},
    {"BT_Top", false, {147, 2, 37, 16}},
    {"Box_Camera_USB", false, {70, 40, 140, 16}},
    {"widget", false, {70, 85, 100, 100}},
    {"set_pan_tilt", false, {30, 180, 58, 27}},
    {"get_pan_tilt", false, {150, 180, 58, 27}},
    {"set_pan_data", false, {30, 214, 61, 20}},
    {"get_pan_data", false, {150, 214, 61, 20}},
    {"set_tilt_data", false, {30, 240, 61, 20}},
    {"get_tilt_data", false, {150, 240, 61, 20}},
    {"Slider_Zoom", false, {80, 265, 80, 16}},
    {"BT_Set", false, {30, 300, 75, 27}},
    {"BT_Clear", false, {133, 300, 75, 27}},
    {"BT_0", false, {30, 330, 58, 27}},
    {"BT_1", false, {90, 330, 58, 27}},
    {"BT_2", false, {150, 330, 58, 27}},
    {"BT_3", false, {30, 360, 58, 27}},
    {"BT_4", false, {90, 360, 58, 27}},
    {"BT_5", false, {150, 360, 58, 27}},
    {"BT_6", false, {30, 390, 58, 27}},
    {"BT_7", false, {90, 390, 58, 27}},
    {"BT_8", false, {150, 390, 58, 27}},
    {"toolButton", false, {0, 0, 25, 417}},
    {"Slider_Brightness", true, {70, 20, 92, 16}},
    {"Slider_Contrast", true, {70, 60, 92, 16}},
    {"Slider_Hue", true, {70, 100, 92, 16}},
    {"Slider_Saturation", true, {70, 140, 92, 16}},
    {"Slider_Sharpness", true, {70, 180, 92, 16}},
    {"Slider_Gamma", true, {70, 220, 92, 16}},
    {"Slider_BLC", true, {70, 260, 92, 16}},
    {"Slider_WB", true, {30, 340, 131, 16}},
    {"v_brightness", true, {165, 20, 40, 20}},
    {"v_wb", true, {165, 340, 40, 20}},
    {"Cb_WB", true, {178, 303, 16, 16}},
    {"ComboBox_Flicker", true, {75, 391, 55, 16}},
    {"BT_IR", true, {215, 20, 48, 25}},
    {"BT_DAY", true, {215, 60, 48, 25}},
    {"BT_Flip", true, {215, 100, 48, 25}},
    {"BT_Mirror", true, {215, 140, 48, 25}},
    {"BT_Menu", true, {215, 180, 48, 25}},
    {"BT_HOME", true, {215, 220, 48, 25}},
    {"BT_AI", true, {215, 260, 48, 25}},
    {"BT_PUSH", true, {215, 300, 48, 25}},
    {"BT_Reset", true, {215, 340, 48, 25}},
    {"BT_RST_PTZ", true, {215, 380, 48, 25}},
};

constexpr int RightPanelX = 267;
constexpr int TabStops = 45; // more than both panels have, so the chain comes round

// A camera that can do nothing: every key greyed, every slider too.
const char GreyedCamera[] =
    "name=Greyed\n"
    "lacks=pantilt,zoom,position,presets,home,ptzreset,flip,mirror,ir,daynight,menu,framing,"
    "imagedefaults,whitebalanceauto,flicker,tally,zoomposition,pantiltmove\n"
    "brightness=0,255,1,128,128,0\ncontrast=0,255,1,128,128,0\nhue=0,255,1,128,128,0\n"
    "saturation=0,255,1,128,128,0\nsharpness=0,255,1,128,128,0\ngamma=0,255,1,128,128,0\n"
    "backlight=0,255,1,128,128,0\nwhitebalance=2800,6500,1,4600,4600,0\n";

void pause(int ms)
{
    QThread::msleep(ulong(ms));
}

class Capture
{
public:
    Capture(const QString &program, const QString &out) : program(program), out(out) {}

    bool run(const QString &name, const QByteArray &camera)
    {
        prefix = name;
        QTemporaryDir home;
        QDir(home.path()).mkpath("config");
        QDir(home.path()).mkpath("runtime");
        QFile::setPermissions(home.filePath("runtime"),
                              QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        env = QProcessEnvironment::systemEnvironment();
        for (const char *unset : {"QT_QPA_PLATFORM", "QT_SCALE_FACTOR", "CAMERACTRL_TRACE",
                                  "CAMERACTRL_SIM_DIR", "CAMERACTRL_VISCA", "WAYLAND_DISPLAY"})
            env.remove(unset);
        env.insert("CAMERACTRL_BACKEND", "sim");
        env.insert("XDG_CONFIG_HOME", home.filePath("config"));
        env.insert("XDG_RUNTIME_DIR", home.filePath("runtime"));
        if (!camera.isEmpty()) {
            QDir(home.path()).mkpath("cameras");
            QFile file(home.filePath("cameras/a.cam"));
            if (!file.open(QIODevice::WriteOnly) || file.write(camera) != camera.size())
                return false;
            env.insert("CAMERACTRL_SIM_DIR", home.filePath("cameras"));
        }
        QProcess panel;
        panel.setProcessEnvironment(env);
        panel.start(program, QStringList());
        if (!panel.waitForStarted(5000) || !findWindow())
            return false;
        pid = panel.processId();
        pause(1500); // the camera's values reach the panel 500 ms after start
        shoot();
        panel.kill();
        panel.waitForFinished(3000);
        return true;
    }

private:
    QString xdotool(const QStringList &arguments) const
    {
        QProcess tool;
        tool.setProcessEnvironment(env);
        tool.start("xdotool", arguments);
        tool.waitForFinished(5000);
        return QString::fromLocal8Bit(tool.readAllStandardOutput()).trimmed();
    }

    bool findWindow()
    {
        window.clear();
        for (int tries = 0; tries < 200 && window.isEmpty(); ++tries) {
            window =
                xdotool({"search", "--onlyvisible", "--name", "^PTZ Panel$"}).section('\n', 0, 0);
            if (window.isEmpty())
                pause(50);
        }
        if (window.isEmpty())
            return false;
        QRect geometry;
        for (const QString &line : xdotool({"getwindowgeometry", "--shell", window}).split('\n')) {
            const int value = line.section('=', 1).toInt();
            if (line.startsWith("X="))
                geometry.moveLeft(value);
            else if (line.startsWith("Y="))
                geometry.moveTop(value);
            else if (line.startsWith("WIDTH="))
                geometry.setWidth(value);
        }
        origin = geometry.topLeft();
        scale = geometry.width() / 491.0;
        return scale > 0;
    }

    QPoint centre(const Control &control) const
    {
        const QPointF middle =
            QRectF(control.rect).center() + QPointF(control.left ? 0 : RightPanelX, 0);
        return origin + (middle * scale).toPoint();
    }

    void pointTo(QPoint at) const
    {
        xdotool({"mousemove", QString::number(at.x()), QString::number(at.y())});
    }

    void click(const Control &control) const
    {
        pointTo(centre(control));
        xdotool({"click", "1"});
    }

    // Somewhere on the desktop, away from the window and where its tooltips would show.
    void pointAway() const
    {
        pointTo(QPoint(QGuiApplication::primaryScreen()->geometry().width() - 5,
                       QGuiApplication::primaryScreen()->geometry().height() - 5));
    }

    void save(const QString &step)
    {
        const QPixmap screen = QGuiApplication::primaryScreen()->grabWindow(0);
        screen.save(QDir(out).filePath(QStringLiteral("%1-%2.png").arg(prefix, step)), "PNG");
    }

    const Control &named(const char *name) const
    {
        for (const Control &control : Controls)
            if (qstrcmp(control.name, name) == 0)
                return control;
        return Controls[0];
    }

    // A window of the panel's other than its own: a tooltip or a drop-down list.
    bool popupShown() const
    {
        const QString ids = xdotool({"search", "--onlyvisible", "--pid", QString::number(pid)});
        for (const QString &id : ids.split('\n'))
            if (!id.isEmpty() && id != window)
                return true;
        return false;
    }

    // Each control under the pointer, shot before its tooltip is due. Once a tooltip has
    // shown, Qt shows the next at once for a while: a shot that may have caught one is
    // taken again after that while.
    void hoverEach(const QString &step, bool leftOpen)
    {
        for (const Control &control : Controls) {
            if (control.left && !leftOpen)
                continue;
            for (int attempt = 0; attempt < 5; ++attempt) {
                pointTo(centre(control));
                pause(150);
                if (!popupShown()) {
                    save(QStringLiteral("%1-hover-%2").arg(step, control.name));
                    if (!popupShown())
                        break;
                }
                pointAway();
                pause(2500);
            }
        }
        pointAway();
    }

    // Qt keeps showing the tooltip it made for one control while the pointer goes on to the
    // next, in the look the first control's style gave it: each starts afresh here.
    void tooltipEach()
    {
        for (const Control &control : Controls) {
            pointAway();
            pause(600);
            pointTo(centre(control));
            pause(1000);
            save(QStringLiteral("tooltip-%1").arg(control.name));
        }
        pointAway();
        pause(300);
    }

    void focusEach(const QString &step)
    {
        // A click on an empty part of the PTZ panel makes the window active and takes the
        // focus to the panel itself, from where Tab starts.
        pointTo(origin + (QPointF(RightPanelX + 33, 150) * scale).toPoint());
        xdotool({"click", "1"});
        pointAway();
        pause(200);
        for (int stop = 0; stop < TabStops; ++stop) {
            xdotool({"key", "Tab"});
            pause(100); // well inside the text cursor's first half-second
            save(QStringLiteral("%1-focus-%2").arg(step).arg(stop, 2, 10, QChar('0')));
        }
    }

    void checkEach()
    {
        const auto toggled = [this](const char *name, const QString &step) {
            click(named(name));
            pointAway();
            pause(200);
            save(step);
            click(named(name));
            pointAway();
            pause(200);
        };
        toggled("BT_Set", "checked-BT_Set");
        toggled("BT_Clear", "checked-BT_Clear");
        toggled("BT_Top", "unchecked-BT_Top");
        toggled("Cb_WB", "checked-Cb_WB");
        // A stored preset shows its caption in blue.
        click(named("BT_Set"));
        click(named("BT_4"));
        pointAway();
        pause(300);
        save("stored-BT_4");
    }

    void dropDown(const char *name)
    {
        click(named(name));
        pause(300);
        save(QStringLiteral("dropped-%1").arg(name));
        xdotool({"key", "Escape"});
        pointAway();
        pause(200);
    }

    void tally(const char *state)
    {
        QProcess command;
        command.setProcessEnvironment(env);
        command.start(program, {"--tally", state});
        command.waitForFinished(5000);
        pause(300);
        save(QStringLiteral("tally-%1").arg(state));
    }

    void shoot()
    {
        pointAway();
        pause(200);
        save("shut");
        hoverEach("shut", false);
        focusEach("shut");
        click(named("toolButton"));
        pointAway();
        pause(500);
        save("open");
        hoverEach("open", true);
        focusEach("open");
        checkEach();
        dropDown("Box_Camera_USB");
        dropDown("ComboBox_Flicker");
        tally("program");
        tally("preview");
        tally("off");
        tooltipEach();
    }

    QString program;
    QString out;
    QString prefix;
    QProcessEnvironment env;
    QString window;
    qint64 pid = 0;
    QPoint origin;
    double scale = 1;
};

int capture(const QString &program, const QString &out)
{
    QDir().mkpath(out);
    Capture capture(program, out);
    for (const auto &run : {std::make_pair("full", QByteArray()),
                            std::make_pair("greyed", QByteArray(GreyedCamera))}) {
        if (!capture.run(run.first, run.second)) {
            std::fprintf(stderr, "lookshots: %s did not show its window\n", qPrintable(program));
            return 1;
        }
    }
    return 0;
}

int compare(const QString &before, const QString &after, int tolerance, const QString &diffs)
{
    int shots = 0, changed = 0, missing = 0, overTolerance = 0, worst = 0;
    qint64 differing = 0;
    QDirIterator it(before, {"*.png"}, QDir::Files, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        const QString name = QDir(before).relativeFilePath(path);
        const QImage a = QImage(path).convertToFormat(QImage::Format_ARGB32);
        const QImage b = QImage(QDir(after).filePath(name)).convertToFormat(QImage::Format_ARGB32);
        ++shots;
        if (b.isNull() || a.size() != b.size()) {
            std::printf("%s: missing or of another size\n", qPrintable(name));
            ++missing;
            continue;
        }
        QImage marked = b.convertToFormat(QImage::Format_RGB32);
        int count = 0, most = 0;
        for (int y = 0; y < a.height(); ++y) {
            const auto *pa = reinterpret_cast<const QRgb *>(a.constScanLine(y));
            const auto *pb = reinterpret_cast<const QRgb *>(b.constScanLine(y));
            for (int x = 0; x < a.width(); ++x) {
                const int d = std::max({std::abs(qRed(pa[x]) - qRed(pb[x])),
                                        std::abs(qGreen(pa[x]) - qGreen(pb[x])),
                                        std::abs(qBlue(pa[x]) - qBlue(pb[x])),
                                        std::abs(qAlpha(pa[x]) - qAlpha(pb[x]))});
                if (d > 0) {
                    ++count;
                    most = std::max(most, d);
                    marked.setPixel(x, y, qRgb(255, 0, 0));
                }
            }
        }
        if (count == 0)
            continue;
        ++changed;
        differing += count;
        worst = std::max(worst, most);
        if (most > tolerance)
            ++overTolerance;
        std::printf("%s: %d pixels differ, by at most %d%s\n", qPrintable(name), count, most,
                    most > tolerance ? "  CHANGED" : "");
        if (!diffs.isEmpty()) {
            const QString file = QDir(diffs).filePath(name);
            QDir().mkpath(QFileInfo(file).path());
            marked.save(file, "PNG");
        }
    }
    std::printf("%d shots; %d differ (%lld pixels, largest channel difference %d); %d beyond "
                "the tolerance of %d; %d missing\n",
                shots, changed, differing, worst, overTolerance, tolerance, missing);
    return shots > 0 && overTolerance == 0 && missing == 0 ? 0 : 1;
}

} // namespace

int main(int argc, char *argv[])
{
    const QByteArray mode = argc > 1 ? QByteArray(argv[1]) : QByteArray();
    if (mode == "compare" && argc >= 4) {
        QCoreApplication app(argc, argv);
        return compare(QString::fromLocal8Bit(argv[2]), QString::fromLocal8Bit(argv[3]),
                       argc > 4 ? atoi(argv[4]) : 24,
                       argc > 5 ? QString::fromLocal8Bit(argv[5]) : QString());
    }
    if (mode == "capture" && argc == 4) {
        QGuiApplication app(argc, argv);
        return capture(QString::fromLocal8Bit(argv[2]), QString::fromLocal8Bit(argv[3]));
    }
    std::fprintf(stderr, "usage: lookshots capture PROGRAM OUTDIR\n"
                         "       lookshots compare BEFORE AFTER [TOLERANCE [DIFFDIR]]\n");
    return 2;
}
