#pragma once
// The one painter of a D.V.1 page: the form picture (surround, rulings, captions, the yes/no
// boxes of the front with their crosses) and the texts of the page's fields from the document's
// field store. It draws in the view's logical units (form units x zoom / 10, y downward); the
// caller's painter transform maps them to the device. The screen view, PNG export and the
// command-line tool all come through here; printing uses the same tables without the picture.

#include <QColor>
#include <QFont>
#include <QImage>
#include <QRect>
#include <QSize>
#include <QTransform>
#include <array>
#include <span>
#include <vector>

#include "core/dv1/Dv1Geometry.h"
#include "render/formview/FieldText.h"
#include "render/formview/PagePicture.h"

class QPainter;

namespace tarvex {

class CDV1_Doc;
class CFieldStore;
class Profile;

struct Dv1RenderOptions {
    int zoom = 10;
    bool greySurround = true;               // the grey beyond the paper (screen)
    QColor textColour = QColor(0, 0, 255);  // "EditTextColor"
    // Fields of the page drawn with a red frame, e.g. the texts the value calculation found to be
    // no amounts. Indexes the page does not have are ignored.
    std::vector<int> markedFields;
    bool markOverflow = false;  // screen: a red corner on every box whose text does not fit
};

class CDv1PageRenderer {
public:
    // Builds the caption fonts and the field drawing fonts for a zoom.
    void Prepare(Profile* profile, int zoom);
    int Zoom() const { return m_zoom; }
    const FieldFontSet& FieldFonts() const { return m_fieldFonts; }

    // Draws page `page` of the document (1 = front). The painter is in logical units.
    void Render(QPainter& painter, const CDV1_Doc& doc, int page, const Dv1RenderOptions& options) const;
    // The same picture for the screen: the form of each page kind (surround, rulings, captions)
    // is kept as an image at the painter's scale, and the page with its texts, marks and boxes as
    // a second one in which only the boxes whose text or format changed are drawn again. A
    // painter clipped to part of the view copies that part and lays out no text. Where the
    // painter's transform is more than a scale and a whole-pixel shift it draws like Render.
    // With `background` it also makes white what neither the picture nor the surround covers.
    void RenderScreen(QPainter& painter, const CDV1_Doc& doc, int page, const Dv1RenderOptions& options,
                      bool background = false) const;

    // The parts of Render, for a view that draws them in steps.
    void DrawSurround(QPainter& painter) const;
    void DrawSheet(QPainter& painter, Dv1PageKind kind) const;
    void DrawBoxes(QPainter& painter, std::span<const uint8_t> checks) const;
    void DrawMarks(QPainter& painter, int page, const std::vector<int>& fields) const;
    // Fields whose text cannot reach the painter's clip are left out, and with `inside` (logical)
    // also those whose text stays within it.
    void DrawTexts(QPainter& painter, const CFieldStore& store, int page, const QColor& colour,
                   const QRect* inside = nullptr) const;
    // A small red triangle in the top right corner of each box whose text does not fit.
    void DrawOverflowCorners(QPainter& painter, const CFieldStore& store, int page) const;

    // The fields of a page whose text does not fit its box with the screen fonts, and the one
    // whose box holds a logical point (y downward), or -1.
    std::vector<int> OverflowingFields(const CFieldStore& store, int page) const;
    int OverflowingFieldAt(const CFieldStore& store, int page, const QPoint& p) const;

    // The rectangle a field's text is drawn in at a zoom (logical units, y downward): the field's
    // rectangle moved 2 units to the right as the edit control draws it. Empty for a field the
    // page kind does not show (field 52 of a BIS front).
    static QRect FieldTextRect(Dv1PageKind kind, int field, int zoom);
    // A yes/no box of the front at a zoom (logical units, y downward).
    static QRect BoxRect(int box, int zoom);
    // Logical units to device pixels at a resolution (0.1 mm per logical unit).
    static QTransform LogicalToDevice(double dpi);
    // Size of the form picture in logical units at a zoom ("DocWidth" x "DocLength" in mm).
    static QSize DocumentSize(int zoom, int widthMm = 205, int lengthMm = 350);

private:
    const FieldTextMeasure& Measure(Dv1PageKind kind, int field, const QRect& rect,
                                    const std::u16string& text, uint16_t flags) const;
    const QImage& FormPicture(Dv1PageKind kind, bool greySurround, const QTransform& scale,
                              QImage::Format format) const;

    int m_zoom = 10;
    QFont m_fontBold, m_fontNormal;
    FieldFontSet m_fieldFonts;
    // The form of each page kind as last drawn for the screen, with what it was drawn for.
    struct FormKey {
        bool greySurround = false;
        qreal sx = 0, sy = 0;
        QImage::Format format = QImage::Format_Invalid;
        bool operator==(const FormKey&) const = default;
    };
    mutable std::array<FormKey, 3> m_formKey;
    mutable std::array<QImage, 3> m_form;
    mutable CPagePicture m_page;
    // Each field's text laid out once per page kind until text, format or zoom change.
    mutable std::array<CFieldTextMeasures, 3> m_measures;
};

// The screen picture's options from section "DV1Form_Defaults" ("EditTextColor") at a zoom.
Dv1RenderOptions Dv1RenderOptionsFromSettings(Profile& profile, int zoom);

// The screen view's repaint: the device area `area` white, then the page scrolled by `scroll`
// device pixels at a resolution, drawn by a renderer prepared for `zoom`, field texts in
// `textColour`, the fields `markedFields` framed as texts that are no amounts.
void PaintDv1Screen(QPainter& painter, const QRect& area, const QPoint& scroll, double dpi,
                    const CDv1PageRenderer& renderer, const CDV1_Doc& doc, int page, int zoom,
                    const QColor& textColour, const std::vector<int>& markedFields = {});

// The screen picture of a page at a resolution: the form area ("DocWidth" x "DocLength" mm of
// "DV1Form_Defaults") drawn by a renderer prepared for the options' zoom.
QImage RenderDv1PageImage(const CDv1PageRenderer& renderer, const CDV1_Doc& doc, int page,
                          const Dv1RenderOptions& options, Profile& profile, double dpi);

}  // namespace tarvex
