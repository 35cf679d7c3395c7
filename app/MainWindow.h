// SPDX-License-Identifier: GPL-2.0-or-later
// The panel's one window: both side panels, the camera they drive, and the window's own
// floating behaviour (drag, edge auto-hide, panel slide, stay-on-top).
#pragma once

#include "BaseDevice.h"
#include "ImageControl.h"
#include "PanelControl.h"

#include <QMainWindow>
#include <QPoint>
#include <QPointer>

#include <memory>
#include <vector>

class CameraSession;
class QCheckBox;
class QComboBox;
class QLineEdit;
class QMessageBox;
class QSlider;
class QTimer;
class Ui_MainWindow;

class MainWindow : public QMainWindow, public PanelControl
{
    Q_OBJECT
    // Read-only views for tests and diagnostics.
    Q_PROPERTY(bool cameraPresent READ isCameraPresent)
    Q_PROPERTY(bool cameraOpen READ isCameraOpen)
    Q_PROPERTY(bool onTop READ isOnTop)
    Q_PROPERTY(bool leftShown READ isLeftShown)
    Q_PROPERTY(bool docked READ isDocked)
    Q_PROPERTY(int leftPanelWidth READ slideWidth)
    // What the connected camera can do (CAP_... bits), 0 without one.
    Q_PROPERTY(uint capabilities READ capabilities)
    // Whether the camera refused what the last preset, SET or GET key or anti-flicker choice
    // asked (the panel shows nothing for it; commands from outside report it).
    Q_PROPERTY(bool refused READ wasRefused)

public:
    explicit MainWindow(QWidget *parent = nullptr);
    ~MainWindow() override;

    bool isCameraPresent() const;
    bool isCameraOpen() const;
    bool isOnTop() const { return onTop; }
    bool isLeftShown() const { return leftShown; }
    bool isDocked() const { return docked; }
    int slideWidth() const { return leftPanelWidth; }
    uint capabilities() const;
    bool wasRefused() const { return keyRefused; }

    // PanelControl, in MainWindowControl.cpp.
    QWidget &widget() override { return *this; }
    QStringList cameraNames() const override;
    int currentCamera() const override;
    void chooseCamera(int index) override;
    bool isNetworkCamera(int index) const override;
    void showHealth(int index, int state, const QDateTime &since) override;
    CameraControl &camera() override;
    CameraSession &cameraSession() override { return *session; }
    const std::vector<DeviceInfo> &devices() const { return deviceList; }

private slots:
    void onLogicalDotsPerInchChanged(qreal dpi);

    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void leaveEvent(QEvent *event) override;
    void enterEvent(QEvent *event) override;
    void timerEvent(QTimerEvent *event) override;
    void showEvent(QShowEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;
    void Tool_Show(bool flag);
    bool sleep(uint msec);

    bool nativeEvent(const QByteArray &eventType, void *message, long *result) override;
    void TimerInit();
    void DeviceChange();
    void IPCAMChange(int flag);
    void Setting_Press(int flag);

    void FlickerChange();
    void Brightness_Change(int position);
    void Contrast_Change(int position);
    void Hue_Change(int position);
    void Saturation_Change(int position);
    void Sharpness_Change(int position);
    void Gamma_Change(int position);
    void BLC_Change(int position);
    void WB_Change(int position);

    void MovePlace(int num);
    void DriveByKey(int key, int panSpeed, int tiltSpeed);
    void SpeedX(int num);
    void SpeedY(int num);
    void ZoomChange();
    void ZoomStop();
    void FocusChange();
    void FucusStop();
    void AF_MF_Push(int num);
    void ChangePresetno(int num);

    void LWin_BT_Pressed(int flag);
    void RWin_BT_Pressed(int flag);

private:
    bool focusNextPrevChild(bool next) override;
    void findControls();
    void connectPanels();
    // The image settings panel is built after the first frame, when it is first opened, or
    // when a camera's values are first shown, whichever comes first; then it is found,
    // wired and filled from the session as if it had been there all along.
    void buildImagePanel();
    // After the first frame: the cameras are listed and the first one loaded at once,
    // instead of when the start's enumeration timer runs out, then the panel is built.
    void afterFirstFrame();
    void findImageControls();
    void connectImagePanel();
    void followSliderActions(QSlider *slider, void (MainWindow::*slot)(int));
    void registerForDeviceChanges();
    void WarnNoCamera();
    void closeNoCameraWarning();
    void setTopmost(bool topmost);
    int desktopWidth() const;
    void setLeftPanelGeometry(int x, int width);
    void updateShape();

    void changeImage(ImageControl::Id control, int position);
    QSlider *sliderOf(ImageControl::Id control) const;
    QLineEdit *readoutOf(ImageControl::Id control) const;
    void listCameras();
    bool keepOpenCamera();
    void watchNetworkCameras();
    void loadImageControls();
    void showCameraModes();
    void showCapabilities();
    // The preset keys say which presets are stored, and their names.
    void showPresets();
    void showConnection(bool open);
    void showImageReported();
    void showImageChanged(int control, int value);
    void showPositionReported(int pan, int tilt);
    void setWhiteBalanceManual();
    void resetImage();
    bool setAbsolutePosition();
    void markRefused(QLineEdit *field, bool refused);
    // The SET/PT fields take what the connected camera reaches.
    void limitPositions();
    bool readAbsolutePosition();

    static constexpr int EnumerationDelayMs = 500;

    std::unique_ptr<Ui_MainWindow> ui;
    QPoint dragPosition;
    bool dragging = false;
    bool docked = false;
    bool leftShown = false;
    bool onTop = true;
    bool framed = false;                   // the first frame has been painted
    QPointer<QMessageBox> noCameraWarning; // the one open, if any
    QTimer *initTimer = nullptr;
    std::vector<DeviceInfo> deviceList;
    BaseDevice *device = nullptr;
    std::unique_ptr<CameraSession> session; // the selected camera's, on `device`
    QByteArray networkConfig;               // the network cameras' file as last seen
    bool onlyNetworkEdited = false;         // what the pending enumeration follows
    bool listing = false;                   // the selector is being filled
    std::string chosenPath;                 // the camera the user chose last, gone or not
    QComboBox *ComboBox_Flicker = nullptr;
    QCheckBox *Cb_WB = nullptr;
    QSlider *Slider_Brightness = nullptr;
    QSlider *Slider_Contrast = nullptr;
    QSlider *Slider_Hue = nullptr;
    QSlider *Slider_Saturation = nullptr;
    QSlider *Slider_Sharpness = nullptr;
    QSlider *Slider_Gamma = nullptr;
    QSlider *Slider_BLC = nullptr;
    QSlider *Slider_WB = nullptr;
    QLineEdit *v_brightness = nullptr;
    QLineEdit *v_contrast = nullptr;
    QLineEdit *v_hue = nullptr;
    QLineEdit *v_saturation = nullptr;
    QLineEdit *v_sharpness = nullptr;
    QLineEdit *v_gamma = nullptr;
    QLineEdit *v_blc = nullptr;
    QLineEdit *v_wb = nullptr;
    QLineEdit *set_pan_data = nullptr;
    QLineEdit *set_tilt_data = nullptr;
    QLineEdit *get_pan_data = nullptr;
    QLineEdit *get_tilt_data = nullptr;
    QSlider *Slider_Zoom = nullptr;
    int presetNumber = 0;
    bool keyRefused = false;
    QComboBox *Box_Camera_USB = nullptr;
    int leftPanelWidth = 0;
    double scaledDpi = 96.0; // the density the geometry was last scaled for
};
