// SPDX-License-Identifier: GPL-2.0-or-later
// The main window's camera slots: discovery, connection and hot-plug, image parameters,
// pan/tilt/zoom and presets, and the function keys. The rest of MainWindow (construction,
// wiring, density scaling, window behaviour) is in app/MainWindow.cpp.
#include "MainWindow.h"
#include "MoveByKey.h"
#include "NetworkCameras.h"
#include "PanelAccess.h"
#include "Ui_MainWindow.h"
#include "Win32.h"
#include "WinLeft.h"

#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QFileSystemWatcher>
#include <QIntValidator>
#include <QLineEdit>
#include <QMessageBox>
#include <QSlider>
#include <QStandardItemModel>
#include <QTimer>

#include <algorithm>
#include <array>
#include <limits>

namespace {

constexpr int ZoomRest = 7;

// What the last successful connection reported, per image control.
struct CopiedParameter
{
    int current = 0;
    int minimum = 0;
    int maximum = 0;
    int defaultValue = 0;
    int step = 1;
    int pageStep = 1;
};
std::array<CopiedParameter, ImageControl::Count> parameterCopy;

// The order in which a connection fills the sliders and read-outs.
constexpr ImageControl::Id LoadOrder[] = {
    ImageControl::Backlight,  ImageControl::Gamma,        ImageControl::Contrast,
    ImageControl::Saturation, ImageControl::Brightness,   ImageControl::Hue,
    ImageControl::Sharpness,  ImageControl::WhiteBalance,
};

// A slider's steps in the camera's own: keys that move it by less would send values the
// camera rounds back. The wheel and the Page keys move it by at most a page, a tenth of the
// range; a page of 0 would leave them nothing to do.
CopiedParameter copyOf(const ParameterRecord &record)
{
    const int step = std::max(1, record.step);
    const qint64 tenth = (qint64(record.maximum) - record.minimum) / 10;
    const int page = int(std::max<qint64>(tenth / step * step, step));
    return {record.currentValue, record.minimum, record.maximum, record.defaultValue, step, page};
}

} // namespace
// ---- Discovery, connection and hot-plug -------------------------------------------------

bool MainWindow::nativeEvent(const QByteArray &eventType, void *message, long *result)
{
    if (eventType != "windows_generic_MSG")
        return QMainWindow::nativeEvent(eventType, message, result);
    const auto *msg = static_cast<const MSG *>(message);
    if (msg->message == WM_DEVICECHANGE &&
        (msg->wParam == DBT_DEVICEARRIVAL || msg->wParam == DBT_DEVICEREMOVECOMPLETE)) {
        // A burst of changes gives one enumeration, after the last of them.
        onlyNetworkEdited = false;
        initTimer->start(EnumerationDelayMs);
        return true;
    }
    return false;
}

void MainWindow::WarnNoCamera()
{
    // One warning at a time, and no nested event loop: each unplug and each touch of a
    // control would otherwise stack another box, with slots running inside slots.
    if (noCameraWarning) {
        noCameraWarning->raise();
        return;
    }
    auto *box = new QMessageBox(QMessageBox::Warning, QStringLiteral("Warning"),
                                QStringLiteral("Please plug in the morvane's camera !"),
                                QMessageBox::Yes, this);
    box->setDefaultButton(QMessageBox::Yes);
    box->setWindowModality(Qt::NonModal);
    // Transient for the panel and above it: the panel, on top of everything else, must not
    // cover the box's button.
    box->setWindowFlag(Qt::WindowStaysOnTopHint);
    connect(box, &QDialog::finished, this, [this, box] {
        if (noCameraWarning == box)
            noCameraWarning = nullptr;
        box->deleteLater();
        if (onTop)
            setTopmost(true);
    });
    noCameraWarning = box;
    if (onTop)
        setTopmost(false);
    box->show();
}

void MainWindow::closeNoCameraWarning()
{
    if (noCameraWarning)
        noCameraWarning->done(QMessageBox::Yes);
}

