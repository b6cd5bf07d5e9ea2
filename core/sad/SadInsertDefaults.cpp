#include "core/sad/SadInsertDefaults.h"

#include <array>
#include <string>

#include "core/common/TextCodec.h"
#include "core/sad/BoxInput.h"
#include "core/sad/SadFields.h"
#include "core/sad/SadNavigation.h"
#include "core/settings/Profile.h"
#include "core/settings/SettingsKeys.h"

namespace tarvex {
namespace {

// Country dialog modes (window titles).
constexpr int kModeDestination = 1;
constexpr int kModeOrigin = 2;
constexpr int kModeDispatch = 3;
constexpr int kModeProduction = 4;
constexpr int kModeCodes = 0;

class CodeDefaults {
public:
    explicit CodeDefaults(CSadNavigation& nav) : m_nav(nav), m_host(nav.Host()), m_store(nav.Store()) {}

    std::u16string Text(int field) const { return m_store.GetFieldText(field, m_store.GetCurrentPage()); }

    // "activate the field and write": the edit window goes there, so that it shows the result.
    void Write(int field, const std::u16string& text) {
        m_store.ActivateField(field, 0);
        m_store.SetCurrentText(text);
    }
    // A code dialog that had nothing selected hands back an empty text: the box keeps its own.
    void WriteCode(int field, const std::u16string& code) {
        if (!code.empty()) Write(field, code);
    }
    // "then next": next input field, then modified.
    void Next() {
        m_nav.NextInputField();
        m_nav.Doc().SetModifiedFlag();
    }

    bool Country(int mode, int field) {
        std::u16string name;
        std::u16string code = Text(field);
        if (!m_host.RunCountry(mode, name, code)) return true;
        WriteCode(field, code);
        Next();
        return true;
    }

    // A country whose name has a field of its own beside the code's; the caret ends on caretField.
    bool NamedCountry(int mode, int nameField, int codeField, bool namePreset, int caretField) {
        std::u16string name = namePreset ? Text(nameField) : std::u16string();
        std::u16string code = Text(codeField);
        if (!m_host.RunCountry(mode, name, code)) return true;
        if (!name.empty()) Write(nameField, name);
        WriteCode(codeField, code);
        m_store.ActivateField(caretField, 0);
        Next();
        return true;
    }

    // A dialog that takes the box text and hands back the new one.
    bool BoxText(bool (ISadEditHost::*run)(std::u16string&), int field) {
        std::u16string text = Text(field);
        if (!(m_host.*run)(text)) return true;
        WriteCode(field, text);
        Next();
        return true;
    }

    template <int Mode>
    bool CountryIn(int field) {
        return Country(Mode, field);
    }
    template <bool (ISadEditHost::*Run)(std::u16string&)>
    bool TextFrom(int field) {
        return BoxText(Run, field);
    }

