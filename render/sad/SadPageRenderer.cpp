#include "render/sad/SadPageRenderer.h"

#include <QFontMetrics>
#include <QPainter>
#include <QRegion>
#include <algorithm>
#include <cmath>
#include <functional>

#include "core/formview/FormZoom.h"
#include "core/formview/PrintCorrections.h"
#include "core/sad/FieldDefinitions.h"
#include "core/sad/SadFields.h"
#include "core/sad/SadLayout.h"
#include "core/settings/SettingsKeys.h"

namespace tarvex {
namespace {

const QColor kGreen(0x00, 0x80, 0x00);
const QColor kGrey(0x80, 0x80, 0x80);
const QColor kRed(0xFF, 0x00, 0x00);

enum class PenKind { Thin, Heavy, Dotted };

// Pens are given in logical units like the form; a line never gets thinner than one device
// pixel, so the thin rulings stay visible at every scale.
QPen MakePen(const QPainter& painter, const QColor& colour, PenKind kind) {
    const double scale = std::max(1e-6, std::abs(painter.worldTransform().m11()));
    const double width = kind == PenKind::Heavy ? 4.0 : 1.0;
    QPen pen(colour, std::max(width, 1.0 / scale));
    pen.setStyle(kind == PenKind::Dotted ? Qt::DotLine : Qt::SolidLine);
    pen.setCapStyle(Qt::FlatCap);
    return pen;
}

// Table values are in logical orientation (y upward); the painter works y downward.
QLine Scaled(const SadSegment& s, int zoom) {
    return QLine(ZoomScale(s.x1, zoom), -ZoomScale(s.y1, zoom), ZoomScale(s.x2, zoom),
                 -ZoomScale(s.y2, zoom));
}

void DrawGroup(QPainter& painter, const std::vector<SadSegment>& group, int zoom) {
    for (const SadSegment& s : group) painter.drawLine(Scaled(s, zoom));
}

void DrawGroup(QPainter& painter, const std::vector<SadSegment>& group, int zoom, const QColor& colour,
               PenKind kind) {
    painter.setPen(MakePen(painter, colour, kind));
    DrawGroup(painter, group, zoom);
}

// The green rulings (groups 0 thin, 1 heavy, 2 dotted) that both sheets start with.
void DrawGreenRulings(QPainter& painter, const std::vector<std::vector<SadSegment>>& g, int zoom) {
    DrawGroup(painter, g[0], zoom, kGreen, PenKind::Thin);
    DrawGroup(painter, g[1], zoom, kGreen, PenKind::Heavy);
    DrawGroup(painter, g[2], zoom, kGreen, PenKind::Dotted);
}

// A stamp box: its thin group and the heavy one after it.
void DrawStampBox(QPainter& painter, const std::vector<std::vector<SadSegment>>& g, int first, int zoom) {
    DrawGroup(painter, g[first], zoom, Qt::black, PenKind::Thin);
    DrawGroup(painter, g[first + 1], zoom, Qt::black, PenKind::Heavy);
}

QRect ToQRect(const SadRect& r) {
    return QRect(QPoint(r.left, r.top), QPoint(r.right, r.bottom));
}

bool Shown(const CFieldDefinitions* defs, int page, int field, int variant) {
    return !defs || !(defs->Get(page <= 1 ? 1 : 2, field, variant) & kDefHidden);
}

// What the page step prints: not marked "not printed" for the variant, and with a print
// rectangle.
bool Printed(const CFieldDefinitions* defs, SadSheet sheet, int field, int variant) {
    if (defs && (defs->Get(sheet == SadSheet::First ? 1 : 2, field, variant) & kDefNotPrinted)) return false;
    const auto& fields = SadFields(sheet);
    return field >= 0 && field < static_cast<int>(fields.size()) &&
           !fields[static_cast<size_t>(field)].print.IsEmpty();
}

}  // namespace

void CSadPageRenderer::Prepare(Profile* profile, int zoom) {
    m_zoom = zoom;
    m_large = ArialCellHeight(4 * zoom, 800);
    m_normal = ArialCellHeight(3 * zoom, 400);
    m_small = ArialCellHeight(zoom * 32 / 12, 400);
    m_fieldFonts = MakeDrawingFonts(profile, zoom);
    m_picture = {};
    m_page.Clear();
    m_measures1.Clear();
    m_measures2.Clear();
}

QTransform CSadPageRenderer::LogicalToDevice(double dpi) {
    const double s = dpi / 254.0;
    return QTransform::fromScale(s, s);
}

QSize CSadPageRenderer::DocumentSize(int zoom, int widthMm, int lengthMm) {
    return QSize(widthMm * zoom, lengthMm * zoom);
}

void CSadPageRenderer::Render(QPainter& painter, const CFieldStore& store, int page,
                              const SadRenderOptions& o) const {
    painter.save();
    DrawForm(painter, page, o);
    DrawPageTexts(painter, store, page, o);
    painter.restore();
}

void CSadPageRenderer::RenderScreen(QPainter& painter, const CFieldStore& store, int page,
                                    const SadRenderOptions& o, bool background) const {
    const QTransform t = painter.worldTransform();
    if (!PlacesPicturesExactly(painter)) {
        if (background) FillBackground(painter, {});
        Render(painter, store, page, o);
        return;
    }
    const QImage::Format format = PictureFormatFor(painter);
    const QTransform scale = QTransform::fromScale(t.m11(), t.m22());
    const QImage& form = FormPicture(page, o, scale, format);
    if (background) {
        // The picture and the grey are drawn over everything they cover; white goes only where
        // neither reaches (with two pixels of overlap for the rounding of the grey's edges).
        QRegion covered(form.rect().translated(static_cast<int>(t.dx()), static_cast<int>(t.dy())));
        if (o.greySurround) {
            const int z = m_zoom;
            for (const QRect& r : {QRect(QPoint(205 * z, 0), QPoint(400 * z, 350 * z)),
                                   QRect(QPoint(0, 298 * z), QPoint(400 * z, 350 * z)),
                                   QRect(QPoint(205 * z, 0), QPoint(350 * z, 450 * z)),
                                   QRect(QPoint(0, 298 * z), QPoint(350 * z, 450 * z))})
                covered += t.mapRect(r).adjusted(2, 2, -2, -2);
        }
        FillBackground(painter, covered);
    }
    const FieldFontSet& fonts = o.textFonts ? *o.textFonts : m_fieldFonts;
    // Texts that reach beyond the picture are drawn there as well.
    const QRect inside = scale.inverted().mapRect(form.rect()).adjusted(1, 1, -1, -1);
    bool reachOut = false;
    std::vector<CPagePicture::Box> boxes;
    for (const TextBox& b : TextBoxes(store, page, o)) {
        std::u16string text = store.GetFieldText(b.field, b.page);
        const uint16_t flags = store.GetFieldFlags(b.field, b.page);
        const QRect extent = Measure(b, text, flags, fonts).extent;
        reachOut = reachOut || !inside.contains(extent);
        boxes.push_back({b.page * kMaxFieldsPerSheet + b.field, std::move(text), flags, extent});
    }
    const QByteArray key =
        QByteArray::number(page) + ' ' + QByteArray::number(o.variant) + ' ' +
        QByteArray::number(o.stampA * 1 + o.stampC * 2 + o.showCrossedOut * 4 + o.greySurround * 8 +
                           o.markOverflow * 16 + o.inputTax * 32 + o.printedFields * 64) +
        ' ' + QByteArray::number(o.textColour.rgba()) + ' ' +
        QByteArray::number(reinterpret_cast<quintptr>(o.textFonts)) + ' ' + QByteArray::number(m_zoom);
    const QImage& picture =
        m_page.Update(key, scale, form.size(), format, std::move(boxes), [&](QPainter& p) {
            p.save();
            p.resetTransform();
            p.drawImage(0, 0, form);
            p.restore();
            p.save();
            DrawPageTexts(p, store, page, o);
            p.restore();
        });
    painter.save();
    painter.setWorldTransform(QTransform::fromTranslate(t.dx(), t.dy()));
    painter.drawImage(0, 0, picture);
    if (o.greySurround) {
        // Beyond the picture there is nothing but the grey surround.
        const QRect all = scale.mapRect(QRect(0, 0, 400 * m_zoom, 450 * m_zoom)).adjusted(-1, -1, 1, 1);
        painter.setClipRegion(QRegion(all).subtracted(QRegion(picture.rect())),
                              painter.hasClipping() ? Qt::IntersectClip : Qt::ReplaceClip);
        painter.setWorldTransform(t);
        DrawSurround(painter);
        DrawSheetGrey(painter);
    } else {
        painter.setClipRegion(QRegion(painter.hasClipping() ? painter.clipBoundingRect().toAlignedRect()
                                                            : QRect(-(1 << 24), -(1 << 24), 1 << 25, 1 << 25))
                                  .subtracted(QRegion(picture.rect())),
                              Qt::ReplaceClip);
        painter.setWorldTransform(t);
    }
    if (reachOut) DrawPageTexts(painter, store, page, o, &inside);
    painter.restore();
}

const QImage& CSadPageRenderer::FormPicture(int page, const SadRenderOptions& o, const QTransform& scale,
                                            QImage::Format format) const {
    const int sheet = page <= 1 ? 1 : 2;
    const PictureKey key{sheet,          o.variant,   o.stampA,    o.stampC, o.showCrossedOut,
                         o.greySurround, scale.m11(), scale.m22(), format};
    PictureKey& kept = m_pictureKey[static_cast<size_t>(sheet - 1)];
    QImage& picture = m_picture[static_cast<size_t>(sheet - 1)];
    if (key == kept && !picture.isNull()) return picture;
    // The form proper (205 x 350 mm) and a pixel more; what lies beyond is surround only.
    const QRectF area = scale.mapRect(QRectF(0, 0, 205 * m_zoom, 350 * m_zoom));
    picture = QImage(static_cast<int>(std::ceil(area.width())) + 1,
                     static_cast<int>(std::ceil(area.height())) + 1, format);
    picture.fill(Qt::white);
    QPainter p(&picture);
    p.setWorldTransform(scale);
    p.save();
    DrawForm(p, page, o);
    p.restore();
    kept = key;
    return picture;
}

void CSadPageRenderer::DrawForm(QPainter& painter, int page, const SadRenderOptions& o) const {
    if (o.greySurround) DrawSurround(painter);
    if (page <= 1)
        DrawFirstSheet(painter, o);
    else
        DrawContinuationSheet(painter, o);
}

void CSadPageRenderer::DrawPageTexts(QPainter& painter, const CFieldStore& store, int page,
                                     const SadRenderOptions& o, const QRect* inside) const {
    if (!inside) {
        if (page <= 1)
            DrawFirstSheetTexts(painter, store, o);
        else
            DrawContinuationTexts(painter, store, page, o);
        return;
    }
    // Only what sticks out of the picture; the input-tax cross is inside it.
    painter.setPen(page <= 1 ? o.textColour : QColor(Qt::black));
    DrawTexts(painter, store, page, o, inside);
}

void CSadPageRenderer::DrawSurround(QPainter& painter) const {
    // Right of and below the form.
    const int z = m_zoom;
    painter.fillRect(QRect(QPoint(205 * z, 0), QPoint(400 * z, 350 * z)), kGrey);
    painter.fillRect(QRect(QPoint(0, 298 * z), QPoint(400 * z, 350 * z)), kGrey);
}

void CSadPageRenderer::DrawSheetGrey(QPainter& painter) const {
    // The grey a sheet lays right of and below itself.
    const int z = m_zoom;
    painter.fillRect(QRect(QPoint(205 * z, 0), QPoint(350 * z, 450 * z)), kGrey);
    painter.fillRect(QRect(QPoint(0, 298 * z), QPoint(350 * z, 450 * z)), kGrey);
}

void CSadPageRenderer::DrawGreyAndStrip(QPainter& painter, const SadRenderOptions& o) const {
    const int z = m_zoom;
    if (o.greySurround) DrawSheetGrey(painter);
    // The coloured edge strip: dashed (3 mm every 6 mm) for the four forms, solid otherwise.
    if (o.variant >= 0 && o.variant <= 3) {
        for (int top = 295 * z, bottom = 298 * z; bottom > 0; top -= 6 * z, bottom -= 6 * z)
            painter.fillRect(QRect(201 * z, top, 4 * z, bottom - top), kRed);
    } else {
        painter.fillRect(QRect(201 * z, 0, 4 * z, 298 * z), kRed);
    }
}

void CSadPageRenderer::DrawCaptions(QPainter& painter, int sheet, const SadRenderOptions& o) const {
    const auto& captions = SadCaptions(sheet == 1 ? SadSheet::First : SadSheet::Continuation);
    auto draw = [&](int i, const QFont& font) {
        const SadCaption& c = captions[static_cast<size_t>(i)];
        if (c.text.empty()) return;
        painter.setFont(font);
        const QFontMetrics fm(font);
        // Anchored at the bottom-left corner of the text cell.
        painter.drawText(QPoint(ZoomScale(c.x, m_zoom), -ZoomScale(c.y, m_zoom) - fm.descent()),
                         QString::fromStdU16String(c.text));
    };
    painter.setPen(kGreen);
    if (sheet == 1) {
        draw(0, m_large);
        for (int i = 1; i <= 56; ++i) draw(i, m_normal);
        for (int i = 57; i <= 150; ++i) draw(i, m_small);
        painter.setPen(Qt::black);
        if (HasInputTaxBox(o.variant)) draw(151, m_normal);  // the input-tax statement
        if (o.variant == 2) {
            draw(152, m_normal);
            draw(153, m_small);
        }
    } else {
        draw(0, m_large);
        for (int i = 1; i < kSadCaptionCount; ++i) draw(i, m_small);
    }
}

void CSadPageRenderer::DrawFirstSheet(QPainter& painter, const SadRenderOptions& o) const {
    DrawGreyAndStrip(painter, o);
    const auto& g = SadRulingGroups(SadSheet::First);
    const int z = m_zoom;
    DrawGreenRulings(painter, g, z);
    // Groups 3 and 4 are not drawn; group 5 is the input-tax square of the German forms.
    if (HasInputTaxBox(o.variant))
        DrawGroup(painter, g[kFirstRulingInputTaxSquare], z, Qt::black, PenKind::Thin);
    if (o.stampA) DrawStampBox(painter, g, kFirstRulingStampA, z);
    if (o.stampC) DrawStampBox(painter, g, kFirstRulingStampC, z);
    DrawCaptions(painter, 1, o);
    if (o.showCrossedOut)
        for (int f : SadCrossedOut(SadSheet::First, o.variant)) DrawCrossHatch(painter, f, 1);
}

void CSadPageRenderer::DrawContinuationSheet(QPainter& painter, const SadRenderOptions& o) const {
    DrawGreyAndStrip(painter, o);
    const auto& g = SadRulingGroups(SadSheet::Continuation);
    DrawGreenRulings(painter, g, m_zoom);
    if (o.stampA) DrawStampBox(painter, g, kContinuationRulingStampA, m_zoom);
    DrawCaptions(painter, 2, o);
    if (o.showCrossedOut)
        for (int f : SadCrossedOut(SadSheet::Continuation, o.variant)) DrawCrossHatch(painter, f, 2);
}

void CSadPageRenderer::DrawCrossHatch(QPainter& painter, int field, int page) const {
    painter.save();
    painter.setPen(MakePen(painter, Qt::black, PenKind::Heavy));
    const SadRect r = SadZoomedRect(SheetOfPage(page), field, m_zoom);
    for (const SadSegment& s : SadCrossHatchLines(r, SadCrossSize(m_zoom)))
        painter.drawLine(QLine(s.x1, -s.y1, s.x2, -s.y2));
    painter.restore();
}

std::vector<CSadPageRenderer::TextBox> CSadPageRenderer::TextBoxes(const CFieldStore& store, int page,
                                                                   const SadRenderOptions& o) const {
    std::vector<TextBox> boxes;
    auto add = [&](SadSheet sheet, int i, int fromPage, const SadRect& d) {
        if (o.printedFields ? Printed(o.definitions, sheet, i, o.variant)
                            : Shown(o.definitions, sheet == SadSheet::First ? 1 : 2, i, o.variant))
            boxes.push_back({i, fromPage, ToQRect(d)});
    };
    auto drawRect = [&](SadSheet sheet, int i) {
        const SadRect r = SadZoomedRect(sheet, i, m_zoom);
        return SadRect{r.left + 2, r.top, r.right + 2, r.bottom};
    };
    if (page <= 1) {
        for (int i = 0; i < kSadFirstFieldCount && i < store.GetFieldCount1(); ++i) {
            SadRect d = drawRect(SadSheet::First, i);
            if (i == kFieldBox44Text && store.GetTextLength(kFieldOffSheet, 1) == 0) {
                // Converted old files: the text over box 44 starts higher and stops before box
                // 44's time-limit text.
                d.top -= 50;
                if (store.GetTextLength(kFieldBox44Frist, 1) != 0)
                    d.right = SadZoomedRect(SadSheet::First, kFieldBox44Frist, m_zoom).left - 2;
            }
            add(SadSheet::First, i, 1, d);
        }
        return boxes;
    }
    // Box 1 of the first sheet is repeated on every continuation sheet; in print whatever the
    // definitions say.
    for (int i = 0; i <= 2; ++i) {
        if (o.printedFields)
            boxes.push_back({i, 1, ToQRect(drawRect(SadSheet::First, i))});
        else
            add(SadSheet::First, i, 1, drawRect(SadSheet::First, i));
    }
    for (int i = 0; i < kSadContinuationFieldCount && i < store.GetFieldCount2(); ++i)
        add(SadSheet::Continuation, i, page, drawRect(SadSheet::Continuation, i));
    return boxes;
}

void CSadPageRenderer::DrawTexts(QPainter& painter, const CFieldStore& store, int page,
                                 const SadRenderOptions& o, const QRect* inside) const {
    const std::vector<TextBox> boxes = TextBoxes(store, page, o);
    // A format word with a size beyond the five keeps this font, whatever was drawn before.
    painter.setFont(m_normal);
    const FieldFontSet& fonts = o.textFonts ? *o.textFonts : m_fieldFonts;
    // On the screen a paint of part of the view draws the boxes that reach into it.
    const bool clipped = painter.hasClipping() || inside;
    const QRect clip = painter.hasClipping() ? painter.clipBoundingRect().toAlignedRect()
                                             : QRect(-(1 << 24), -(1 << 24), 1 << 25, 1 << 25);
    auto skipped = [&](const TextBox& b, const std::u16string& text, uint16_t flags) {
        if (!clipped) return false;
        const QRect extent = Measure(b, text, flags, fonts).extent;
        return !clip.intersects(extent) || (inside && inside->contains(extent));
    };
    std::vector<bool> drawn(boxes.size(), true);
    for (size_t k = 0; k < boxes.size(); ++k) {
        const TextBox& b = boxes[k];
        const std::u16string text = store.GetFieldText(b.field, b.page);
        const uint16_t flags = store.GetFieldFlags(b.field, b.page);
        if (skipped(b, text, flags)) {
            drawn[k] = false;
            continue;
        }
        DrawFieldText(painter, b.rect, text, flags, fonts, false);
    }
    if (!o.markOverflow) return;
    // A small red triangle in the top right corner of a box whose text does not fit.
    const int s = std::max(4, 2 * m_zoom);
    painter.save();
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(0xE0, 0x00, 0x00));
    for (size_t k = 0; k < boxes.size(); ++k) {
        const TextBox& b = boxes[k];
        if (!drawn[k]) continue;
        if (b.page != page && page > 1) continue;
        if (!Overflows(b, store)) continue;
        const QPoint c = b.rect.topRight();
        painter.drawPolygon(QPolygon({c, c + QPoint(-s, 0), c + QPoint(0, s)}));
    }
    painter.restore();
}

