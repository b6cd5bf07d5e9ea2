#include "core/sad/SadInsertDefaults.h"

#include <array>
#include <string>

#include "core/app/Profile.h"
#include "core/app/SettingsKeys.h"
#include "core/common/TextCodec.h"
#include "core/sad/BoxInput.h"
#include "core/sad/SadNavigation.h"

namespace tarvex {
namespace {

// First-sheet fields by box.
constexpr int kBox1A = 0;
constexpr int kBox11 = 21;
constexpr int kBox12 = 22;
constexpr int kBox15Text = 26;
constexpr int kBox15A = 27;
constexpr int kBox17A = 29;
constexpr int kBox17B = 30;
constexpr int kBox16 = 31;
constexpr int kBox17Text = 32;
constexpr int kBox18B = 34;
constexpr int kBox19 = 35;
constexpr int kBox20 = 36;
constexpr int kBox21B = 39;
constexpr int kBox22A = 40;
constexpr int kBox24A = 43;
constexpr int kBox24B = 44;
constexpr int kBox25 = 45;
constexpr int kBox26 = 46;
constexpr int kBox29 = 50;
constexpr int kBox34A = 59;
constexpr int kBox34B = 60;
constexpr int kBox36 = 62;
constexpr int kBox54 = 96;
// Continuation sheet: boxes 34 A and 34 B of the three goods items.
constexpr int kContBox34A[3] = {18, 39, 60};

// Country dialog modes (window titles).
constexpr int kModeDestination = 1;
constexpr int kModeOrigin = 2;
constexpr int kModeDispatch = 3;
constexpr int kModeProduction = 4;
constexpr int kModeCodes = 0;

bool IsContBox34A(int field) {
    return field == kContBox34A[0] || field == kContBox34A[1] || field == kContBox34A[2];
}

bool IsContBox34B(int field) {
    return IsContBox34A(field - 1);
}

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

    // A dialog that takes the box text and hands back the new one.
    bool BoxText(bool (ISadEditHost::*run)(std::u16string&), int field) {
        std::u16string text = Text(field);
        if (!(m_host.*run)(text)) return true;
        WriteCode(field, text);
        Next();
        return true;
    }

    bool Run(int page, int field);

private:
    bool Box1();
    bool Box11();
    bool Box54();

