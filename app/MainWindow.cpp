#include "MainWindow.h"
#include "MoveByKey.h"
#include "ScreenDensity.h"
#include "TimeOfDay.h"
#include "Ui_MainWindow.h"
#include "Win32.h"
#include "WinLeft.h"
#include "WinRight.h"

#include <QApplication>
#include <QComboBox>
#include <QDesktopWidget>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QMouseEvent>
#include <QScreen>
#include <QSlider>
#include <QTimer>

#include <array>

namespace {

constexpr int EnumerationDelayMs = 500;
constexpr int ZoomRest = 7;
constexpr UINT KeepPlace = SWP_NOMOVE | SWP_NOSIZE | SWP_SHOWWINDOW;

// What the last successful connection reported, per image control.
struct CopiedParameter
{
    int current = 0;
    int minimum = 0;
    int maximum = 0;
    int defaultValue = 0;
    int pageStep = 0;
};
std::array<CopiedParameter, ImageControl::Count> parameterCopy;

// The order in which a connection fills the sliders and read-outs.
constexpr ImageControl::Id LoadOrder[] = {
    ImageControl::Backlight,  ImageControl::Gamma,        ImageControl::Contrast,
    ImageControl::Saturation, ImageControl::Brightness,   ImageControl::Hue,
    ImageControl::Sharpness,  ImageControl::WhiteBalance,
};

} // namespace

MainWindow::MainWindow(QWidget *parent) : QMainWindow(parent), ui(std::make_unique<Ui_MainWindow>())
{
    ui->setupUi(this);

    const double factor = firstScreenDensity();
    changeObjectSize(*this, factor);
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
    cameraPresent = device != nullptr;

    setWindowFlags(Qt::FramelessWindowHint);
    setAttribute(Qt::WA_TranslucentBackground, true);
    SetWindowPos(reinterpret_cast<HWND>(winId()), HWND_TOPMOST, 0, 0, 0, 0, KeepPlace);

    // The image panel starts shut; the fold key slides it open.
    ui->frame->setGeometry(268, 0, 0, 417);
    ui->Win_Left->setGeometry(268, 0, 0, 417);
    ui->Label_Hide_L->hide();
    ui->Label_Hide_R->hide();
    QApplication::setEffectEnabled(Qt::UI_AnimateCombo, false);

    findControls();
    connectPanels();
    initTimer->start(EnumerationDelayMs);
    registerForDeviceChanges();
}

MainWindow::~MainWindow() = default;

void MainWindow::findControls()
{
    const QWidget *left = ui->Win_Left;
    const QWidget *right = ui->Win_Right;
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
    Box_Camera_USB = right->findChild<QComboBox *>("Box_Camera_USB");
    Slider_Zoom = right->findChild<QSlider *>("Slider_Zoom");
    set_pan_data = right->findChild<QLineEdit *>("set_pan_data");
    set_tilt_data = right->findChild<QLineEdit *>("set_tilt_data");
    get_pan_data = right->findChild<QLineEdit *>("get_pan_data");
    get_tilt_data = right->findChild<QLineEdit *>("get_tilt_data");
}

