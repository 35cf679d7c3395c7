// SPDX-License-Identifier: GPL-2.0-or-later
#include "MainWindow.h"
#include "CameraSession.h"
#include "DisplayServer.h"
#include "EdgeStrip.h"
#include "ScreenDensity.h"
#include "Ui_MainWindow.h"
#include "Win32.h"
#include "WinLeft.h"
#include "WinRight.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDeadlineTimer>
#include <QDesktopWidget>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QRegion>
#include <QScreen>
#include <QSlider>
#include <QTimer>
#include <QWindow>

namespace {

constexpr UINT KeepPlace = SWP_NOMOVE | SWP_NOSIZE | SWP_SHOWWINDOW;

} // namespace

MainWindow::MainWindow(QWidget *parent) : QMainWindow(parent), ui(std::make_unique<Ui_MainWindow>())
{
    ui->setupUi(this);
    // The form's "MainWindow" is a placeholder; task lists, switchers and screen readers
    // show this even though no title bar is drawn.
    setWindowTitle(QStringLiteral("PTZ Panel"));

    const double factor = firstScreenDensity();
    scaledDpi = factor * 96.0;
    scaleWidgets(*this, factor);
    resize(static_cast<int>(width() * factor), static_cast<int>(height() * factor));
    if (!QGuiApplication::screens().isEmpty())
        connect(QGuiApplication::screens().first(), SIGNAL(logicalDotsPerInchChanged(qreal)), this,
                SLOT(onLogicalDotsPerInchChanged(qreal)));
    leftPanelWidth = ui->Win_Left->width();

    docked = false;
    leftShown = false;
    dragging = false;
    initTimer = new QTimer(this);
    onTop = true;
    device = BaseDevice::CreateDevice(DEVICE_USB);
    // Without a device object no camera can ever be reached: say so instead of crashing.
    session = std::make_unique<CameraSession>(device);
    // The window follows its session, whoever asked the camera for what.
    connect(session.get(), &CameraSession::connectionChanged, this, &MainWindow::showConnection);
    connect(session.get(), &CameraSession::imageLoaded, this, &MainWindow::showImageReported);
    connect(session.get(), &CameraSession::capabilitiesChanged, this,
            &MainWindow::showCapabilities);
    connect(session.get(), &CameraSession::positionRead, this, &MainWindow::showPositionReported);
    connect(session.get(), &CameraSession::imageChanged, this, &MainWindow::showImageChanged);
    connect(session.get(), &CameraSession::modesChanged, this, &MainWindow::showImageReported);
    connect(session.get(), &CameraSession::presetChanged, this, &MainWindow::showPresets);
    connect(session.get(), &CameraSession::tallyChanged, ui->Win_Right, &WinRight::showTally);

    setWindowFlags(Qt::FramelessWindowHint);
    setAttribute(Qt::WA_TranslucentBackground, true);
    // The panel floats beside the application the user works in, which keeps the focus:
    // Qt would show tooltips only once the panel is clicked.
    setAttribute(Qt::WA_AlwaysShowToolTips);
    SetWindowPos(reinterpret_cast<HWND>(winId()), HWND_TOPMOST, 0, 0, 0, 0, KeepPlace);

    // The image panel starts shut; the fold key slides it open.
    ui->frame->setGeometry(268, 0, 0, 417);
    ui->Win_Left->setGeometry(268, 0, 0, 417);
    ui->Label_Hide_L->hide();
    ui->Label_Hide_R->hide();
    updateShape();
    QApplication::setEffectEnabled(Qt::UI_AnimateCombo, false);

    findControls();
    connectPanels();
    limitPositions();
    // The window holds the focus itself until the user clicks or tabs into a control, so
    // that the keys steer the camera from the start instead of a control Qt would pick.
    setFocusPolicy(Qt::ClickFocus);
    setFocus(Qt::OtherFocusReason);
    initTimer->start(EnumerationDelayMs);
    registerForDeviceChanges();
    watchNetworkCameras();
}

MainWindow::~MainWindow() = default;

void MainWindow::findControls()
{
    const QWidget *right = ui->Win_Right;
    Box_Camera_USB = right->findChild<QComboBox *>("Box_Camera_USB");
    Slider_Zoom = right->findChild<QSlider *>("Slider_Zoom");
    set_pan_data = right->findChild<QLineEdit *>("set_pan_data");
    set_tilt_data = right->findChild<QLineEdit *>("set_tilt_data");
    get_pan_data = right->findChild<QLineEdit *>("get_pan_data");
    get_tilt_data = right->findChild<QLineEdit *>("get_tilt_data");
}

