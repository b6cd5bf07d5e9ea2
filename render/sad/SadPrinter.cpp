#include "render/sad/SadPrinter.h"

#include <QPainter>

#include "core/formview/FormViewStrings.h"
#include "core/formview/PrintCorrections.h"
#include "core/sad/EinheitspapierDoc.h"
#include "core/sad/FieldDefinitions.h"
#include "core/sad/SadFields.h"
#include "core/sad/SadLayout.h"
#include "core/sad/SadPrintForm.h"
#include "core/sad/SadStrings.h"
#include "core/settings/Profile.h"
#include "core/settings/SettingsKeys.h"
#include "render/sad/SadPageSetup.h"

namespace tarvex {
namespace {

// Print coordinates grow upward (y0 - form y); the painter's grow downward.
QPoint Up(int x, int y) {
    return QPoint(x, -y);
}

struct PrintBox {
    int field;
    int page;  // the store page the text comes from
    QRect rect;
};

// Every field text the page step prints, with its rectangle in painter units (0.1 mm, y
// downward): the print rectangle moved to the sheet's origin and scaled by the size correction.
std::vector<PrintBox> PrintBoxes(const CEinheitspapierDoc& doc, int page, Profile& profile,
                                 const CFieldDefinitions& definitions) {
    const CFieldStore& store = doc.Store();
    const bool first = page <= 1;
    const SadSheet sheet = first ? SadSheet::First : SadSheet::Continuation;
    const PrintOrigin o = SadPrintOrigin(profile, page);
    const int factorV = settings::Get(profile, settings::kSettings, settings::kPrnFactorV);
    const int factorH = settings::Get(profile, settings::kSettings, settings::kPrnFactorH);
    std::vector<PrintBox> boxes;
    auto add = [&](SadSheet s, int i, int fromPage) {
        const SadRect r = SadPrintRectAt(s, i, o.x0, o.y0);
        const PrintRect c =
            ApplyPrintSizeCorrection({r.left + 2, r.top, r.right + 2, r.bottom}, factorV, factorH);
        // The rectangle ends at its right and bottom coordinates, as on the printer.
        boxes.push_back({i, fromPage, QRect(c.left, -c.top, c.right - c.left, c.top - c.bottom)});
    };
    // Box 1 of the first sheet is repeated on every continuation sheet.
    if (!first)
        for (int i = 0; i <= 2; ++i) add(SadSheet::First, i, 1);
    const int count = first ? store.GetFieldCount1() : store.GetFieldCount2();
    const auto& fields = SadFields(sheet);
    for (int i = 0; i < count && i < static_cast<int>(fields.size()); ++i) {
        if (definitions.Get(first ? 1 : 2, i, doc.m_nFormVariant) & kDefNotPrinted) continue;
        if (fields[static_cast<size_t>(i)].print.IsEmpty()) continue;
        add(sheet, i, page);
    }
    return boxes;
}

FieldFontSet SadPrinterFonts(Profile& profile) {
    return MakePrinterFonts(&profile,
                            settings::Get(profile, settings::kEHForm, settings::kPrinterFontFactor));
}

}  // namespace

CSadPrintSource::CSadPrintSource(const CEinheitspapierDoc& doc, Profile& profile,
                                 const CFieldDefinitions& definitions)
    : m_doc(doc), m_definitions(definitions), m_profile(profile) {
    m_origin[0] = SadPrintOrigin(profile, 1);
    m_origin[1] = SadPrintOrigin(profile, 2);
    m_factorV = settings::Get(profile, settings::kSettings, settings::kPrnFactorV);
    m_factorH = settings::Get(profile, settings::kSettings, settings::kPrnFactorH);
    m_taxX = settings::Get(profile, settings::kEHForm, settings::kHorPosX2EH);
    m_taxY = settings::Get(profile, settings::kEHForm, settings::kVertPosX2EH);
    m_printerFonts = SadPrinterFonts(profile);
    // The form picture is the screen picture at nominal size, in the form's colours, without
    // what only the screen has (surround, overflow marks); the entries are black, in the
    // printer fonts.
    m_renderer.Prepare(&profile, 10);
    m_options = SadRenderOptionsFromSettings(profile, doc, &definitions, 10);
    m_options.greySurround = false;
    m_options.markOverflow = false;
    m_options.textColour = Qt::black;
    m_options.printedFields = true;
    m_options.textFonts = &m_printerFonts;
}

int CSadPrintSource::PageCount() const {
    return m_doc.Store().GetPageCount();
}

QString CSadPrintSource::KindName(int kind) const {
    return QString::fromUtf16(kind == 0 ? formviewstr::kMarginPageSad : formviewstr::kMarginPageSheets)
        .trimmed();
}

PrintOrigin CSadPrintSource::Origin(int page) const {
    return m_origin[page <= 1 ? 0 : 1];
}

QTransform CSadPrintSource::FormToPage(int page) const {
    return FormToPageTransform(Origin(page), m_factorV, m_factorH);
}

QPoint CSadPrintSource::PreprintedFormOffset(int) const {
    // The print tables of both sheets lie 5 mm to the right of the screen tables nearly
    // throughout (box 1, the stamp boxes, the registration marks' corner beside the frame).
    return QPoint(kSadPrintTableShiftX, 0);
}

void CSadPrintSource::DrawForm(QPainter& painter, int page) const {
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, false);
    if (page <= 1)
        m_renderer.DrawFirstSheet(painter, m_options);
    else
        m_renderer.DrawContinuationSheet(painter, m_options);
    painter.restore();
}