void MainWindow::connectPanels()
{
    WinLeft *left = ui->Win_Left;
    WinRight *right = ui->Win_Right;
    connect(left, SIGNAL(BT_Pressed(int)), this, SLOT(LWin_BT_Pressed(int)));
    connect(ComboBox_Flicker, SIGNAL(currentTextChanged(QString)), this, SLOT(FlickerChange()));
    connect(Slider_Brightness, SIGNAL(sliderMoved(int)), this, SLOT(Brightness_Change(int)));
    connect(Slider_Contrast, SIGNAL(sliderMoved(int)), this, SLOT(Contrast_Change(int)));
    connect(Slider_Hue, SIGNAL(sliderMoved(int)), this, SLOT(Hue_Change(int)));
    connect(Slider_Saturation, SIGNAL(sliderMoved(int)), this, SLOT(Saturation_Change(int)));
    connect(Slider_Sharpness, SIGNAL(sliderMoved(int)), this, SLOT(Sharpness_Change(int)));
    connect(Slider_Gamma, SIGNAL(sliderMoved(int)), this, SLOT(Gamma_Change(int)));
    connect(Slider_BLC, SIGNAL(sliderMoved(int)), this, SLOT(BLC_Change(int)));
    connect(Slider_WB, SIGNAL(sliderMoved(int)), this, SLOT(WB_Change(int)));
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

void MainWindow::changeObjectSize(const QObject &o, double objectRate)
{
    // The child count is read afresh each step: resizing may create or drop children.
    for (int i = 0; i < o.children().size(); ++i) {
        QObject *child = o.children().at(i);
        if (!child || !child->isWidgetType())
            continue;
        auto *widget = static_cast<QWidget *>(child);
        widget->setGeometry(static_cast<int>(widget->x() * objectRate),
                            static_cast<int>(widget->y() * objectRate),
                            static_cast<int>(widget->width() * objectRate),
                            static_cast<int>(widget->height() * objectRate));
        changeObjectSize(*widget, objectRate);
    }
}

void MainWindow::onLogicalDotsPerInchChanged(qreal dpi)
{
    const double factor = dpi / 96.0;
    changeObjectSize(*this, factor);
    resize(static_cast<int>(width() * factor), static_cast<int>(height() * factor));
    // A shut panel measures 0 wide; keep a slide distance that still opens it in full.
    if (ui->Win_Left->width() > 0)
        leftPanelWidth = ui->Win_Left->width();
    else
        leftPanelWidth = static_cast<int>(leftPanelWidth * factor);
}

// ---- Window behaviour -------------------------------------------------------------------

int MainWindow::desktopWidth() const
{
    return QApplication::desktop()->width();
}

void MainWindow::mousePressEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton) {
        dragging = true;
        dragPosition = event->pos();
    }
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
    }
    QMainWindow::enterEvent(event);
}

void MainWindow::timerEvent(QTimerEvent *) {}

void MainWindow::setLeftPanelGeometry(int x, int width)
{
    ui->frame->setGeometry(x, 0, width, height());
    ui->Win_Left->setGeometry(x, 0, width, height());
}

void MainWindow::Tool_Show(bool flag)
{
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
}

void MainWindow::setTopmost(bool topmost)
{
    SetWindowPos(reinterpret_cast<HWND>(winId()), topmost ? HWND_TOPMOST : HWND_NOTOPMOST, 0, 0, 0,
                 0, KeepPlace);
}

bool MainWindow::sleep(uint msec)
{
    const QTime deadline = TimeOfDay::now().addMSecs(static_cast<int>(msec));
    while (TimeOfDay::now() < deadline)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 100);
    return true;
}

// ---- Discovery, connection and hot-plug -------------------------------------------------

bool MainWindow::nativeEvent(const QByteArray &eventType, void *message, long *result)
{
    if (eventType != "windows_generic_MSG")
        return QMainWindow::nativeEvent(eventType, message, result);
    const auto *msg = static_cast<const MSG *>(message);
    if (msg->message == WM_DEVICECHANGE &&
        (msg->wParam == DBT_DEVICEARRIVAL || msg->wParam == DBT_DEVICEREMOVECOMPLETE)) {
        // A burst of changes gives one enumeration, after the last of them.
        initTimer->start(EnumerationDelayMs);
        return true;
    }
    return false;
}

void MainWindow::WarnNoCamera()
{
    if (onTop)
        setTopmost(false);
    QMessageBox::warning(nullptr, QStringLiteral("Warning"),
                         QStringLiteral("Please plug in the morvane's camera !"), QMessageBox::Yes,
                         QMessageBox::Yes);
    if (onTop)
        setTopmost(true);
}

void MainWindow::TimerInit()
{
    if (initTimer->isActive()) {
        BaseDevice::Initial();
        Box_Camera_USB->clear();
        if (!device || !BaseDevice::EnumUSBDevices(deviceList)) {
            WarnNoCamera();
            cameraPresent = false;
        } else {
            for (const DeviceInfo &camera : deviceList)
                Box_Camera_USB->addItem(
                    QString::fromUtf8(camera.name.data(), static_cast<int>(camera.name.size())));
            const int count = deviceList.empty() ? 0 : deviceList.back().index + 1;
            if (count == 0) {
                WarnNoCamera();
                cameraPresent = false;
            } else {
                Setting_Press(0);
            }
        }
    }
    initTimer->stop();
}

void MainWindow::Setting_Press(int)
{
    if (!device)
        return;
    device->Close();
    cameraPresent = true;
    BaseDevice::Initial();
    const QByteArray index = QString::number(Box_Camera_USB->currentIndex()).toLatin1();
    if (!device->Open(index.constData(), 1))
        return;
    device->ReadParameters();
    cameraPresent = true;
    device->MenuOff();
    loadImageControls();
}

