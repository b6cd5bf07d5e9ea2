#include "core/formview/FormZoom.h"

#include <algorithm>
#include <cstdlib>

#include "core/settings/Profile.h"
#include "core/settings/SettingsKeys.h"

namespace tarvex {

int DefaultZoom(int desktopHeight, bool windows8OrLater) {
    int zoom = desktopHeight < 490 ? 22 : desktopHeight < 610 ? 18 : desktopHeight < 770 ? 16 : 14;
    if (windows8OrLater) zoom -= 3;
    return zoom;
}

int ComputeInitZoom(Profile& profile, std::string_view section, int desktopHeight, bool windows8OrLater,
                    int dpi) {
    const int z =
        profile.GetProfileInt(section, settings::kZoomFactor, DefaultZoom(desktopHeight, windows8OrLater));
    profile.WriteProfileInt(section, settings::kZoomFactorLU, z);
    if (dpi <= 0) dpi = 96;
    const int scale = MulDivRound(100, dpi, 96);
    profile.WriteProfileInt(section, settings::kWinFormScaledFactor, scale);
    const int s = profile.GetProfileInt(settings::kSettings, settings::kWinFormScaledFactorOv, scale);
    return s * z / 100;
}

int ZoomStep(Profile& profile, std::string_view section, int zoom, bool in) {
    if (in ? !CanZoomIn(zoom) : !CanZoomOut(zoom)) return zoom;
    zoom += in ? 1 : -1;
    profile.WriteProfileInt(section, settings::kZoomFactor, zoom);
    return zoom;
}

int MulDivRound(int a, int b, int c) {
    if (c == 0) return -1;
    const long long p = static_cast<long long>(a) * b;
    const long long q = (std::llabs(p) + std::llabs(c) / 2) / std::llabs(c);
    return static_cast<int>(((p < 0) != (c < 0)) ? -q : q);
}

int HimetricToPixels(int hundredths, int dpi) {
    return MulDivRound(hundredths, dpi, 2540);
}
int PixelsToHimetric(int pixels, int dpi) {
    return dpi > 0 ? MulDivRound(pixels, 2540, dpi) : 0;
}

FieldRect FormRectToPixels(int left, int top, int right, int bottom, int zoom, int dpi) {
    auto px = [&](int v) {
        const int p = HimetricToPixels(ZoomScale(v, zoom) * 10, dpi);
        return static_cast<uint16_t>(std::clamp(p, 0, 0xFFFF));
    };
    return {px(left), px(top), px(right), px(bottom)};
}

}  // namespace tarvex