void CSadPrintSource::DrawRegistrationMarks(QPainter& painter, int kind, const PrintOrigin& o) const {
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setPen(QPen(Qt::black, 1, Qt::SolidLine, Qt::FlatCap, Qt::MiterJoin));
    const int x0 = o.x0, y0 = o.y0;
    if (kind == 0) {
        painter.drawPolyline(
            QPolygon({Up(x0 + 115, y0 - 100), Up(x0 + 115, y0 - 80), Up(x0 + 135, y0 - 80)}));
        painter.drawLine(Up(x0 + 115, y0 - 2050), Up(x0 + 115, y0 - 2010));
    } else {
        painter.drawPolyline(QPolygon({Up(x0 + 180, y0 - 85), Up(x0 + 180, y0 - 65), Up(x0 + 200, y0 - 65)}));
        painter.drawLine(Up(x0 + 180, y0 - 2025), Up(x0 + 180, y0 - 1985));
    }
    painter.restore();
}

QPoint CSadPrintSource::RegistrationCorner(int kind, const PrintOrigin& o) const {
    return kind == 0 ? Up(o.x0 + 115, o.y0 - 80) : Up(o.x0 + 180, o.y0 - 65);
}

void CSadPrintSource::DrawEntries(QPainter& painter, int page, PrintMode mode) const {
    const CFieldStore& store = m_doc.Store();
    painter.save();
    if (mode == PrintMode::WithForm) {
        // On blank paper the drawn form is the form: the entries go into its boxes, as the
        // view shows them, and the registration marks have nothing to meet.
        painter.setWorldTransform(FormToPage(page), true);
        painter.setRenderHint(QPainter::Antialiasing, false);
        if (page <= 1)
            m_renderer.DrawFirstSheetTexts(painter, store, m_options);
        else
            m_renderer.DrawContinuationTexts(painter, store, page, m_options);
        painter.restore();
        return;
    }
    painter.setRenderHint(QPainter::Antialiasing, false);
    const PrintOrigin o = Origin(page);
    // Registration marks: the user lays them over the corner marks of the paper form.
    DrawRegistrationMarks(painter, PageKind(page), o);
    painter.setPen(Qt::black);
    for (const PrintBox& b : PrintBoxes(m_doc, page, m_profile, m_definitions))
        DrawFieldText(painter, b.rect, store.GetFieldText(b.field, b.page),
                      store.GetFieldFlags(b.field, b.page), m_printerFonts, false);
    if (page <= 1 && HasInputTaxBox(m_doc.m_nFormVariant) && m_doc.m_nInputTax == 1) {
        painter.setPen(QPen(Qt::black, 4, Qt::SolidLine, Qt::FlatCap, Qt::MiterJoin));
        const int x = o.x0 + m_taxX;
        const int y = o.y0 + m_taxY;
        painter.drawLine(Up(x + 215, y - 1495), Up(x + 245, y - 1525));
        painter.drawLine(Up(x + 245, y - 1495), Up(x + 215, y - 1525));
    }
    painter.restore();
}

std::vector<int> CSadPrintSource::OverflowingFields(int page, PrintMode mode) const {
    if (mode == PrintMode::WithForm) return m_renderer.OverflowingFields(m_doc.Store(), page, m_options);
    return SadPrintOverflow(m_doc, page, m_profile, m_definitions);
}

std::vector<int> SadPrintOverflow(const CEinheitspapierDoc& doc, int page, Profile& profile,
                                  const CFieldDefinitions& definitions) {
    const FieldFontSet fonts = SadPrinterFonts(profile);
    const CFieldStore& store = doc.Store();
    std::vector<int> fields;
    for (const PrintBox& b : PrintBoxes(doc, page, profile, definitions)) {
        if (b.page != page && page > 1) continue;  // box 1 belongs to the first sheet
        if (FieldTextOverflows(b.rect, store.GetFieldText(b.field, b.page),
                               store.GetFieldFlags(b.field, b.page), fonts))
            fields.push_back(b.field);
    }
    return fields;
}

}  // namespace tarvex