void MainWindow::buildImagePanel()
{
    WinLeft *left = ui->Win_Left;
    if (left->isBuilt())
        return;
    left->build(scaledDpi / 96.0);
    findImageControls();
    connectImagePanel();
    // Whatever the camera reported, or a remote command set, before the panel was there is
    // in the session.
    if (session->isOpen())
        showImageReported();
    showCapabilities();
}

void MainWindow::findImageControls()
{
    const QWidget *left = ui->Win_Left;
    Slider_Brightness = left->findChild<QSlider *>("Slider_Brightness");
    Slider_Contrast = left->findChild<QSlider *>("Slider_Contrast");
    Slider_Hue = left->findChild<QSlider *>("Slider_Hue");
    Slider_Saturation = left->findChild<QSlider *>("Slider_Saturation");
    Slider_Sharpness = left->findChild<QSlider *>("Slider_Sharpness");
    Slider_Gamma = left->findChild<QSlider *>("Slider_Gamma");
    Slider_BLC = left->findChild<QSlider *>("Slider_BLC");
    Slider_WB = left->findChild<QSlider *>("Slider_WB");
    v_brightness = left->findChild<QLineEdit *>("v_brightness");
    v_contrast = left->findChild<QLineEdit *>("v_contrast");
    v_hue = left->findChild<QLineEdit *>("v_hue");
    v_saturation = left->findChild<QLineEdit *>("v_saturation");
    v_sharpness = left->findChild<QLineEdit *>("v_sharpness");
    v_gamma = left->findChild<QLineEdit *>("v_gamma");
    v_blc = left->findChild<QLineEdit *>("v_blc");
    v_wb = left->findChild<QLineEdit *>("v_wb");
    ComboBox_Flicker = left->findChild<QComboBox *>("ComboBox_Flicker");
    Cb_WB = left->findChild<QCheckBox *>("Cb_WB");
}

void MainWindow::connectImagePanel()
{
    connect(ui->Win_Left, SIGNAL(BT_Pressed(int)), this, SLOT(LWin_BT_Pressed(int)));
    connect(ComboBox_Flicker, SIGNAL(currentTextChanged(QString)), this, SLOT(FlickerChange()));
    connect(Slider_Brightness, SIGNAL(sliderMoved(int)), this, SLOT(Brightness_Change(int)));
    connect(Slider_Contrast, SIGNAL(sliderMoved(int)), this, SLOT(Contrast_Change(int)));
    connect(Slider_Hue, SIGNAL(sliderMoved(int)), this, SLOT(Hue_Change(int)));
    connect(Slider_Saturation, SIGNAL(sliderMoved(int)), this, SLOT(Saturation_Change(int)));
    connect(Slider_Sharpness, SIGNAL(sliderMoved(int)), this, SLOT(Sharpness_Change(int)));
    connect(Slider_Gamma, SIGNAL(sliderMoved(int)), this, SLOT(Gamma_Change(int)));
    connect(Slider_BLC, SIGNAL(sliderMoved(int)), this, SLOT(BLC_Change(int)));
    connect(Slider_WB, SIGNAL(sliderMoved(int)), this, SLOT(WB_Change(int)));
    followSliderActions(Slider_Brightness, &MainWindow::Brightness_Change);
    followSliderActions(Slider_Contrast, &MainWindow::Contrast_Change);
    followSliderActions(Slider_Hue, &MainWindow::Hue_Change);
    followSliderActions(Slider_Saturation, &MainWindow::Saturation_Change);
    followSliderActions(Slider_Sharpness, &MainWindow::Sharpness_Change);
    followSliderActions(Slider_Gamma, &MainWindow::Gamma_Change);
    followSliderActions(Slider_BLC, &MainWindow::BLC_Change);
    followSliderActions(Slider_WB, &MainWindow::WB_Change);
}

void MainWindow::connectPanels()
{
    WinRight *right = ui->Win_Right;
    connect(right, SIGNAL(BT_Show(bool)), this, SLOT(Tool_Show(bool)));
    connect(right, SIGNAL(keyNumchanged(int)), this, SLOT(MovePlace(int)));
    connect(right, SIGNAL(Speed_Pan(int)), this, SLOT(SpeedX(int)));
    connect(right, SIGNAL(Speed_Tilt(int)), this, SLOT(SpeedY(int)));
    connect(right, SIGNAL(BT_Pressed(int)), this, SLOT(RWin_BT_Pressed(int)));
    connect(right, SIGNAL(IPCAMChange(int)), this, SLOT(IPCAMChange(int)));
    connect(Slider_Zoom, SIGNAL(valueChanged(int)), this, SLOT(ZoomChange()));
    connect(Slider_Zoom, SIGNAL(sliderReleased()), this, SLOT(ZoomStop()));
    connect(right, SIGNAL(ChangePresetno(int)), this, SLOT(ChangePresetno(int)));
    connect(right, SIGNAL(Setting_Press(int)), this, SLOT(Setting_Press(int)));
    connect(initTimer, SIGNAL(timeout()), this, SLOT(TimerInit()));
    for (QLineEdit *field : {set_pan_data, set_tilt_data})
        connect(field, &QLineEdit::textEdited, this, [this, field] { markRefused(field, false); });
}