    // The boxes whose dialog fills more than the field F2 was pressed in.
    bool Box1(int);
    bool Box11(int);
    bool Box15(int);
    bool Box16(int);
    bool Box17(int field);
    bool Box24(int);
    bool Box54(int);

private:
    CSadNavigation& m_nav;
    ISadEditHost& m_host;
    CFieldStore& m_store;
};

bool CodeDefaults::Box1(int) {
    std::array<std::u16string, 3> texts;
    for (int i = 0; i < 3; ++i)
        if (m_nav.IsShown(kFieldBox1 + i, 1)) texts[static_cast<size_t>(i)] = Text(kFieldBox1 + i);
    if (!m_host.RunBox1(texts)) return true;
    for (int i = 0; i < 3; ++i) {
        m_store.ActivateField(kFieldBox1 + i, 0);
        // A group without a selection keeps the box's text (the preset matched no button).
        if (m_nav.IsShown(kFieldBox1 + i, 1) && !texts[static_cast<size_t>(i)].empty())
            m_store.SetCurrentText(texts[static_cast<size_t>(i)]);
    }
    Next();
    return true;
}

bool CodeDefaults::Box11(int) {
    std::u16string name;
    std::u16string code = Text(kFieldBox11);
    if (!m_host.RunCountry(kModeProduction, name, code)) return true;
    WriteCode(kFieldBox11, code);
    Profile* profile = m_nav.Doc().GetProfile();
    if (profile && settings::Get(*profile, settings::kSettings, settings::kField11bPrint) != 0 &&
        !name.empty())
        Write(kFieldBox12, name);
    Next();
    return true;
}

bool CodeDefaults::Box54(int) {
    Profile* profile = m_nav.Doc().GetProfile();
    PlaceDateStart start;
    if (profile) start = PlaceDatePreset(*profile);
    if (!m_host.RunBox54(start.place, start.reuse)) return true;
    const CivilDate today = m_nav.Today();
    Write(kFieldBox54,
          profile ? PlaceDateAccept(*profile, start.place, start.reuse, today.day, today.month, today.year)
                  : PlaceDateText(start.place, today.day, today.month, today.year));
    Next();
    return true;
}

bool CodeDefaults::Box15(int) {
    return NamedCountry(kModeDispatch, kFieldBox15Text, kFieldBox15a, true, kFieldBox15a);
}

bool CodeDefaults::Box16(int) {
    std::u16string name = Text(kFieldBox16);
    std::u16string code;
    if (!m_host.RunCountry(kModeOrigin, name, code)) return true;
    if (!name.empty()) Write(kFieldBox16, name);
    Next();
    return true;
}

bool CodeDefaults::Box17(int field) {
    return NamedCountry(kModeDestination, kFieldBox17Text, kFieldBox17a, false, field);
}

bool CodeDefaults::Box24(int) {
    std::u16string a = Text(kFieldBox24a);
    std::u16string b = Text(kFieldBox24b);
    if (!m_host.RunBox24(a, b)) return true;
    WriteCode(kFieldBox24a, a);
    WriteCode(kFieldBox24b, b);
    m_store.ActivateField(kFieldBox24b, 0);
    Next();
    return true;
}

// F2 on a box served by a code list or box dialog: which field, on which sheet, does what.
struct F2Entry {
    bool firstSheet;
    int field;
    bool (CodeDefaults::*run)(int field);
};

constexpr auto kFederalState = &CodeDefaults::TextFrom<&ISadEditHost::RunFederalState>;
constexpr auto kTransport = &CodeDefaults::TextFrom<&ISadEditHost::RunBox25>;

constexpr F2Entry kF2Dialogs[] = {
    {true, kFieldBox1, &CodeDefaults::Box1},
    {true, kFieldBox1 + 1, &CodeDefaults::Box1},
    {true, kFieldBox1 + 2, &CodeDefaults::Box1},
    {true, kFieldBox11, &CodeDefaults::Box11},
    {true, kFieldBox15Text, &CodeDefaults::Box15},
    {true, kFieldBox15a, &CodeDefaults::Box15},
    {true, kFieldBox16, &CodeDefaults::Box16},
    {true, kFieldBox17a, &CodeDefaults::Box17},
    {true, kFieldBox17b, kFederalState},
    {true, kFieldBox17Text, &CodeDefaults::Box17},
    {true, kFieldBox18b, &CodeDefaults::CountryIn<kModeCodes>},
    {true, kFieldBox19, &CodeDefaults::TextFrom<&ISadEditHost::RunBox19>},
    {true, kFieldBox20, &CodeDefaults::TextFrom<&ISadEditHost::RunBox20>},
    {true, kFieldBox21b, &CodeDefaults::CountryIn<kModeCodes>},
    {true, kFieldBox22a, &CodeDefaults::TextFrom<&ISadEditHost::RunCurrency>},
    {true, kFieldBox24a, &CodeDefaults::Box24},
    {true, kFieldBox24b, &CodeDefaults::Box24},
    {true, kFieldBox25, kTransport},
    {true, kFieldBox26, kTransport},
    {true, kFieldBox29, &CodeDefaults::TextFrom<&ISadEditHost::RunBox29>},
    {true, kFieldBox34a, &CodeDefaults::CountryIn<kModeOrigin>},
    {true, kFieldBox34b, kFederalState},
    {true, kFieldBox36, &CodeDefaults::TextFrom<&ISadEditHost::RunBox36>},
    {true, kFieldBox54, &CodeDefaults::Box54},
    // Continuation sheet: boxes 34 A and 34 B of the three goods items.
    {false, ContFieldOfItem(0, kItemBox34a), &CodeDefaults::CountryIn<kModeOrigin>},
    {false, ContFieldOfItem(1, kItemBox34a), &CodeDefaults::CountryIn<kModeOrigin>},
    {false, ContFieldOfItem(2, kItemBox34a), &CodeDefaults::CountryIn<kModeOrigin>},
    {false, ContFieldOfItem(0, kItemBox34b), kFederalState},
    {false, ContFieldOfItem(1, kItemBox34b), kFederalState},
    {false, ContFieldOfItem(2, kItemBox34b), kFederalState},
};

const F2Entry* FindF2Dialog(int page, int field) {
    for (const F2Entry& e : kF2Dialogs)
        if (e.firstSheet == (page == 1) && e.field == field) return &e;
    return nullptr;
}

}  // namespace

bool IsCodeDialogField(int page, int field) {
    return FindF2Dialog(page, field) != nullptr;
}

bool InsertCodeDefaults(CSadNavigation& nav, int page, int field) {
    const F2Entry* entry = FindF2Dialog(page, field);
    if (!entry) return false;
    CodeDefaults defaults(nav);
    return (defaults.*entry->run)(field);
}

}  // namespace tarvex
