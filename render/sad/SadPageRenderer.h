#pragma once
// The one painter of an SAD page: static form (surround, edge strip, rulings, captions, crossed-out
// boxes) and the texts of every field from the document's field store. It draws in the view's
// logical units (form units x zoom / 10, y downward); the caller's painter transform maps them to
// the device. The screen view, PNG export and printing all come through here.

#include <QColor>
#include <QFont>
#include <QImage>
#include <QRect>
#include <QTransform>
#include <array>
#include <string>
#include <vector>

#include "core/formview/FieldStore.h"
#include "render/formview/FieldText.h"
#include "render/formview/PagePicture.h"

class QPainter;

namespace tarvex {

class Profile;
struct CFieldDefinitions;

struct SadRenderOptions {
    int zoom = 10;
    int variant = 0;
    bool stampA = false;
    bool stampC = false;
    bool showCrossedOut = true;  // "EH_ShowXX" = 1
    bool greySurround = true;    // screen only
    bool markOverflow = false;   // screen: a red corner on every box whose text does not fit
    bool inputTax = false;       // the document's input-tax flag is 1
    QColor textColour = QColor(0, 0, 255);
    const CFieldDefinitions* definitions = nullptr;  // nullptr: every field shown
    // Printing the form on blank paper: the fields the print leaves out (definition "not
    // printed", no print rectangle) are left out here too, and box 1 of the first sheet is
    // repeated on every continuation sheet whatever the definitions say.
    bool printedFields = false;
    const FieldFontSet* textFonts = nullptr;  // nullptr: the drawing fonts of the zoom
};

class CSadPageRenderer {
public:
    // Builds the caption fonts and the field drawing fonts for a zoom.
    void Prepare(Profile* profile, int zoom);
    int Zoom() const { return m_zoom; }
    const FieldFontSet& FieldFonts() const { return m_fieldFonts; }

    // Draws page `page` of the store (1 = first sheet). The painter is in logical units.
    void Render(QPainter& painter, const CFieldStore& store, int page, const SadRenderOptions& options) const;
    // The same picture for the screen: the static form (surround, strip, rulings, captions,
    // crossed-out boxes) of each sheet comes from an image kept at the painter's scale and redrawn
    // only when the scale or an option it depends on changes; the page with its texts is kept as
    // a second image, in which only the boxes whose text or format changed are drawn again. A
    // painter clipped to part of the view copies that part and lays out no text. Where the
    // painter's transform is more than a scale and a whole-pixel shift it draws like Render.
    // With `background` it also makes white what neither the picture nor the surround covers.
    void RenderScreen(QPainter& painter, const CFieldStore& store, int page, const SadRenderOptions& options,
                      bool background = false) const;

    void DrawFirstSheet(QPainter& painter, const SadRenderOptions& o) const;
    void DrawContinuationSheet(QPainter& painter, const SadRenderOptions& o) const;
    void DrawFirstSheetTexts(QPainter& painter, const CFieldStore& store, const SadRenderOptions& o) const;
    void DrawContinuationTexts(QPainter& painter, const CFieldStore& store, int page,
                               const SadRenderOptions& o) const;
    void DrawCrossHatch(QPainter& painter, int field, int page) const;
    void DrawInputTaxCross(QPainter& painter, const SadRenderOptions& o) const;

    // Fields of the page's sheet whose text does not fit their box at the drawing fonts, in
    // index order (box 1 repeated on a continuation sheet belongs to the first sheet).
    std::vector<int> OverflowingFields(const CFieldStore& store, int page, const SadRenderOptions& o) const;
    // The overflowing field under a logical point (y downward), or -1.
    int OverflowingFieldAt(const CFieldStore& store, int page, const SadRenderOptions& o,
                           const QPoint& p) const;

    // Logical units to device pixels at a resolution (0.1 mm per logical unit).
    static QTransform LogicalToDevice(double dpi);
    // Size of the form picture in logical units at a zoom ("DocWidth" x "DocLength" in mm).
    static QSize DocumentSize(int zoom, int widthMm = 205, int lengthMm = 350);

private:
    struct TextBox {
        int field;
        int page;  // the store page the text comes from
        QRect rect;
    };
    // Every field text the page shows, with the rectangle it is drawn in.
    std::vector<TextBox> TextBoxes(const CFieldStore& store, int page, const SadRenderOptions& o) const;
    // Boxes whose text cannot reach the painter's clip are left out, and with `inside` (logical)
    // also those whose text stays within it.
    void DrawTexts(QPainter& painter, const CFieldStore& store, int page, const SadRenderOptions& o,
                   const QRect* inside = nullptr) const;
    void DrawPageTexts(QPainter& painter, const CFieldStore& store, int page, const SadRenderOptions& o,
                       const QRect* inside = nullptr) const;
    void DrawForm(QPainter& painter, int page, const SadRenderOptions& o) const;
    void DrawSurround(QPainter& painter) const;
    void DrawSheetGrey(QPainter& painter) const;
    void DrawGreyAndStrip(QPainter& painter, const SadRenderOptions& o) const;
    const QImage& FormPicture(int page, const SadRenderOptions& o, const QTransform& scale,
                              QImage::Format format) const;
    bool Overflows(const TextBox& box, const CFieldStore& store) const;
    const FieldTextMeasure& Measure(const TextBox& box, const std::u16string& text, uint16_t flags,
                                    const FieldFontSet& fonts) const;
    void DrawCaptions(QPainter& painter, int sheet, const SadRenderOptions& o) const;

    int m_zoom = 0;
    QFont m_large, m_normal, m_small;
    FieldFontSet m_fieldFonts;

    // The static form of each sheet as last drawn for the screen, with what it was drawn for.
    struct PictureKey {
        int sheet = 0, variant = 0;
        bool stampA = false, stampC = false, showCrossedOut = false, greySurround = false;
        qreal sx = 0, sy = 0;
        QImage::Format format = QImage::Format_Invalid;
        bool operator==(const PictureKey&) const = default;
    };
    mutable std::array<PictureKey, 2> m_pictureKey;
    mutable std::array<QImage, 2> m_picture;
    // The page as last shown.
    mutable CPagePicture m_page;
    // Each box's text laid out once (where it reaches, whether it overflows) until text, format,
    // box or fonts change; for the boxes of the first sheet and of the continuation sheets.
    mutable CFieldTextMeasures m_measures1, m_measures2;
};

}  // namespace tarvex