void MainWindow::loadImageControls()
{
    for (int id = 0; id < ImageControl::Count; ++id) {
        const ParameterRecord &record =
            device->parameters[ImageControl::of(ImageControl::Id(id)).record];
        parameterCopy[id] = {record.currentValue, record.minimum, record.maximum,
                             record.defaultValue, 0};
    }
    for (ImageControl::Id id : LoadOrder) {
        QSlider *slider = sliderOf(id);
        const CopiedParameter &copy = parameterCopy[id];
        slider->setMinimum(copy.minimum);
        slider->setMaximum(copy.maximum);
        slider->setPageStep(copy.pageStep);
        slider->setValue(copy.current);
    }
    Slider_Brightness->setEnabled(device->parameters[PARAM_BRIGHTNESS].available == 1);
    Slider_Hue->setEnabled(device->parameters[PARAM_HUE].available == 1);
    for (ImageControl::Id id : LoadOrder)
        readoutOf(id)->setText(QString::number(parameterCopy[id].current));
}

void MainWindow::IPCAMChange(int)
{
    if (device)
        device->Close();
    cameraPresent = false;
}

void MainWindow::DeviceChange() {}

// ---- Image parameters -------------------------------------------------------------------

QSlider *MainWindow::sliderOf(ImageControl::Id control) const
{
    const std::array<QSlider *, ImageControl::Count> sliders = {
        Slider_Brightness, Slider_Contrast, Slider_Hue, Slider_Saturation,
        Slider_Sharpness,  Slider_Gamma,    Slider_BLC, Slider_WB};
    return sliders[control];
}

QLineEdit *MainWindow::readoutOf(ImageControl::Id control) const
{
    const std::array<QLineEdit *, ImageControl::Count> readouts = {
        v_brightness, v_contrast, v_hue, v_saturation, v_sharpness, v_gamma, v_blc, v_wb};
    return readouts[control];
}

void MainWindow::changeImage(ImageControl::Id control, int position)
{
    readoutOf(control)->setText(QString::number(position));
    if (!cameraPresent) {
        WarnNoCamera();
        return;
    }
    (device->*ImageControl::of(control).set)(position);
}

void MainWindow::Brightness_Change(int position)
{
    changeImage(ImageControl::Brightness, position);
}
void MainWindow::Contrast_Change(int position)
{
    changeImage(ImageControl::Contrast, position);
}
void MainWindow::Hue_Change(int position)
{
    changeImage(ImageControl::Hue, position);
}
void MainWindow::Saturation_Change(int position)
{
    changeImage(ImageControl::Saturation, position);
}
void MainWindow::Sharpness_Change(int position)
{
    changeImage(ImageControl::Sharpness, position);
}
void MainWindow::Gamma_Change(int position)
{
    changeImage(ImageControl::Gamma, position);
}
void MainWindow::BLC_Change(int position)
{
    changeImage(ImageControl::Backlight, position);
}
void MainWindow::WB_Change(int position)
{
    changeImage(ImageControl::WhiteBalance, position);
}

void MainWindow::FlickerChange()
{
    const QString text = ComboBox_Flicker->currentText();
    const int mode = text == QLatin1String("50Hz") ? 1 : text == QLatin1String("60Hz") ? 2 : 0;
    if (mode == 0)
        return;
    if (cameraPresent)
        device->SetFlicker(mode);
    else
        WarnNoCamera();
}

void MainWindow::setWhiteBalanceManual()
{
    device->SetWhiteBalanceAuto(0);
    const int defaultValue = parameterCopy[ImageControl::WhiteBalance].defaultValue;
    Slider_WB->setEnabled(true);
    Slider_WB->setValue(defaultValue);
    v_wb->setText(QString::number(defaultValue));
    device->SetWhiteBalance(defaultValue);
}

void MainWindow::resetImage()
{
    for (int id = 0; id < ImageControl::Count; ++id) {
        const ImageControl::Id control = ImageControl::Id(id);
        sliderOf(control)->setValue(
            device->parameters[ImageControl::of(control).record].defaultValue);
    }
    for (ImageControl::Id id : LoadOrder)
        readoutOf(id)->setText(QString::number(parameterCopy[id].defaultValue));
    device->RestoreImageDefaults();
}

// ---- Pan, tilt, zoom, focus and presets -------------------------------------------------

void MainWindow::MovePlace(int num)
{
    if (num == directionKey)
        return;
    directionKey = num;
    if (cameraPresent)
        MoveByKey(device, directionKey, 3 * panSpeed, 2 * tiltSpeed);
}

