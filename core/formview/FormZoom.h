#pragma once
// Zoom level and coordinate mappings of the form views. Form units are 0.1 mm with y downward;
// the view's logical units are the form units scaled by zoom / 10 (integer arithmetic truncating
// toward zero) with y upward; device pixels come from hundredths of a millimetre at the screen's
// resolution.

#include <string>
#include <string_view>

#include "core/formview/FieldStore.h"

namespace tarvex {

class Profile;

inline constexpr int kZoomMin = 10;
inline constexpr int kZoomMax = 25;
inline constexpr int kPageKeyStep = 700;  // logical units scrolled by Page Up / Page Down

inline int ZoomScale(int value, int zoom) {
    return value * zoom / 10;
}

// Default zoom before the screen scale: by the desktop height in pixels, three less from
// Windows 8 on.
int DefaultZoom(int desktopHeight, bool windows8OrLater);

// Computes the zoom level of a view: "ZoomFactor" of the view section (default from the screen)
// scaled by the screen scale in percent, with the profile writes of the start-up rule.
// dpi <= 0 means no screen information (96 is used).
int ComputeInitZoom(Profile& profile, std::string_view section, int desktopHeight, bool windows8OrLater,
                    int dpi);

inline bool CanZoomIn(int zoom) {
    return zoom < kZoomMax;
}
inline bool CanZoomOut(int zoom) {
    return zoom > kZoomMin;
}
// One zoom step; returns the new level (unchanged at the limit) and stores it as "ZoomFactor".
int ZoomStep(Profile& profile, std::string_view section, int zoom, bool in);

// Windows' MulDiv: a * b / c rounded half away from zero.
int MulDivRound(int a, int b, int c);
// Hundredths of a millimetre to device pixels and back, as sizes (sign kept).
int HimetricToPixels(int hundredths, int dpi);
int PixelsToHimetric(int pixels, int dpi);

// The device-pixel rectangle of a form rectangle at a zoom (unscrolled document), for placing a
// window over a field: each value zoomed, times 10, converted to pixels; negative values (fields
// above or left of the origin) are clamped to 0 for the store's unsigned rectangles.
FieldRect FormRectToPixels(int left, int top, int right, int bottom, int zoom, int dpi);

// A mouse position (client pixels plus the device scroll position) in form units at the current
// zoom, y downward: pixels to hundredths of a millimetre, divided by 10.
inline int PixelsToZoomedForm(int pixels, int dpi) {
    return PixelsToHimetric(pixels, dpi) / 10;
}

}  // namespace tarvex