    CSadNavigation& m_nav;
    ISadEditHost& m_host;
    CFieldStore& m_store;
};

bool CodeDefaults::Box1() {
    std::array<std::u16string, 3> texts;
    for (int i = 0; i < 3; ++i)
        if (m_nav.IsShown(kBox1A + i, 1)) texts[static_cast<size_t>(i)] = Text(kBox1A + i);
    if (!m_host.RunBox1(texts)) return true;
    for (int i = 0; i < 3; ++i) {
        m_store.ActivateField(kBox1A + i, 0);
        // A group without a selection keeps the box's text (the preset matched no button).
        if (m_nav.IsShown(kBox1A + i, 1) && !texts[static_cast<size_t>(i)].empty())
            m_store.SetCurrentText(texts[static_cast<size_t>(i)]);
    }
    Next();
    return true;
}

bool CodeDefaults::Box11() {
    std::u16string name;
    std::u16string code = Text(kBox11);
    if (!m_host.RunCountry(kModeProduction, name, code)) return true;
    WriteCode(kBox11, code);
    Profile* profile = m_nav.Doc().GetProfile();
    if (profile && settings::Get(*profile, settings::kSettings, settings::kField11bPrint) != 0 &&
        !name.empty())
        Write(kBox12, name);
    Next();
    return true;
}

bool CodeDefaults::Box54() {
    Profile* profile = m_nav.Doc().GetProfile();
    PlaceDateStart start;
    if (profile) start = PlaceDatePreset(*profile);
    if (!m_host.RunBox54(start.place, start.reuse)) return true;
    const CivilDate today = m_nav.Today();
    Write(kBox54,
          profile ? PlaceDateAccept(*profile, start.place, start.reuse, today.day, today.month, today.year)
                  : PlaceDateText(start.place, today.day, today.month, today.year));
    Next();
    return true;
}

bool CodeDefaults::Run(int page, int field) {
    if (page != 1) {
        if (IsContBox34A(field)) return Country(kModeOrigin, field);
        if (IsContBox34B(field)) return BoxText(&ISadEditHost::RunFederalState, field);
        return false;
    }
    switch (field) {
        case kBox1A:
        case kBox1A + 1:
        case kBox1A + 2:
            return Box1();
        case kBox11:
            return Box11();
        case kBox15Text:
        case kBox15A: {
            std::u16string name = Text(kBox15Text);
            std::u16string code = Text(kBox15A);
            if (!m_host.RunCountry(kModeDispatch, name, code)) return true;
            if (!name.empty()) Write(kBox15Text, name);
            WriteCode(kBox15A, code);
            m_store.ActivateField(kBox15A, 0);
            Next();
            return true;
        }
        case kBox17A:
        case kBox17Text: {
            std::u16string name;
            std::u16string code = Text(kBox17A);
            if (!m_host.RunCountry(kModeDestination, name, code)) return true;
            if (!name.empty()) Write(kBox17Text, name);
            WriteCode(kBox17A, code);
            m_store.ActivateField(field, 0);
            Next();
            return true;
        }
        case kBox16: {
            std::u16string name = Text(kBox16);
            std::u16string code;
            if (!m_host.RunCountry(kModeOrigin, name, code)) return true;
            if (!name.empty()) Write(kBox16, name);
            Next();
            return true;
        }
        case kBox18B:
        case kBox21B:
            return Country(kModeCodes, field);
        case kBox34A:
            return Country(kModeOrigin, field);
        case kBox17B:
        case kBox34B:
            return BoxText(&ISadEditHost::RunFederalState, field);
        case kBox22A:
            return BoxText(&ISadEditHost::RunCurrency, field);
        case kBox19:
            return BoxText(&ISadEditHost::RunBox19, field);
        case kBox20:
            return BoxText(&ISadEditHost::RunBox20, field);
        case kBox24A:
        case kBox24B: {
            std::u16string a = Text(kBox24A);
            std::u16string b = Text(kBox24B);
            if (!m_host.RunBox24(a, b)) return true;
            WriteCode(kBox24A, a);
            WriteCode(kBox24B, b);
            m_store.ActivateField(kBox24B, 0);
            Next();
            return true;
        }
        case kBox25:
        case kBox26:
            return BoxText(&ISadEditHost::RunBox25, field);
        case kBox29:
            return BoxText(&ISadEditHost::RunBox29, field);
        case kBox36:
            return BoxText(&ISadEditHost::RunBox36, field);
        case kBox54:
            return Box54();
        default:
            return false;
    }
}

}  // namespace

bool IsCodeDialogField(int page, int field) {
    if (page != 1) return IsContBox34A(field) || IsContBox34B(field);
    switch (field) {
        case kBox1A:
        case kBox1A + 1:
        case kBox1A + 2:
        case kBox11:
        case kBox15Text:
        case kBox15A:
        case kBox16:
        case kBox17A:
        case kBox17B:
        case kBox17Text:
        case kBox18B:
        case kBox19:
        case kBox20:
        case kBox21B:
        case kBox22A:
        case kBox24A:
        case kBox24B:
        case kBox25:
        case kBox26:
        case kBox29:
        case kBox34A:
        case kBox34B:
        case kBox36:
        case kBox54:
            return true;
        default:
            return false;
    }
}

bool InsertCodeDefaults(CSadNavigation& nav, int page, int field) {
    if (!IsCodeDialogField(page, field)) return false;
    return CodeDefaults(nav).Run(page, field);
}

}  // namespace tarvex
