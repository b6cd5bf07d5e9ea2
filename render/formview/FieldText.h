#pragma once
// Field texts as the edit control paints them, shared by the page renderers of both forms: the
// font sets of the screen and the printer and the drawing of one stored text into its box.

#include <QFont>
#include <QRect>
#include <array>
#include <cstdint>
#include <string>
#include <vector>

class QPainter;

namespace tarvex {

class Profile;

// Font set for field texts: five sizes, normal and bold, heights in logical units of the target.
struct FieldFontSet {
    std::array<QFont, 10> fonts;  // index size * 2 + bold
    bool ready = false;
    const QFont* Get(uint16_t flags) const;
};

// Drawing fonts for the screen at a zoom ("DFont0".."DFont4B", height value x zoom / 12).
FieldFontSet MakeDrawingFonts(Profile* profile, int zoom);
// Printer fonts ("PFont0".."PFont4B", height percent x value / 100, in 0.1 mm).
FieldFontSet MakePrinterFonts(Profile* profile, int percent);
// "Arial" with the given cell height (the height Windows fonts are specified by) in logical units.
QFont ArialCellHeight(int cellHeight, int weight);

// Draws one stored field text into a logical rectangle (y downward) the way the edit control
// paints it: the field's font, left text 10 units in, right text 12 units before the edge,
// word-wrapped and never clipped: a text longer than its box is drawn whole. False while the
// fonts are not ready.
bool DrawFieldText(QPainter& painter, const QRect& rect, const std::u16string& text, uint16_t flags,
                   const FieldFontSet& fonts, bool singleLine);
// True when the text drawn as above reaches beyond its rectangle: a word wider than the room
// beside the alignment offset, or more lines than the rectangle is high.
bool FieldTextOverflows(const QRect& rect, const std::u16string& text, uint16_t flags,
                        const FieldFontSet& fonts);

// One layout of a box's text answers both questions a screen paint asks: where the drawn text
// can reach (the box and what sticks out of it, with room for antialiasing) and whether it
// overflows.
struct FieldTextMeasure {
    QRect extent;
    bool overflows = false;
};
FieldTextMeasure MeasureFieldText(const QRect& rect, const std::u16string& text, uint16_t flags,
                                  const FieldFontSet& fonts);

// The measures of a page's boxes, each kept until its text, format, rectangle or font set changes.
class CFieldTextMeasures {
public:
    const FieldTextMeasure& Get(size_t slot, const QRect& rect, const std::u16string& text, uint16_t flags,
                                const FieldFontSet& fonts);
    void Clear() { m_entries.clear(); }

private:
    struct Entry {
        std::u16string text;
        uint16_t flags = 0;
        QRect rect;
        const FieldFontSet* fonts = nullptr;
        FieldTextMeasure measure;
    };
    std::vector<Entry> m_entries;
};

}  // namespace tarvex
