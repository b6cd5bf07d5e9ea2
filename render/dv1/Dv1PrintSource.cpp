#include "render/dv1/Dv1PrintSource.h"

#include <QPainter>
#include <algorithm>
#include <vector>

#include "core/dv1/Dv1Doc.h"
#include "core/dv1/Dv1Geometry.h"
#include "core/formview/FormViewStrings.h"
#include "core/settings/SettingsKeys.h"
#include "render/dv1/Dv1Printer.h"
#include "render/formview/FieldText.h"

namespace tarvex {
namespace {

// The registration mark's corner against the sheet origin: the front's sits further in.
QPoint MarkCorner(int kind, const PrintOrigin& o) {
    const int mx = kind == 0 ? 100 : 10, my = kind == 0 ? 70 : 80;
    return QPoint(o.x0 + mx, my - o.y0);
}

// The margin sheet's page titles name the sheet kinds.
constexpr const char16_t* kNames[4] = {formviewstr::kMarginPageDv1Front, formviewstr::kMarginPageDv1Back,
                                       formviewstr::kMarginPageDv1BisFront,
                                       formviewstr::kMarginPageDv1BisBack};

}  // namespace

CDv1PrintSource::CDv1PrintSource(const CDV1_Doc& doc, Profile& profile) : m_doc(doc), m_profile(profile) {
    m_factorV = settings::Get(profile, settings::kSettings, settings::kPrnFactorV);
    m_factorH = settings::Get(profile, settings::kSettings, settings::kPrnFactorH);
    // The form picture at nominal size: one logical unit is one form unit.
    m_renderer.Prepare(&profile, 10);
}

int CDv1PrintSource::PageCount() const {
    return m_doc.Store().GetPageCount();
}

int CDv1PrintSource::PageKind(int page) const {
    return Dv1MarginPair(page) - 1;
}

QString CDv1PrintSource::KindName(int kind) const {
    return QString::fromUtf16(kNames[kind >= 0 && kind < 4 ? kind : 0]).trimmed();
}

PrintOrigin CDv1PrintSource::Origin(int page) const {
    const Dv1PrintOrigin o = Dv1PrintOriginOf(m_profile, page);
    return {o.x0, o.y0};
}

QTransform CDv1PrintSource::FormToPage(int page) const {
    return FormToPageTransform(Origin(page), m_factorV, m_factorH);
}

void CDv1PrintSource::DrawForm(QPainter& painter, int page) const {
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, false);
    const Dv1PageKind kind = Dv1PageKindOf(page);
    m_renderer.DrawSheet(painter, kind);
    // The empty boxes belong to the form; their crosses are entries.
    if (kind == Dv1PageKind::Front) m_renderer.DrawBoxes(painter, std::vector<uint8_t>(kDv1BoxCount, 0));
    painter.restore();
}

void CDv1PrintSource::DrawEntries(QPainter& painter, int page, PrintMode mode) const {
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, false);
    if (mode == PrintMode::WithForm) {
        // On blank paper the drawn form is the form: the texts go into its boxes as the view
        // shows them, the crosses into its yes/no boxes.
        painter.setWorldTransform(FormToPage(page), true);
        m_renderer.DrawTexts(painter, m_doc.Store(), page, Qt::black);
        if (Dv1PageKindOf(page) == Dv1PageKind::Front) m_renderer.DrawBoxes(painter, m_doc.m_Checks);
    } else {
        // The painter is in page units already (0.1 mm): the page step at 254 dpi adds no scale.
        PrintDv1Page(painter, m_doc, page, m_profile, 254.0);
    }
    painter.restore();
}

void CDv1PrintSource::DrawRegistrationMarks(QPainter& painter, int kind, const PrintOrigin& o) const {
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setPen(QPen(Qt::black, 1, Qt::SolidLine, Qt::FlatCap, Qt::MiterJoin));
    const QPoint c = MarkCorner(kind, o);
    painter.drawPolyline(QPolygon({c + QPoint(0, 20), c, c + QPoint(20, 0)}));
    painter.drawLine(QPoint(c.x(), 2000 - o.y0), QPoint(c.x(), 2040 - o.y0));
    painter.restore();
}

std::vector<int> CDv1PrintSource::OverflowingFields(int page, PrintMode mode) const {
    if (mode == PrintMode::Preprinted) return Dv1PrintOverflow(m_doc, page, m_profile);
    const Dv1PageKind kind = Dv1PageKindOf(page);
    const CFieldStore& store = m_doc.Store();
    const int storePage = std::max(page, 1);
    const int stored = kind == Dv1PageKind::Front ? store.GetFieldCount1() : store.GetFieldCount2();
    std::vector<int> fields;
    for (int i = 0; i < std::min(Dv1FieldCount(kind), stored); ++i) {
        const QRect r = CDv1PageRenderer::FieldTextRect(kind, i, 10);
        // Field 52 of the back is a line whose text runs downward by design.
        if (r.isNull() || r.height() == 0) continue;
        if (FieldTextOverflows(r, store.GetFieldText(i, storePage), store.GetFieldFlags(i, storePage),
                               m_renderer.FieldFonts()))
            fields.push_back(i);
    }
    return fields;
}

QPoint CDv1PrintSource::RegistrationCorner(int kind, const PrintOrigin& o) const {
    return MarkCorner(kind, o);
}

}  // namespace tarvex
