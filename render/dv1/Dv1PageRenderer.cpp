#include "render/dv1/Dv1PageRenderer.h"

#include <QFontMetrics>
#include <QPainter>
#include <QRegion>
#include <algorithm>
#include <cmath>

#include "core/dv1/Dv1Doc.h"
#include "core/formview/FieldStore.h"
#include "core/formview/FormZoom.h"
#include "core/settings/Profile.h"
#include "core/settings/SettingsKeys.h"
#include "render/formview/EditTextColour.h"

namespace tarvex {
namespace {

const QColor kGrey(0x80, 0x80, 0x80);
const QColor kMark(0xE0, 0x00, 0x00);
const QColor kMarkFill(0xFF, 0xE0, 0xE0);

// Pen widths are logical units of the 0.1 mm mapping (not zoomed): frame 2, thick 6, dotted 1.
// A line never gets thinner than one device pixel, so the thin rulings stay visible.
QPen FormPen(const QPainter& painter, double width, Qt::PenStyle style = Qt::SolidLine) {
    const double scale = std::max(1e-6, std::abs(painter.worldTransform().m11()));
    QPen pen(Qt::black, std::max(width, 1.0 / scale));
    pen.setStyle(style);
    pen.setCapStyle(Qt::FlatCap);
    return pen;
}

// Table values keep y upward (negative); the painter works y downward.
QLine Scaled(const Dv1Segment& s, int zoom) {
    return QLine(ZoomScale(s.x1, zoom), -ZoomScale(s.y1, zoom), ZoomScale(s.x2, zoom),
                 -ZoomScale(s.y2, zoom));
}

}  // namespace

void CDv1PageRenderer::Prepare(Profile* profile, int zoom) {
    m_zoom = zoom;
    m_fontBold = ArialCellHeight(zoom * 32 / 12, 700);
    m_fontNormal = ArialCellHeight(zoom * 30 / 12, 400);
    m_fieldFonts = MakeDrawingFonts(profile, zoom);
    m_form = {};
    m_page.Clear();
    for (CFieldTextMeasures& m : m_measures) m.Clear();
}

QRect CDv1PageRenderer::FieldTextRect(Dv1PageKind kind, int field, int zoom) {
    if (Dv1FieldRect(kind, field).IsEmpty()) return {};
    const Dv1Rect r = Dv1ZoomedRect(kind, field, zoom);
    return QRect(QPoint(r.left + 2, r.top), QPoint(r.right + 2, r.bottom));
}

namespace {

// Every field of the page that has a place on it, with its text rectangle, text and format word.
template <typename Fn>
void ForEachFieldText(const CFieldStore& store, int page, int zoom, Fn&& fn) {
    const Dv1PageKind kind = Dv1PageKindOf(page);
    const int storePage = std::max(page, 1);
    const int stored = kind == Dv1PageKind::Front ? store.GetFieldCount1() : store.GetFieldCount2();
    const int count = std::min(Dv1FieldCount(kind), stored);
    for (int i = 0; i < count; ++i) {
        const QRect r = CDv1PageRenderer::FieldTextRect(kind, i, zoom);
        if (r.isNull()) continue;  // a field without a place on this page is not shown
        fn(i, r, store.GetFieldText(i, storePage), store.GetFieldFlags(i, storePage));
    }
}

}  // namespace

QRect CDv1PageRenderer::BoxRect(int box, int zoom) {
    const Dv1Rect r = Dv1BoxRectDown(box);
    return QRect(QPoint(ZoomScale(r.left, zoom), ZoomScale(r.top, zoom)),
                 QPoint(ZoomScale(r.right, zoom), ZoomScale(r.bottom, zoom)));
}

QTransform CDv1PageRenderer::LogicalToDevice(double dpi) {
    const double s = dpi / 254.0;
    return QTransform::fromScale(s, s);
}

QSize CDv1PageRenderer::DocumentSize(int zoom, int widthMm, int lengthMm) {
    return QSize(widthMm * zoom, lengthMm * zoom);
}

void CDv1PageRenderer::Render(QPainter& painter, const CDV1_Doc& doc, int page,
                              const Dv1RenderOptions& o) const {
    painter.save();
    painter.setBackgroundMode(Qt::TransparentMode);
    if (o.greySurround) DrawSurround(painter);
    const Dv1PageKind kind = Dv1PageKindOf(page);
    DrawSheet(painter, kind);
    DrawMarks(painter, page, o.markedFields);
    DrawTexts(painter, doc.Store(), page, o.textColour);
    if (o.markOverflow) DrawOverflowCorners(painter, doc.Store(), page);
    if (kind == Dv1PageKind::Front) DrawBoxes(painter, doc.m_Checks);
    painter.restore();
}

void CDv1PageRenderer::RenderScreen(QPainter& painter, const CDV1_Doc& doc, int page,
                                    const Dv1RenderOptions& o, bool background) const {
    const QTransform t = painter.worldTransform();
    if (!PlacesPicturesExactly(painter)) {
        if (background) FillBackground(painter, {});
        Render(painter, doc, page, o);
        return;
    }
    const QImage::Format format = PictureFormatFor(painter);
    const QTransform scale = QTransform::fromScale(t.m11(), t.m22());
    const Dv1PageKind kind = Dv1PageKindOf(page);
    const QImage& form = FormPicture(kind, o.greySurround, scale, format);
    if (background) {
        // White only where neither the picture nor the grey reaches (two pixels of overlap for
        // the rounding of the grey's edges).
        QRegion covered(form.rect().translated(static_cast<int>(t.dx()), static_cast<int>(t.dy())));
        if (o.greySurround) {
            const int z = m_zoom;
            for (const QRect& r : {QRect(QPoint(205 * z, 0), QPoint(400 * z, 350 * z)),
                                   QRect(QPoint(0, 298 * z), QPoint(400 * z, 350 * z))})
                covered += t.mapRect(r).adjusted(2, 2, -2, -2);
        }
        FillBackground(painter, covered);
    }
    const CFieldStore& store = doc.Store();
    // Texts that reach beyond the picture are drawn there as well.
    const QRect inside = scale.inverted().mapRect(form.rect()).adjusted(1, 1, -1, -1);
    bool reachOut = false;
    std::vector<CPagePicture::Box> boxes;
    ForEachFieldText(store, page, m_zoom,
                     [&](int i, const QRect& r, const std::u16string& text, uint16_t flags) {
                         const QRect extent = Measure(kind, i, r, text, flags).extent;
                         reachOut = reachOut || !inside.contains(extent);
                         boxes.push_back({i, text, flags, extent});
                     });
    // The marks and the boxes' crosses are few and drawn with the page.
    QByteArray key = QByteArray::number(page) + ' ' + QByteArray::number(o.textColour.rgba()) + ' ' +
                     QByteArray::number(o.markOverflow) + ' ' + QByteArray::number(m_zoom) + " m";
    for (int f : o.markedFields) key += ' ' + QByteArray::number(f);
    if (kind == Dv1PageKind::Front) {
        key += " c";
        for (uint8_t c : doc.m_Checks) key += c ? '1' : '0';
    }
    const QImage& picture =
        m_page.Update(key, scale, form.size(), format, std::move(boxes), [&](QPainter& p) {
            p.save();
            p.resetTransform();
            p.drawImage(0, 0, form);
            p.restore();
            p.save();
            p.setBackgroundMode(Qt::TransparentMode);
            DrawMarks(p, page, o.markedFields);
            DrawTexts(p, store, page, o.textColour);
            if (o.markOverflow) DrawOverflowCorners(p, store, page);
            if (kind == Dv1PageKind::Front) DrawBoxes(p, doc.m_Checks);
            p.restore();
        });
    painter.save();
    painter.setWorldTransform(QTransform::fromTranslate(t.dx(), t.dy()));
    painter.drawImage(0, 0, picture);
    // Beyond the picture: the grey surround and the texts that reach out there.
    const QRect all = o.greySurround
                          ? scale.mapRect(QRect(0, 0, 400 * m_zoom, 350 * m_zoom)).adjusted(-1, -1, 1, 1)
                          : QRect(-(1 << 24), -(1 << 24), 1 << 25, 1 << 25);
    painter.setClipRegion(QRegion(all).subtracted(QRegion(picture.rect())),
                          painter.hasClipping() ? Qt::IntersectClip : Qt::ReplaceClip);
    painter.setWorldTransform(t);
    painter.setBackgroundMode(Qt::TransparentMode);
    if (o.greySurround) DrawSurround(painter);
    if (reachOut) DrawTexts(painter, store, page, o.textColour, &inside);
    painter.restore();
}

const QImage& CDv1PageRenderer::FormPicture(Dv1PageKind kind, bool greySurround, const QTransform& scale,
                                            QImage::Format format) const {
    const FormKey key{greySurround, scale.m11(), scale.m22(), format};
    const auto k = static_cast<size_t>(kind);
    if (key == m_formKey[k] && !m_form[k].isNull()) return m_form[k];
    // The form proper (205 x 350 mm) and a pixel more; what lies beyond is surround only.
    const QRectF area = scale.mapRect(QRectF(0, 0, 205 * m_zoom, 350 * m_zoom));
    QImage& picture = m_form[k];
    picture = QImage(static_cast<int>(std::ceil(area.width())) + 1,
                     static_cast<int>(std::ceil(area.height())) + 1, format);
    picture.fill(Qt::white);
    QPainter p(&picture);
    p.setWorldTransform(scale);
    p.setBackgroundMode(Qt::TransparentMode);
    if (greySurround) DrawSurround(p);
    DrawSheet(p, kind);
    m_formKey[k] = key;
    return picture;
}

const FieldTextMeasure& CDv1PageRenderer::Measure(Dv1PageKind kind, int field, const QRect& rect,
                                                  const std::u16string& text, uint16_t flags) const {
    return m_measures[static_cast<size_t>(kind)].Get(static_cast<size_t>(field), rect, text, flags,
                                                     m_fieldFonts);
}

void CDv1PageRenderer::DrawSurround(QPainter& painter) const {
    // Right of and below the paper.
    const int z = m_zoom;
    painter.fillRect(QRect(QPoint(205 * z, 0), QPoint(400 * z, 350 * z)), kGrey);
    painter.fillRect(QRect(QPoint(0, 298 * z), QPoint(400 * z, 350 * z)), kGrey);
}

void CDv1PageRenderer::DrawSheet(QPainter& painter, Dv1PageKind kind) const {
    painter.save();
    const auto lists = Dv1Rulings(kind);
    for (size_t i = 0; i < lists.size(); ++i) {
        // Front: frame, dotted, thick; the other kinds: frame, thick.
        if (i == 0)
            painter.setPen(FormPen(painter, 2));
        else if (kind == Dv1PageKind::Front && i == 1)
            painter.setPen(FormPen(painter, 1, Qt::DotLine));
        else
            painter.setPen(FormPen(painter, 6));
        for (const Dv1Segment& s : lists[i]) painter.drawLine(Scaled(s, m_zoom));
    }
    for (const Dv1BorderSegment& b : Dv1RightBorder(kind)) {
        painter.setPen(FormPen(painter, b.thick ? 6 : 2));
        painter.drawLine(Scaled(b.segment, m_zoom));
    }
    painter.setPen(Qt::black);
    const QFontMetrics bold(m_fontBold), normal(m_fontNormal);
    for (const Dv1Caption& c : Dv1Captions(kind)) {
        painter.setFont(c.bold ? m_fontBold : m_fontNormal);
        const int descent = c.bold ? bold.descent() : normal.descent();
        // The position is the left end of the text cell's bottom line.
        painter.drawText(QPoint(ZoomScale(c.x, m_zoom), -ZoomScale(c.y, m_zoom) - descent),
                         QString::fromUtf16(c.text.data(), static_cast<qsizetype>(c.text.size())));
    }
    painter.restore();
}

void CDv1PageRenderer::DrawBoxes(QPainter& painter, std::span<const uint8_t> checks) const {
    painter.save();
    painter.setPen(FormPen(painter, 2));
    painter.setBrush(Qt::NoBrush);
    for (int b = 0; b < kDv1BoxCount; ++b) {
        const QRect r = BoxRect(b, m_zoom);
        const QPoint tl = r.topLeft(), tr = r.topRight(), br = r.bottomRight(), bl = r.bottomLeft();
        painter.drawPolyline(QPolygon({tl, tr, br, bl, tl}));
        if (static_cast<size_t>(b) < checks.size() && checks[static_cast<size_t>(b)] != 0) {
            painter.drawLine(tl, br);
            painter.drawLine(tr, bl);
        }
    }
    painter.restore();
}

void CDv1PageRenderer::DrawMarks(QPainter& painter, int page, const std::vector<int>& fields) const {
    if (fields.empty()) return;
    painter.save();
    painter.setPen(QPen(kMark, std::max(3, m_zoom / 3)));
    painter.setBrush(kMarkFill);
    const Dv1PageKind kind = Dv1PageKindOf(page);
    for (int f : fields) {
        const Dv1Rect r = Dv1ZoomedRect(kind, f, m_zoom);
        if (Dv1FieldRect(kind, f).IsEmpty()) continue;
        painter.drawRect(QRect(QPoint(r.left, r.top), QPoint(r.right, r.bottom)));
    }
    painter.restore();
}

void CDv1PageRenderer::DrawTexts(QPainter& painter, const CFieldStore& store, int page, const QColor& colour,
                                 const QRect* inside) const {
    painter.save();
    painter.setPen(colour);
    // A format word with a size beyond the five keeps this font, whatever was drawn before.
    painter.setFont(m_fontNormal);
    // On the screen a paint of part of the view draws the fields that reach into it.
    const bool clipped = painter.hasClipping() || inside;
    const QRect clip = painter.hasClipping() ? painter.clipBoundingRect().toAlignedRect()
                                             : QRect(-(1 << 24), -(1 << 24), 1 << 25, 1 << 25);
    const Dv1PageKind kind = Dv1PageKindOf(page);
    ForEachFieldText(store, page, m_zoom,
                     [&](int i, const QRect& r, const std::u16string& text, uint16_t flags) {
                         if (clipped) {
                             const QRect extent = Measure(kind, i, r, text, flags).extent;
                             if (!clip.intersects(extent) || (inside && inside->contains(extent))) return;
                         }
                         DrawFieldText(painter, r, text, flags, m_fieldFonts, false);
                     });
    painter.restore();
}

std::vector<int> CDv1PageRenderer::OverflowingFields(const CFieldStore& store, int page) const {
    std::vector<int> fields;
    ForEachFieldText(store, page, m_zoom,
                     [&](int i, const QRect& r, const std::u16string& text, uint16_t flags) {
                         if (FieldTextOverflows(r, text, flags, m_fieldFonts)) fields.push_back(i);
                     });
    return fields;
}

int CDv1PageRenderer::OverflowingFieldAt(const CFieldStore& store, int page, const QPoint& p) const {
    // Anywhere in the box, not only over its red corner.
    const Dv1PageKind kind = Dv1PageKindOf(page);
    for (int f : OverflowingFields(store, page)) {
        const Dv1Rect r = Dv1ZoomedRect(kind, f, m_zoom);
        if (QRect(QPoint(r.left, r.top), QPoint(r.right, r.bottom)).contains(p)) return f;
    }
    return -1;
}

void CDv1PageRenderer::DrawOverflowCorners(QPainter& painter, const CFieldStore& store, int page) const {
    // Each text's layout is kept: a repaint asks again only for the boxes that changed.
    std::vector<int> fields;
    const Dv1PageKind kind = Dv1PageKindOf(page);
    ForEachFieldText(store, page, m_zoom,
                     [&](int i, const QRect& r, const std::u16string& text, uint16_t flags) {
                         if (Measure(kind, i, r, text, flags).overflows) fields.push_back(i);
                     });
    if (fields.empty()) return;
    const int s = std::max(4, 2 * m_zoom);
    painter.save();
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(0xE0, 0x00, 0x00));
    for (int f : fields) {
        const Dv1Rect r = Dv1ZoomedRect(Dv1PageKindOf(page), f, m_zoom);
        const QPoint c(r.right, r.top);
        painter.drawPolygon(QPolygon({c, c + QPoint(-s, 0), c + QPoint(0, s)}));
    }
    painter.restore();
}