void MainWindow::TimerInit()
{
    if (initTimer->isActive() && !keepOpenCamera()) {
        BaseDevice::Initial();
        Box_Camera_USB->clear();
        if (!device || !BaseDevice::EnumUSBDevices(deviceList)) {
            WarnNoCamera();
            cameraPresent = false;
        } else {
            listCameras();
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
    onlyNetworkEdited = false;
}

void MainWindow::listCameras()
{
    for (const DeviceInfo &camera : deviceList) {
        const QString name =
            QString::fromUtf8(camera.name.data(), static_cast<int>(camera.name.size()));
        Box_Camera_USB->addItem(name);
        // The list shortens a long name as the selector does; hovering says it whole.
        Box_Camera_USB->setItemData(Box_Camera_USB->count() - 1, name, Qt::ToolTipRole);
    }
}

bool MainWindow::keepOpenCamera()
{
    // Cameras come and go on USB; a network camera in use stays selected and connected, and
    // so does any camera when only the network cameras were edited.
    const int current = Box_Camera_USB->currentIndex();
    if (!device || !cameraOpen || current < 0 || current >= int(deviceList.size()) ||
        (deviceList[size_t(current)].path.find("://") == std::string::npos && !onlyNetworkEdited))
        return false;
    const std::string kept = deviceList[size_t(current)].path;
    std::vector<DeviceInfo> found;
    if (!BaseDevice::EnumUSBDevices(found))
        return false;
    const auto at = std::find_if(found.begin(), found.end(),
                                 [&](const DeviceInfo &camera) { return camera.path == kept; });
    if (at == found.end())
        return false;
    deviceList = found;
    const QSignalBlocker quiet(Box_Camera_USB);
    Box_Camera_USB->clear();
    listCameras();
    Box_Camera_USB->setCurrentIndex(int(at - found.begin()));
    return true;
}

void MainWindow::watchNetworkCameras()
{
    const QString path = QString::fromStdString(NetworkCameras::configPath());
    if (path.isEmpty())
        return;
    const auto contents = [path] {
        QFile file(path);
        // One byte past the library's limit, so that a file growing past it is seen (and said).
        return file.open(QIODevice::ReadOnly) ? file.read(64 * 1024 + 1) : QByteArray();
    };
    networkConfig = contents();
    auto *watcher = new QFileSystemWatcher(this);
    const auto look = [this, watcher, path, contents] {
        // The file is replaced whole, and its directory may not be there yet: watch what is.
        const QString dir = QFileInfo(path).absolutePath();
        for (const QString &p : {QFileInfo(dir).absolutePath(), dir, path})
            if (QFileInfo::exists(p) && !watcher->files().contains(p) &&
                !watcher->directories().contains(p))
                watcher->addPath(p);
        const QByteArray now = contents();
        if (now == networkConfig)
            return;
        networkConfig = now;
        if (!initTimer->isActive())
            onlyNetworkEdited = true;
        initTimer->start(EnumerationDelayMs);
    };
    connect(watcher, &QFileSystemWatcher::directoryChanged, this, look);
    connect(watcher, &QFileSystemWatcher::fileChanged, this, look);
    look();
}

void MainWindow::Setting_Press(int)
{
    if (!device)
        return;
    device->Close();
    cameraOpen = false;
    cameraPresent = true;
    BaseDevice::Initial();
    const QByteArray index = QString::number(Box_Camera_USB->currentIndex()).toLatin1();
    if (!device->Open(index.constData(), 1)) {
        showCapabilities();
        return;
    }
    device->ReadParameters();
    cameraPresent = true;
    cameraOpen = true;
    closeNoCameraWarning();
    device->MenuOff();
    loadImageControls();
    showCameraModes();
    showCapabilities();
}

void MainWindow::loadImageControls()
{
    // A slow camera tells its controls one by one; a record it has not told yet is all zero.
    // Each slider is live once its own control has arrived (and the camera lets it be
    // adjusted), greyed where it was until then rather than at a made-up place.
    std::array<bool, ImageControl::Count> arrived = {};
    for (int id = 0; id < ImageControl::Count; ++id) {
        const ParameterRecord &record =
            device->parameters[ImageControl::of(ImageControl::Id(id)).record];
        parameterCopy[id] = copyOf(record);
        arrived[id] = record.minimum || record.maximum || record.step || record.defaultValue ||
                      record.currentValue || record.available;
        sliderOf(ImageControl::Id(id))->setEnabled(record.available == 1);
    }
    for (ImageControl::Id id : LoadOrder) {
        QSlider *slider = sliderOf(id);
        // A value the camera reports while the user drags would pull the handle away.
        if (!arrived[id] || slider->isSliderDown())
            continue;
        const CopiedParameter &copy = parameterCopy[id];
        slider->setMinimum(copy.minimum);
        slider->setMaximum(copy.maximum);
        slider->setSingleStep(copy.step);
        slider->setPageStep(copy.pageStep);
        slider->setValue(copy.current);
    }
    for (ImageControl::Id id : LoadOrder)
        if (arrived[id] && !sliderOf(id)->isSliderDown())
            readoutOf(id)->setText(QString::number(parameterCopy[id].current));
}

void MainWindow::showCameraModes()
{
    // The camera's own white-balance mode and anti-flicker setting, where it tells them.
    const ParameterRecord &automatic = device->parameters[PARAM_WHITE_BALANCE_AUTO];
    if (automatic.available == 1) {
        const QSignalBlocker quiet(Cb_WB);
        Cb_WB->setChecked(automatic.currentValue != 0);
        Slider_WB->setEnabled(automatic.currentValue == 0);
    }
    const ParameterRecord &flicker = device->parameters[PARAM_FLICKER];
    // A camera that cannot switch anti-flicker off offers no OFF.
    if (auto *entries = qobject_cast<QStandardItemModel *>(ComboBox_Flicker->model()))
        if (QStandardItem *off = entries->item(0))
            off->setEnabled(flicker.available != 1 || flicker.minimum <= 0);
    if (flicker.available == 1 && flicker.currentValue >= 0 &&
        flicker.currentValue < ComboBox_Flicker->count()) {
        const QSignalBlocker quiet(ComboBox_Flicker);
        ComboBox_Flicker->setCurrentIndex(flicker.currentValue);
    }
}

void MainWindow::showCapabilities()
{
    struct Key
    {
        const char *name;
        uint32_t capability;
    };
    static constexpr Key keys[] = {
        {"BT_IR", CAP_IR},
        {"BT_DAY", CAP_DAY_NIGHT},
        {"BT_Flip", CAP_FLIP},
        {"BT_Mirror", CAP_MIRROR},
        {"BT_Menu", CAP_MENU},
        {"BT_HOME", CAP_HOME},
        {"BT_AI", CAP_FRAMING},
        {"BT_PUSH", CAP_FRAMING},
        {"BT_Reset", CAP_IMAGE_DEFAULTS},
        {"BT_RST_PTZ", CAP_PTZ_RESET},
        {"Cb_WB", CAP_WHITE_BALANCE_AUTO},
        {"ComboBox_Flicker", CAP_FLICKER},
    };
    // Greyed while a camera that cannot do it is connected; without one, as the form has it.
    const uint32_t capabilities = cameraOpen ? device->Capabilities() : ~0u;
    const int current = Box_Camera_USB->currentIndex();
    const QString camera = cameraOpen && current >= 0 && current < int(deviceList.size())
                               ? QString::fromStdString(deviceList[size_t(current)].name)
                               : QString();
    for (const Key &key : keys)
        if (QWidget *widget = ui->Win_Left->findChild<QWidget *>(QLatin1String(key.name))) {
            widget->setEnabled(capabilities & key.capability);
            PanelAccess::explainCameraKey(widget, camera, cameraOpen,
                                          capabilities & key.capability);
        }
    limitPositions();
}

uint MainWindow::capabilities() const
{
    return device && cameraPresent && cameraOpen ? device->Capabilities() : 0;
}

void MainWindow::cameraChanged(void *context, uint32_t changes)
{
    // Any thread: only take note, and let the window's thread look once for a burst.
    auto *window = static_cast<MainWindow *>(context);
    if (window->pendingChanges.fetch_or(changes) == 0)
        QMetaObject::invokeMethod(window, "CameraChanged", Qt::QueuedConnection);
}

void MainWindow::CameraChanged()
{
    const uint32_t changes = pendingChanges.exchange(0);
    if (!device || !cameraOpen)
        return;
    // What the camera reports is shown, never sent back: no slot of the panels runs.
    if (changes & CHANGED_PARAMETERS) {
        device->ReadParameters();
        const QSignalBlocker left(ui->Win_Left);
        loadImageControls();
        showCameraModes();
    }
    if (changes & CHANGED_CAPABILITIES)
        showCapabilities();
    int32_t pan = 0, tilt = 0;
    if (changes & CHANGED_POSITION && device->LastPosition(&pan, &tilt)) {
        get_pan_data->setText(QString::number(pan));
        get_tilt_data->setText(QString::number(tilt));
    }
}

void MainWindow::IPCAMChange(int)
{
    if (device)
        device->Close();
    cameraOpen = false;
    cameraPresent = false;
    showCapabilities();
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
    // The selector's entries are off, 50 Hz and 60 Hz, the camera's modes 0, 1 and 2.
    const int mode = ComboBox_Flicker->currentIndex();
    if (mode < 0)
        return;
    if (!cameraPresent) {
        WarnNoCamera();
        return;
    }
    keyRefused = !device->SetFlicker(mode);
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

void MainWindow::DriveByKey(int key, int panSpeed, int tiltSpeed)
{
    // Sources other than the joystick (gamepad, keyboard, command line, HTTP) give speeds as
    // the camera takes them, so a move starts at its own; the joystick's next report starts
    // from their key.
    if (key < 0 || key > 8)
        return;
    const int was = directionKey;
    directionKey = key;
    if (!cameraPresent)
        return;
    // A stick let go on one axis stops that axis alone; the centre stops both, as ever.
    const auto pans = [](int k) { return k % 3 != 1; };
    const auto tilts = [](int k) { return k / 3 != 1; };
    if (key != 4 && tilts(was) && !tilts(key)) {
        device->TiltUpStop();
        device->TiltDownStop();
    }
    if (key != 4 && pans(was) && !pans(key)) {
        device->PanLeftStop();
        device->PanRightStop();
    }
    MoveByKey(device, key, panSpeed, tiltSpeed);
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

bool MainWindow::setAbsolutePosition()
{
    // Text the camera cannot take stays in its field, marked; nothing moves.
    bool acceptable = true;
    for (QLineEdit *field : {set_pan_data, set_tilt_data}) {
        markRefused(field, !field->hasAcceptableInput());
        acceptable = acceptable && field->hasAcceptableInput();
    }
    if (!acceptable)
        return false;
    const int pan = set_pan_data->text().toInt();
    sleep(5);
    const int tilt = set_tilt_data->text().toInt();
    const bool panTaken = device->SetPanPosition(pan);
    sleep(50);
    return device->SetTiltPosition(tilt) && panTaken;
}

void MainWindow::markRefused(QLineEdit *field, bool refused)
{
    QPalette palette = field->palette();
    palette.setColor(QPalette::Text, refused ? QColor(220, 40, 40) : QColor(Qt::black));
    field->setPalette(palette);
    if (refused)
        field->selectAll();
}

void MainWindow::limitPositions()
{
    // Only whole numbers the camera reaches; without one, any 32-bit number.
    const std::pair<QLineEdit *, ParameterIndex> fields[] = {{set_pan_data, PARAM_PAN_POSITION},
                                                             {set_tilt_data, PARAM_TILT_POSITION}};
    for (const auto &[field, index] : fields) {
        const ParameterRecord none;
        const ParameterRecord &range = device && cameraOpen ? device->parameters[index] : none;
        const bool known = range.available == 1 && range.minimum <= range.maximum;
        auto *validator =
            qobject_cast<QIntValidator *>(const_cast<QValidator *>(field->validator()));
        if (!validator) {
            validator = new QIntValidator(field);
            field->setValidator(validator);
        }
        if (known)
            validator->setRange(range.minimum, range.maximum);
        else
            validator->setRange(std::numeric_limits<int>::min(), std::numeric_limits<int>::max());
    }
}

bool MainWindow::readAbsolutePosition()
{
    // A camera that cannot tell leaves these alone; show 0 rather than stack garbage.
    int32_t pan = 0;
    int32_t tilt = 0;
    const bool panTold = device->GetPanPosition(&pan);
    sleep(50);
    const bool tiltTold = device->GetTiltPosition(&tilt);
    get_pan_data->setText(QString::number(pan));
    get_tilt_data->setText(QString::number(tilt));
    return panTold && tiltTold;
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
        keyRefused = !cameraPresent || !device->CallPreset(preset);
        break;
    case 6:
        keyRefused = !cameraPresent || !device->SetPreset(preset);
        break;
    case 7:
        keyRefused = !cameraPresent || !device->ClearPreset(preset);
        break;
    case 8:
        keyRefused = !cameraPresent || !setAbsolutePosition();
        break;
    case 9:
        keyRefused = !cameraPresent || !readAbsolutePosition();
        break;
    case 201:
    case 202:
        onTop = flag == 201;
        // Under the open warning until it goes; then back on top.
        if (!noCameraWarning || !onTop)
            setTopmost(onTop);
        break;
    default:
        break;
    }
}