void MainWindow::followSliderActions(QSlider *slider, void (MainWindow::*slot)(int))
{
    // Keys, the wheel and clicks on the groove move a slider without sliderMoved, which only
    // a drag of the handle emits: they come as actions, with the new position already set and
    // the value not yet. Values set by the program are no action and reach no slot.
    connect(slider, &QAbstractSlider::actionTriggered, this, [this, slider, slot](int action) {
        const bool dragged = action == QAbstractSlider::SliderMove && slider->isSliderDown();
        if (!dragged && slider->sliderPosition() != slider->value())
            (this->*slot)(slider->sliderPosition());
    });
}

void MainWindow::registerForDeviceChanges()
{
    DEV_BROADCAST_DEVICEINTERFACE_W filter = {};
    filter.dbcc_size = sizeof(DEV_BROADCAST_DEVICEINTERFACE_W);
    filter.dbcc_devicetype = DBT_DEVTYP_DEVICEINTERFACE;
    filter.dbcc_reserved = 0;
    filter.dbcc_classguid = GUID_DEVINTERFACE_USB_DEVICE;
    filter.dbcc_name[0] = 0;
    if (!RegisterDeviceNotificationW(reinterpret_cast<HANDLE>(winId()), &filter,
                                     DEVICE_NOTIFY_WINDOW_HANDLE))
        GetLastError(); // no hot-plug then; the panel still works with what is attached
}

// ---- Screen density ---------------------------------------------------------------------

void MainWindow::onLogicalDotsPerInchChanged(qreal dpi)
{
    if (!(dpi > 0))
        return;
    // Relative to the density the geometry was last scaled for, so that going back to a
    // density gives back its size instead of compounding.
    const double factor = dpi / scaledDpi;
    scaledDpi = dpi;
    scaleWidgets(*this, factor);
    resize(static_cast<int>(width() * factor), static_cast<int>(height() * factor));
    // A shut panel measures 0 wide; keep a slide distance that still opens it in full.
    if (ui->Win_Left->width() > 0)
        leftPanelWidth = ui->Win_Left->width();
    else
        leftPanelWidth = static_cast<int>(leftPanelWidth * factor);
    updateShape();
}

// ---- Window behaviour -------------------------------------------------------------------

int MainWindow::desktopWidth() const
{
    return QApplication::desktop()->width();
}

void MainWindow::mousePressEvent(QMouseEvent *event)
{
    if (event->button() != Qt::LeftButton)
        return;
    // Where the compositor places windows, it can still move one the user drags.
    if (!windowsPlaceThemselves() && windowHandle()) {
        windowHandle()->startSystemMove();
        return;
    }
    dragging = true;
    dragPosition = event->pos();
}

void MainWindow::mouseMoveEvent(QMouseEvent *event)
{
    if (dragging)
        move(pos() + event->pos() - dragPosition);
}

void MainWindow::mouseReleaseEvent(QMouseEvent *event)
{
    dragging = false;
    docked = desktopWidth() <= frameGeometry().x() + width();
    QMainWindow::mouseReleaseEvent(event);
}

void MainWindow::leaveEvent(QEvent *event)
{
    if (docked) {
        const int w = width();
        // Only the edge strip of the visible part stays on the desktop.
        const int part = leftShown ? w : ui->Win_Right->width();
        move(desktopWidth() - w + 10, frameGeometry().y());
        for (int step = 10; step <= part - 20; step += 10)
            move(x() + 10, y());
        move(x() + part % 10, y());
        (leftShown ? ui->Label_Hide_L : ui->Label_Hide_R)->show();
        updateShape();
    }
    QMainWindow::leaveEvent(event);
}