void CSadPageRenderer::DrawFirstSheetTexts(QPainter& painter, const CFieldStore& store,
                                           const SadRenderOptions& o) const {
    painter.setPen(o.textColour);
    DrawTexts(painter, store, 1, o);
    DrawInputTaxCross(painter, o);
}

void CSadPageRenderer::DrawContinuationTexts(QPainter& painter, const CFieldStore& store, int page,
                                             const SadRenderOptions& o) const {
    painter.setPen(Qt::black);
    DrawTexts(painter, store, page, o);
}

const FieldTextMeasure& CSadPageRenderer::Measure(const TextBox& b, const std::u16string& text,
                                                  uint16_t flags, const FieldFontSet& fonts) const {
    CFieldTextMeasures& measures = b.page <= 1 ? m_measures1 : m_measures2;
    return measures.Get(static_cast<size_t>(b.field), b.rect, text, flags, fonts);
}

bool CSadPageRenderer::Overflows(const TextBox& b, const CFieldStore& store) const {
    return Measure(b, store.GetFieldText(b.field, b.page), store.GetFieldFlags(b.field, b.page), m_fieldFonts)
        .overflows;
}

std::vector<int> CSadPageRenderer::OverflowingFields(const CFieldStore& store, int page,
                                                     const SadRenderOptions& o) const {
    std::vector<int> fields;
    const FieldFontSet& fonts = o.textFonts ? *o.textFonts : m_fieldFonts;
    for (const TextBox& b : TextBoxes(store, page, o)) {
        if (page > 1 && b.page != page) continue;
        if (FieldTextOverflows(b.rect, store.GetFieldText(b.field, b.page),
                               store.GetFieldFlags(b.field, b.page), fonts))
            fields.push_back(b.field);
    }
    return fields;
}

int CSadPageRenderer::OverflowingFieldAt(const CFieldStore& store, int page, const SadRenderOptions& o,
                                         const QPoint& p) const {
    for (const TextBox& b : TextBoxes(store, page, o)) {
        if (page > 1 && b.page != page) continue;
        if (b.rect.contains(p) && FieldTextOverflows(b.rect, store.GetFieldText(b.field, b.page),
                                                     store.GetFieldFlags(b.field, b.page), m_fieldFonts))
            return b.field;
    }
    return -1;
}

void CSadPageRenderer::DrawInputTaxCross(QPainter& painter, const SadRenderOptions& o) const {
    if (!HasInputTaxBox(o.variant) || !o.inputTax) return;
    const auto& sq = SadRulingGroups(SadSheet::First)[kFirstRulingInputTaxSquare];
    const QLine a = Scaled(sq[0], m_zoom), b = Scaled(sq[1], m_zoom), c = Scaled(sq[2], m_zoom);
    painter.save();
    painter.setPen(MakePen(painter, Qt::black, PenKind::Heavy));
    painter.drawLine(a.p1(), c.p2());
    painter.drawLine(a.p2(), b.p2());
    painter.restore();
}

}  // namespace tarvex
