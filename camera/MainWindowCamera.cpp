// SPDX-License-Identifier: GPL-2.0-or-later
// The main window's camera slots: discovery, connection and hot-plug, image parameters,
// pan/tilt/zoom and presets, and the function keys. Each forwards to the selected camera's
// session; what the window shows follows the session's signals, whoever asked. The rest of
// MainWindow (construction, wiring, density scaling, window behaviour) is in
// app/MainWindow.cpp.
#include "CameraSession.h"
#include "MainWindow.h"
#include "NetworkCameras.h"
#include "PanelAccess.h"
#include "PanelKeys.h"
#include "Ui_MainWindow.h"
#include "Win32.h"
#include "WinLeft.h"
#include "WinRight.h"

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
#include <cstring>
#include <limits>

namespace {

// The order in which a connection fills the sliders and read-outs.
constexpr ImageControl::Id LoadOrder[] = {
    ImageControl::Backlight,  ImageControl::Gamma,        ImageControl::Contrast,
    ImageControl::Saturation, ImageControl::Brightness,   ImageControl::Hue,
    ImageControl::Sharpness,  ImageControl::WhiteBalance,
};

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
        listing = true;
        Box_Camera_USB->clear();
        if (!session->hasDevice() || !BaseDevice::EnumUSBDevices(deviceList)) {
            WarnNoCamera();
            session->setAbsent();
        } else {
            listCameras();
            const int count = deviceList.empty() ? 0 : deviceList.back().index + 1;
            if (count == 0) {
                WarnNoCamera();
                session->setAbsent();
            } else {
                // The camera the user chose, plugged back in, is where the selection goes.
                const auto chosen = std::find_if(
                    deviceList.begin(), deviceList.end(),
                    [this](const DeviceInfo &camera) { return camera.path == chosenPath; });
                if (chosen != deviceList.end() && chosen != deviceList.begin()) {
                    const QSignalBlocker quiet(Box_Camera_USB);
                    Box_Camera_USB->setCurrentIndex(int(chosen - deviceList.begin()));
                }
                Setting_Press(0);
            }
        }
        listing = false;
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
    if (!session->isOpen() || current < 0 || current >= int(deviceList.size()) ||
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
    // Asked each time: the file read changes from the old name to the new one when it is
    // first written.
    const auto contents = [] {
        QFile file(QString::fromStdString(NetworkCameras::configPath()));
        // One byte past the library's limit, so that a file growing past it is seen (and said).
        return file.open(QIODevice::ReadOnly) ? file.read(64 * 1024 + 1) : QByteArray();
    };
    networkConfig = contents();
    auto *watcher = new QFileSystemWatcher(this);
    const auto look = [this, watcher, path, contents] {
        // The file is replaced whole, and its directory may not be there yet: watch what is.
        const QString dir = QFileInfo(path).absolutePath();
        const QString now = QString::fromStdString(NetworkCameras::configPath());
        for (const QString &p : {QFileInfo(dir).absolutePath(), dir, now})
            if (QFileInfo::exists(p) && !watcher->files().contains(p) &&
                !watcher->directories().contains(p))
                watcher->addPath(p);
        const QByteArray text = contents();
        if (text == networkConfig)
            return;
        networkConfig = text;
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
    const int current = Box_Camera_USB->currentIndex();
    if (!listing && current >= 0 && current < int(deviceList.size()))
        chosenPath = deviceList[size_t(current)].path;
    session->connectTo(current);
}

void MainWindow::showConnection(bool open)
{
    if (open) {
        closeNoCameraWarning();
        buildImagePanel(); // fills it, or is built already
        loadImageControls();
        showCameraModes();
    }
    showCapabilities();
}

void MainWindow::loadImageControls()
{
    // Each slider is live once its own control has arrived (and the camera lets it be
    // adjusted), greyed where it was until then rather than at a made-up place.
    for (int id = 0; id < ImageControl::Count; ++id)
        sliderOf(ImageControl::Id(id))
            ->setEnabled(session->record(ImageControl::of(ImageControl::Id(id)).record).available ==
                         1);
    for (ImageControl::Id id : LoadOrder) {
        QSlider *slider = sliderOf(id);
        const CameraSession::Copy &copy = session->copied(id);
        // A value the camera reports while the user drags would pull the handle away.
        if (!copy.arrived || slider->isSliderDown())
            continue;
        slider->setMinimum(copy.minimum);
        slider->setMaximum(copy.maximum);
        slider->setSingleStep(copy.step);
        slider->setPageStep(copy.pageStep);
        slider->setValue(copy.current);
    }
    for (ImageControl::Id id : LoadOrder)
        if (session->copied(id).arrived && !sliderOf(id)->isSliderDown())
            readoutOf(id)->setText(QString::number(session->copied(id).current));
}

void MainWindow::showCameraModes()
{
    // The white-balance mode and anti-flicker setting, as the camera tells them or was set.
    const int automatic = session->whiteBalanceAuto();
    if (automatic >= 0) {
        const QSignalBlocker quiet(Cb_WB);
        Cb_WB->setChecked(automatic == 1);
        Slider_WB->setEnabled(automatic == 0);
    }
    // A camera that cannot switch anti-flicker off offers no OFF.
    if (auto *entries = qobject_cast<QStandardItemModel *>(ComboBox_Flicker->model()))
        if (QStandardItem *off = entries->item(0))
            off->setEnabled(session->offersFlickerOff());
    const int flicker = session->flickerMode();
    if (flicker >= 0 && flicker < ComboBox_Flicker->count()) {
        const QSignalBlocker quiet(ComboBox_Flicker);
        ComboBox_Flicker->setCurrentIndex(flicker);
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
    const bool cameraOpen = session->isOpen();
    const uint32_t capabilities = cameraOpen ? session->capabilities() : ~0u;
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
    showPresets();
}

void MainWindow::showPresets()
{
    for (int number = 0; number <= 8; ++number) {
        QWidget *key = ui->Win_Right->findChild<QWidget *>(QStringLiteral("BT_%1").arg(number));
        PresetRecord kept;
        if (!key || !session->isOpen() ||
            session->readPreset(number, kept) != CameraSession::Result::Done)
            kept = PresetRecord();
        PanelAccess::explainPresetKey(
            key, number, kept.stored != 0,
            QString::fromUtf8(kept.name, int(strnlen(kept.name, sizeof kept.name))));
    }
}

bool MainWindow::isCameraPresent() const
{
    return session->isPresent();
}

bool MainWindow::isCameraOpen() const
{
    return session->isOpen();
}

uint MainWindow::capabilities() const
{
    return session->isPresent() ? session->capabilities() : 0;
}

void MainWindow::showImageReported()
{
    buildImagePanel();
    // What the camera reports is shown, never sent back: no slot of the panels runs.
    const QSignalBlocker left(ui->Win_Left);
    loadImageControls();
    showCameraModes();
}

void MainWindow::showImageChanged(int control, int value)
{
    buildImagePanel();
    const auto id = ImageControl::Id(control);
    QSlider *slider = sliderOf(id);
    // The window's own control shows it already; what came from elsewhere moves it here.
    if (!slider->isSliderDown() && slider->sliderPosition() != value) {
        const QSignalBlocker quiet(slider);
        slider->setValue(value);
    }
    const QString shown = QString::number(value);
    if (readoutOf(id)->text() != shown)
        readoutOf(id)->setText(shown);
}

void MainWindow::showPositionReported(int pan, int tilt)
{
    get_pan_data->setText(QString::number(pan));
    get_tilt_data->setText(QString::number(tilt));
}

void MainWindow::IPCAMChange(int)
{
    session->disconnect();
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
    if (session->setImage(control, position) == CameraSession::Result::NoCamera)
        WarnNoCamera();
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
    const CameraSession::Result result = session->setFlicker(mode);
    if (result == CameraSession::Result::NoCamera)
        WarnNoCamera();
    else
        keyRefused = result == CameraSession::Result::Refused;
}

void MainWindow::setWhiteBalanceManual()
{
    int defaultValue = 0;
    session->setWhiteBalanceManual(defaultValue);
    Slider_WB->setEnabled(true);
    Slider_WB->setValue(defaultValue);
    v_wb->setText(QString::number(defaultValue));
}

void MainWindow::resetImage()
{
    for (int id = 0; id < ImageControl::Count; ++id) {
        const ImageControl::Id control = ImageControl::Id(id);
        sliderOf(control)->setValue(session->record(ImageControl::of(control).record).defaultValue);
    }
    for (ImageControl::Id id : LoadOrder)
        readoutOf(id)->setText(QString::number(session->copied(id).defaultValue));
    session->restoreImageDefaults();
}

// ---- Pan, tilt, zoom, focus and presets -------------------------------------------------

void MainWindow::MovePlace(int num)
{
    session->steer(num);
}

void MainWindow::DriveByKey(int key, int panSpeed, int tiltSpeed)
{
    session->drive(key, panSpeed, tiltSpeed);
}

void MainWindow::SpeedX(int num)
{
    session->setPanSpeed(num);
}

void MainWindow::SpeedY(int num)
{
    session->setTiltSpeed(num);
}

void MainWindow::ZoomChange()
{
    if (session->zoom(Slider_Zoom->value() - PanelKeys::ZoomRest) ==
        CameraSession::Result::NoCamera)
        WarnNoCamera();
}

void MainWindow::ZoomStop()
{
    if (session->zoomStop() == CameraSession::Result::NoCamera)
        WarnNoCamera();
}

void MainWindow::FocusChange() {}

void MainWindow::FucusStop()
{
    if (session->focusStop() == CameraSession::Result::NoCamera)
        WarnNoCamera();
}

void MainWindow::AF_MF_Push(int num)
{
    if (num != 1 && num != 2)
        return;
    const auto result = num == 1 ? session->autoFocus() : session->manualFocus();
    if (result == CameraSession::Result::NoCamera)
        WarnNoCamera();
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
    return session->setPosition(pan, tilt, [this](unsigned ms) { sleep(ms); }) ==
           CameraSession::Result::Done;
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
        const ParameterRecord &range = session->isOpen() ? session->record(index) : none;
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
    int pan = 0;
    int tilt = 0;
    const bool told = session->readPosition(pan, tilt, [this](unsigned ms) { sleep(ms); }) ==
                      CameraSession::Result::Done;
    get_pan_data->setText(QString::number(pan));
    get_tilt_data->setText(QString::number(tilt));
    return told;
}

// ---- Function buttons -------------------------------------------------------------------

void MainWindow::LWin_BT_Pressed(int flag)
{
    if (!session->isPresent())
        return;
    buildImagePanel(); // for codes that come from elsewhere than its keys

    switch (flag) {
    case 1:
        session->setWhiteBalanceAuto();
        Slider_WB->setEnabled(false);
        break;
    case 2:
        setWhiteBalanceManual();
        break;
    case 3:
        session->toggleFlip();
        break;
    case 4:
        session->toggleMirror();
        break;
    case 5:
        session->menu(true);
        break;
    case 6:
        session->home();
        break;
    case 7:
        session->framing(true);
        break;
    case 8:
        session->framing(false);
        break;
    case 9:
        resetImage();
        break;
    case 10:
        session->menu(false);
        break;
    case 11:
        session->infrared(true);
        break;
    case 12:
        session->infrared(false);
        break;
    case 13:
        session->dayMode(true);
        break;
    case 14:
        session->dayMode(false);
        break;
    case 15:
        session->resetPtz();
        break;
    default:
        break;
    }
}

void MainWindow::RWin_BT_Pressed(int flag)
{
    using Result = CameraSession::Result;
    switch (flag) {
    case 1:
        session->menu(false);
        QCoreApplication::exit(0);
        break;
    case 5:
        keyRefused = session->recall(presetNumber) != Result::Done;
        break;
    case 6:
        keyRefused = session->store(presetNumber) != Result::Done;
        break;
    case 7:
        keyRefused = session->clear(presetNumber) != Result::Done;
        break;
    case 8:
        keyRefused = !session->isPresent() || !setAbsolutePosition();
        break;
    case 9:
        keyRefused = !session->isPresent() || !readAbsolutePosition();
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
