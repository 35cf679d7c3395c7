#include "ImageControl.h"

namespace {

const ImageControl controls[ImageControl::Count] = {
    {"Slider_Brightness", "v_brightness", PARAM_BRIGHTNESS, &BaseDevice::SetBrightness},
    {"Slider_Contrast", "v_contrast", PARAM_CONTRAST, &BaseDevice::SetContrast},
    {"Slider_Hue", "v_hue", PARAM_HUE, &BaseDevice::SetHue},
    {"Slider_Saturation", "v_saturation", PARAM_SATURATION, &BaseDevice::SetSaturation},
    {"Slider_Sharpness", "v_sharpness", PARAM_SHARPNESS, &BaseDevice::SetSharpness},
    {"Slider_Gamma", "v_gamma", PARAM_GAMMA, &BaseDevice::SetGamma},
    {"Slider_BLC", "v_blc", PARAM_BACKLIGHT, &BaseDevice::SetBacklight},
    {"Slider_WB", "v_wb", PARAM_WHITE_BALANCE, &BaseDevice::SetWhiteBalance},
};

} // namespace

const ImageControl &ImageControl::of(Id id)
{
    return controls[id];
}
