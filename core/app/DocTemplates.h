#pragma once
// The document strings of the two document templates (resources 130 and 131), in the order in
// which they are registered: the SAD first, the D.V.1 second.

#include <array>
#include <string_view>

namespace tarvex {

struct DocTemplateStrings {
    int resourceId;
    std::u16string_view windowTitle;  // always empty
    std::u16string_view docName;      // "EhForm": base of new-document titles and of the template file
    std::u16string_view newName;      // entry in the framework's New list
    std::u16string_view filterName;
    std::u16string_view extension;
    std::u16string_view fileTypeId;  // key of the shell registration
    std::u16string_view fileTypeName;
};

inline constexpr std::array<DocTemplateStrings, 2> kDocTemplates{{
    {130, u"", u"EhForm", u"Einheitspapier", u"EhPapier (*.aef)", u".aef", u"Einheitspapier",
     u"Einheitspapier"},
    {131, u"", u"DV1form", u"Zollwertanm. (D.V.1)", u"DV1 Form. (*.fdv)", u".fdv", u"DV1-Dokument",
     u"DV1-Dokument"},
}};

}  // namespace tarvex
