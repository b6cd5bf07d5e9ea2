#pragma once
// Printing an SAD page onto the pre-printed paper form: only the field texts, the registration
// marks and the input-tax cross, at the form positions moved by the margins and scaled by the
// print-size correction, with the printer fonts.

#include <QString>
#include <vector>

#include "render/app/PrintJob.h"
#include "render/sad/SadPageRenderer.h"

class QPainter;

namespace tarvex {

class CEinheitspapierDoc;
class Profile;
struct CFieldDefinitions;

// The pages of an SAD document for printing: the settings are read once, when the source is
// made (a print reads them anew at its start); the document and definitions must outlive it.
class CSadPrintSource final : public IPrintPageSource {
public:
    CSadPrintSource(const CEinheitspapierDoc& doc, Profile& profile, const CFieldDefinitions& definitions);

    int PageCount() const override;
    int PageKind(int page) const override { return page <= 1 ? 0 : 1; }
    int KindCount() const override { return 2; }
    QString KindName(int kind) const override;
    PrintOrigin Origin(int page) const override;
    QTransform FormToPage(int page) const override;
    QPoint PreprintedFormOffset(int page) const override;
    void DrawForm(QPainter& painter, int page) const override;
    void DrawEntries(QPainter& painter, int page, PrintMode mode) const override;
    void DrawRegistrationMarks(QPainter& painter, int kind, const PrintOrigin& origin) const override;
    QPoint RegistrationCorner(int kind, const PrintOrigin& origin) const override;

    // Fields of the page whose text does not fit the box it is printed in, in the mode.
    std::vector<int> OverflowingFields(int page, PrintMode mode) const;

private:
    const CEinheitspapierDoc& m_doc;
    const CFieldDefinitions& m_definitions;
    Profile& m_profile;
    PrintOrigin m_origin[2];
    int m_factorV = 1000, m_factorH = 1000;
    int m_taxX = 0, m_taxY = 0;
    FieldFontSet m_printerFonts;
    CSadPageRenderer m_renderer;
    SadRenderOptions m_options;
};

// Fields of the printed sheet whose text does not fit its box with the printer fonts, size
// correction and field definitions the page step uses, in index order.
std::vector<int> SadPrintOverflow(const CEinheitspapierDoc& doc, int page, Profile& profile,
                                  const CFieldDefinitions& definitions);

}  // namespace tarvex
