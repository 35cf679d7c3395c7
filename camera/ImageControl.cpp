// SPDX-License-Identifier: GPL-2.0-or-later
#include "ImageControl.h"

namespace {

const ImageControl controls[ImageControl::Count] = {
    {"Slider_Brightness", "v_brightness", "Brightness_Change", PARAM_BRIGHTNESS,
     &BaseDevice::SetBrightness},
    {"Slider_Contrast", "v_contrast", "Contrast_Change", PARAM_CONTRAST, &BaseDevice::SetContrast},
    {"Slider_Hue", "v_hue", "Hue_Change", PARAM_HUE, &BaseDevice::SetHue},
    {"Slider_Saturation", "v_saturation", "Saturation_Change", PARAM_SATURATION,
     &BaseDevice::SetSaturation},
    {"Slider_Sharpness", "v_sharpness", "Sharpness_Change", PARAM_SHARPNESS,
     &BaseDevice::SetSharpness},
    {"Slider_Gamma", "v_gamma", "Gamma_Change", PARAM_GAMMA, &BaseDevice::SetGamma},
    {"Slider_BLC", "v_blc", "BLC_Change", PARAM_BACKLIGHT, &BaseDevice::SetBacklight},
    {"Slider_WB", "v_wb", "WB_Change", PARAM_WHITE_BALANCE, &BaseDevice::SetWhiteBalance},
};

} // namespace

const ImageControl &ImageControl::of(Id id)
{
    return controls[id];
}