void MainWindow::SpeedX(int num)
{
    if (num == panSpeed)
        return;
    panSpeed = num;
    if (cameraPresent)
        MoveByKey(device, directionKey, 3 * panSpeed, 2 * tiltSpeed);
}

void MainWindow::SpeedY(int num)
{
    if (num == tiltSpeed)
        return;
    tiltSpeed = num;
    if (cameraPresent)
        MoveByKey(device, directionKey, 3 * panSpeed, 2 * tiltSpeed);
}

void MainWindow::ZoomChange()
{
    const int value = Slider_Zoom->value();
    zoomOutSpeed = ZoomRest - value;
    zoomInSpeed = value - ZoomRest;
    if (!cameraPresent) {
        WarnNoCamera();
        return;
    }
    if (zoomOutSpeed > 0)
        device->ZoomOut(zoomOutSpeed);
    else if (zoomInSpeed > 0)
        device->ZoomIn(zoomInSpeed);
}

void MainWindow::ZoomStop()
{
    if (cameraPresent)
        device->ZoomStop();
    else
        WarnNoCamera();
}

void MainWindow::FocusChange() {}

void MainWindow::FucusStop()
{
    if (cameraPresent)
        device->FocusStop();
    else
        WarnNoCamera();
}

void MainWindow::AF_MF_Push(int num)
{
    if (num != 1 && num != 2)
        return;
    if (!cameraPresent)
        WarnNoCamera();
    else if (num == 1)
        device->AutoFocus();
    else
        device->ManualFocus();
}

void MainWindow::ChangePresetno(int num)
{
    presetNumber = num;
}

void MainWindow::setAbsolutePosition()
{
    // Text that is no base-10 number goes to the camera as 0.
    const int pan = set_pan_data->text().toInt(nullptr, 10);
    sleep(5);
    const int tilt = set_tilt_data->text().toInt(nullptr, 10);
    device->SetPanPosition(pan);
    sleep(50);
    device->SetTiltPosition(tilt);
}

void MainWindow::readAbsolutePosition()
{
    // A camera that cannot tell leaves these alone; show 0 rather than stack garbage.
    int32_t pan = 0;
    int32_t tilt = 0;
    device->GetPanPosition(&pan);
    sleep(50);
    device->GetTiltPosition(&tilt);
    get_pan_data->setText(QString::number(pan));
    get_tilt_data->setText(QString::number(tilt));
}

// ---- Function buttons -------------------------------------------------------------------

void MainWindow::LWin_BT_Pressed(int flag)
{
    if (!cameraPresent)
        return;
    switch (flag) {
    case 1:
        device->SetWhiteBalanceAuto(1);
        Slider_WB->setEnabled(false);
        break;
    case 2:
        setWhiteBalanceManual();
        break;
    case 3:
        if (flipState == 1)
            device->FlipOff();
        else
            device->FlipOn();
        flipState = flipState == 1 ? 0 : 1;
        break;
    case 4:
        if (mirrorState == 1)
            device->MirrorOff();
        else
            device->MirrorOn();
        mirrorState = mirrorState == 1 ? 0 : 1;
        break;
    case 5:
        device->MenuOn();
        break;
    case 6:
        device->Home();
        break;
    case 7:
        device->FramingAuto();
        break;
    case 8:
        device->FramingManual();
        break;
    case 9:
        resetImage();
        break;
    case 10:
        device->MenuOff();
        break;
    case 11:
        device->IrOn();
        break;
    case 12:
        device->IrOff();
        break;
    case 13:
        device->DayMode();
        break;
    case 14:
        device->NightMode();
        break;
    case 15:
        device->PtzReset();
        break;
    default:
        break;
    }
}

void MainWindow::RWin_BT_Pressed(int flag)
{
    const auto preset = static_cast<uint8_t>(presetNumber & 0xFF);
    switch (flag) {
    case 1:
        if (cameraPresent)
            device->MenuOff();
        QCoreApplication::exit(0);
        break;
    case 5:
        if (cameraPresent)
            device->CallPreset(preset);
        break;
    case 6:
        if (cameraPresent)
            device->SetPreset(preset);
        break;
    case 7:
        if (cameraPresent)
            device->ClearPreset(preset);
        break;
    case 8:
        if (cameraPresent)
            setAbsolutePosition();
        break;
    case 9:
        if (cameraPresent)
            readAbsolutePosition();
        break;
    case 201:
    case 202:
        setTopmost(flag == 201);
        onTop = flag == 201;
        break;
    default:
        break;
    }
}
