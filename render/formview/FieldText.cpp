#include "render/formview/FieldText.h"

#include <QFontMetrics>
#include <QPainter>
#include <algorithm>
#include <cmath>
#include <functional>

#include "core/formview/FieldStore.h"
#include "core/formview/PrintCorrections.h"
#include "core/settings/SettingsKeys.h"

namespace tarvex {

QFont ArialCellHeight(int cellHeight, int weight) {
    QFont f(QStringLiteral("Arial"));
    f.setStyleHint(QFont::SansSerif);
    // Windows sizes a font by its cell height (ascent + descent); Arial's em is 2048/2288 of it.
    f.setPixelSize(std::max(1, static_cast<int>(std::lround(cellHeight * 2048.0 / 2288.0))));
    f.setWeight(static_cast<QFont::Weight>(weight));
    f.setHintingPreference(QFont::PreferNoHinting);
    return f;
}

const QFont* FieldFontSet::Get(uint16_t flags) const {
    const int size = flags & kFlagSizeMask;
    if (!ready || size > 4) return nullptr;
    return &fonts[static_cast<size_t>(size * 2 + ((flags & kFlagBold) ? 1 : 0))];
}

namespace {

FieldFontSet MakeFontSet(const std::function<int(int size, bool bold)>& height) {
    FieldFontSet set;
    for (int s = 0; s < 5; ++s)
        for (int b = 0; b < 2; ++b)
            set.fonts[static_cast<size_t>(s * 2 + b)] = ArialCellHeight(height(s, b != 0), b ? 700 : 400);
    set.ready = true;
    return set;
}

QString DrawnText(const std::u16string& text) {
    QString s = QString::fromStdU16String(text);
    s.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    s.remove(QLatin1Char('\r'));
    return s;
}

// The rectangle the text is laid out in and the alignment flags, as the edit control does it.
QRect TextRect(const QRect& rect, uint16_t flags, int& align, bool singleLine) {
    QRect r = rect;
    align = Qt::AlignTop | Qt::TextDontClip | (singleLine ? Qt::TextSingleLine : Qt::TextWordWrap);
    switch (flags & kFlagAlignMask) {
        case kAlignLeft:
            r.setLeft(r.left() + 10);
            align |= Qt::AlignLeft;
            break;
        case kAlignCentre:
            align |= Qt::AlignHCenter;
            break;
        case kAlignRight:
            r.setRight(r.right() - 12);
            align |= Qt::AlignRight;
            break;
        default:
            align |= Qt::AlignLeft;
            break;
    }
    return r;
}

}  // namespace

FieldFontSet MakeDrawingFonts(Profile* profile, int zoom) {
    return MakeFontSet(
        [&](int s, bool b) { return ScreenFontHeight(profile, settings::kDFont, s, b, zoom); });
}

FieldFontSet MakePrinterFonts(Profile* profile, int percent) {
    return MakeFontSet([&](int s, bool b) { return PrinterFontHeight(profile, s, b, percent); });
}

bool DrawFieldText(QPainter& painter, const QRect& rect, const std::u16string& text, uint16_t flags,
                   const FieldFontSet& fonts, bool singleLine) {
    if (!fonts.ready) return false;
    if (text.empty()) return true;
    if (const QFont* f = fonts.Get(flags)) painter.setFont(*f);
    int align = 0;
    const QRect r = TextRect(rect, flags, align, singleLine);
    painter.drawText(r, align, DrawnText(text));
    return true;
}

bool FieldTextOverflows(const QRect& rect, const std::u16string& text, uint16_t flags,
                        const FieldFontSet& fonts) {
    return MeasureFieldText(rect, text, flags, fonts).overflows;
}

FieldTextMeasure MeasureFieldText(const QRect& rect, const std::u16string& text, uint16_t flags,
                                  const FieldFontSet& fonts) {
    FieldTextMeasure m;
    m.extent = rect;
    if (text.empty() || !fonts.ready) return m;
    const QFont* f = fonts.Get(flags);
    if (!f) {
        // The text keeps whatever font the painter has: it may reach anywhere.
        m.extent = QRect(-(1 << 24), -(1 << 24), 1 << 25, 1 << 25);
        return m;
    }
    int align = 0;
    const QRect r = TextRect(rect, flags, align, false);
    // Laid out from the origin with unlimited height: what sticks out to the right is a word
    // that cannot be broken, what goes below is a line too many.
    const QRectF used = QFontMetricsF(*f).boundingRect(QRectF(0, 0, r.width(), 1e6),
                                                       align & ~Qt::AlignHorizontal_Mask, DrawnText(text));
    constexpr double kSlack = 0.5;  // rounding of the layout
    m.overflows =
        used.right() > r.width() + kSlack || used.left() < -kSlack || used.bottom() > rect.height() + kSlack;
    // A line wider than the room sticks out on the side its alignment pushes it to; glyphs and
    // their antialiasing reach a little beyond their advance.
    const int wide = static_cast<int>(std::ceil(std::max({0.0, used.right() - r.width(), -used.left()})));
    const int pad = f->pixelSize() / 2 + 4;
    m.extent = rect.united(QRect(r.left() - wide, r.top(), r.width() + 2 * wide,
                                 static_cast<int>(std::ceil(used.bottom())) + 1))
                   .adjusted(-pad, -pad, pad, pad);
    return m;
}

const FieldTextMeasure& CFieldTextMeasures::Get(size_t slot, const QRect& rect, const std::u16string& text,
                                                uint16_t flags, const FieldFontSet& fonts) {
    if (m_entries.size() <= slot) m_entries.resize(slot + 1);
    Entry& e = m_entries[slot];
    if (e.fonts != &fonts || e.flags != flags || e.rect != rect || e.text != text) {
        e.measure = MeasureFieldText(rect, text, flags, fonts);
        e.text = text;
        e.flags = flags;
        e.rect = rect;
        e.fonts = &fonts;
    }
    return e.measure;
}

}  // namespace tarvex