Dv1RenderOptions Dv1RenderOptionsFromSettings(Profile& profile, int zoom) {
    Dv1RenderOptions o;
    o.zoom = zoom;
    o.greySurround = true;
    o.textColour = EditTextColour(profile, settings::kDV1Form);
    return o;
}

void PaintDv1Screen(QPainter& painter, const QRect& area, const QPoint& scroll, double dpi,
                    const CDv1PageRenderer& renderer, const CDV1_Doc& doc, int page, int zoom,
                    const QColor& textColour, const std::vector<int>& markedFields) {
    // What lies outside the area is not drawn, and no text is laid out for it.
    painter.setClipRect(area);
    painter.translate(-scroll.x(), -scroll.y());
    painter.setWorldTransform(CDv1PageRenderer::LogicalToDevice(dpi), true);
    Dv1RenderOptions o;
    o.zoom = zoom;
    o.textColour = textColour;
    o.markOverflow = true;
    o.markedFields = markedFields;
    renderer.RenderScreen(painter, doc, page, o, true);
}

QImage RenderDv1PageImage(const CDv1PageRenderer& renderer, const CDV1_Doc& doc, int page,
                          const Dv1RenderOptions& options, Profile& profile, double dpi) {
    const QSize logical = CDv1PageRenderer::DocumentSize(
        options.zoom, settings::Get(profile, settings::kDV1Form, settings::kDocWidth),
        settings::Get(profile, settings::kDV1Form, settings::kDocLength));
    const int d = static_cast<int>(std::lround(dpi));
    QImage image(HimetricToPixels(logical.width() * 10, d), HimetricToPixels(logical.height() * 10, d),
                 QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.setWorldTransform(CDv1PageRenderer::LogicalToDevice(dpi));
    renderer.Render(painter, doc, page, options);
    return image;
}

}  // namespace tarvex
