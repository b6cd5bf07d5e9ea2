#pragma once
// The pages of a D.V.1 document for the shared print jobs (preview, ranges, both print modes,
// calibration sheet): the front, the back and the supplementary sheets, each printed with its
// margin pair.

#include "render/app/PrintJob.h"
#include "render/dv1/Dv1PageRenderer.h"

namespace tarvex {

class CDV1_Doc;
class Profile;

// The settings are read when the source is made; the document must outlive it.
class CDv1PrintSource final : public IPrintPageSource {
public:
    CDv1PrintSource(const CDV1_Doc& doc, Profile& profile);

    int PageCount() const override;
    // The margin pair of the page, 0-based: front, back, BIS front, BIS back.
    int PageKind(int page) const override;
    int KindCount() const override { return 4; }
    QString KindName(int kind) const override;
    PrintOrigin Origin(int page) const override;
    QTransform FormToPage(int page) const override;
    void DrawForm(QPainter& painter, int page) const override;
    void DrawEntries(QPainter& painter, int page, PrintMode mode) const override;
    void DrawRegistrationMarks(QPainter& painter, int kind, const PrintOrigin& origin) const override;
    QPoint RegistrationCorner(int kind, const PrintOrigin& origin) const override;

    // Fields of the page whose text does not fit the box it is printed in, in the mode: the print
    // position with the printer fonts, or the drawn form's box with the form's own fonts.
    std::vector<int> OverflowingFields(int page, PrintMode mode) const;

private:
    const CDV1_Doc& m_doc;
    Profile& m_profile;
    int m_factorV = 1000, m_factorH = 1000;
    CDv1PageRenderer m_renderer;
};

}  // namespace tarvex