void MainWindow::enterEvent(QEvent *event)
{
    const int w = width();
    const int visible = ui->Win_Right->width();
    const int offDesktop = desktopWidth() - frameGeometry().x();
    // Hidden means exactly the edge strip is left on the desktop; an enter without a
    // leave before it (say, after a modal message) must not push a shown window away.
    const bool hidden = leftShown ? offDesktop == 10 : offDesktop == w - visible + 10;
    if (docked && hidden) {
        const int part = leftShown ? w : visible;
        for (int step = 10; step <= part - 10; step += 10)
            move(x() - 10, y());
        move(x() - part % 10, y());
        ui->Label_Hide_L->hide();
        ui->Label_Hide_R->hide();
        updateShape();
    }
    QMainWindow::enterEvent(event);
}

void MainWindow::timerEvent(QTimerEvent *) {}

void MainWindow::showEvent(QShowEvent *event)
{
    QMainWindow::showEvent(event);
    if (!framed && windowHandle())
        windowHandle()->installEventFilter(this);
}

bool MainWindow::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == windowHandle() && event->type() == QEvent::Expose &&
        windowHandle()->isExposed()) {
        watched->removeEventFilter(this);
        framed = true;
        // The first frame is painted as this exposure is handled; the camera and the panel
        // come after it.
        QTimer::singleShot(0, this, &MainWindow::afterFirstFrame);
    }
    return QMainWindow::eventFilter(watched, event);
}

void MainWindow::afterFirstFrame()
{
    // The timer's 500 ms gather a burst of hot-plug messages into one enumeration; at start
    // there is no burst, and the timer only stands in for a window that is never shown. The
    // enumeration asks the drivers and opens the camera without waiting for it: its worker
    // reads it while the panel is built.
    if (initTimer->isActive())
        TimerInit();
    buildImagePanel();
}

bool MainWindow::focusNextPrevChild(bool next)
{
    // Qt would tab into the shut image panel too: its controls are there, only 0 wide.
    QWidget *const start = focusWidget() ? focusWidget() : this;
    for (QWidget *w = start;;) {
        w = next ? w->nextInFocusChain() : w->previousInFocusChain();
        if (!w || w == start)
            return false;
        const bool stop = (w->focusPolicy() & Qt::TabFocus) && w->isEnabled() &&
                          w->isVisibleTo(this) && (leftShown || !ui->Win_Left->isAncestorOf(w));
        if (stop) {
            w->setFocus(next ? Qt::TabFocusReason : Qt::BacktabFocusReason);
            return true;
        }
    }
}

void MainWindow::setLeftPanelGeometry(int x, int width)
{
    ui->frame->setGeometry(x, 0, width, height());
    ui->Win_Left->setGeometry(x, 0, width, height());
    updateShape();
}

void MainWindow::updateShape()
{
    // The tests' offscreen platform cannot shape windows and would warn at every step.
    if (QGuiApplication::platformName() == QLatin1String("offscreen"))
        return;
    // What the window does not draw is not there: the desktop shows through it and gets
    // its clicks, with or without a compositor.
    const QWidget *const parts[] = {ui->Win_Right, ui->Win_Left, ui->frame, ui->Label_Hide_L,
                                    ui->Label_Hide_R};
    QRegion shape;
    for (const QWidget *part : parts)
        if (!part->isHidden() && part->width() > 0)
            shape += part->geometry().translated(ui->centralwidget->pos());
    setMask(shape);
}

void MainWindow::Tool_Show(bool flag)
{
    if (flag)
        buildImagePanel();
    const int panel = leftPanelWidth;
    for (int shown = 20; shown <= panel; shown += 20) {
        if (flag)
            setLeftPanelGeometry(panel - shown, shown);
        else
            setLeftPanelGeometry(shown, panel - shown);
        repaint();
    }
    setLeftPanelGeometry(flag ? 0 : panel, flag ? panel : 0);
    leftShown = flag;
    // The keyboard must not stay in a panel that is no longer there: it goes to the fold key.
    if (!flag && focusWidget() && ui->Win_Left->isAncestorOf(focusWidget()))
        ui->Win_Right->findChild<QWidget *>(QStringLiteral("toolButton"))
            ->setFocus(Qt::OtherFocusReason);
}

void MainWindow::setTopmost(bool topmost)
{
    SetWindowPos(reinterpret_cast<HWND>(winId()), topmost ? HWND_TOPMOST : HWND_NOTOPMOST, 0, 0, 0,
                 0, KeepPlace);
}

bool MainWindow::sleep(uint msec)
{
    // Monotonic: the wall clock may pass midnight or jump while events are processed.
    const QDeadlineTimer deadline(static_cast<qint64>(msec), Qt::PreciseTimer);
    while (!deadline.hasExpired())
        QCoreApplication::processEvents(QEventLoop::AllEvents, 100);
    return true;
}
