#include "core/sad/SadNavigation.h"

#include <algorithm>
#include <array>
#include <string>

#include "core/common/HelpContexts.h"
#include "core/common/TextCodec.h"
#include "core/formview/DocumentState.h"
#include "core/sad/Box47.h"
#include "core/sad/FieldDefinitions.h"
#include "core/sad/SadEditStrings.h"
#include "core/sad/SadFields.h"
#include "core/sad/SadInsertDefaults.h"
#include "core/sad/SadPages.h"
#include "core/sad/SadVariants.h"
#include "core/settings/Profile.h"

namespace tarvex {
namespace {

// The store's texts and formatting before a dialog's result goes in: a result that puts back
// what was there is no change of the document.
class StoreSnapshot {
public:
    explicit StoreSnapshot(const CFieldStore& store) : m_state(CaptureStore(store)) {}
    bool Differs(const CFieldStore& store) const { return !(CaptureStore(store) == m_state); }

private:
    DocState m_state;
};

// The last field Tab walks on each sheet; what lies beyond are the raw cells of the box 47
// tables and fields that only the program fills.
constexpr int kTabEndFirst = 105;
constexpr int kTabEndContinuation = 77;

// Box number of each first-sheet field 0-102; 0 where the help context is the general 100
// (stamp lines, D1-D5).
constexpr std::array<int, 103> kFirstSheetBox = {
    1,  1,  1,  0,  0,  0,  0,  0,  0,  2,  2,  3,  3,  4,  5,  6,  7,  8,  8,  9,  10, 11, 12, 13, 14, 14,
    15, 15, 15, 17, 17, 16, 17, 18, 18, 19, 20, 20, 21, 21, 22, 22, 23, 24, 24, 25, 26, 27, 28, 28, 29, 30,
    31, 32, 33, 33, 33, 33, 33, 34, 34, 35, 36, 37, 37, 38, 39, 40, 41, 44, 42, 44, 46, 47, 48, 49, 50, 50,
    50, 50, 0,  0,  0,  0,  0,  0,  51, 51, 51, 51, 51, 51, 52, 52, 52, 53, 54, 54, 0,  0,  0,  0,  0};

// Help context of a field inside a continuation goods-item block, by offset from its base.
constexpr std::array<int, 21> kGoodsItemContext = {
    help::SadBox(31), help::SadBox(32), help::SadBox(33), help::SadBox(33), help::SadBox(33),
    help::SadBox(33), help::SadBox(33), help::SadBox(34), help::SadBox(34), help::SadBox(35),
    help::SadBox(36), help::SadBox(37), help::SadBox(37), help::SadBox(38), help::SadBox(39),
    help::SadBox(40), help::SadBox(41), help::SadBox(44), help::kOverview,  help::kOverview,
    help::SadBox(46)};

// F2 in a stamp date line or in box 37.
bool IsDateField(int page, int field) {
    return page == 1 ? (field == FieldStampA(4) || field == FieldStampC(4)) : field == ContFieldStampA(4);
}

bool IsHelp505Field(int page, int field) {
    if (page == 1) return field == kFieldBox37a || field == kFieldBox37b;
    for (int item = 0; item < 3; ++item)
        if (field == ContFieldOfItem(item, kItemBox37a) || field == ContFieldOfItem(item, kItemBox37b))
            return true;
    return false;
}

// F2 in the address boxes (2 and 8) and in box 31 of a goods item.
bool IsAddressField(int page, int field) {
    return page == 1 ? field == kFieldBox2 || field == kFieldBox8 : field == kContFieldBox2;
}

bool IsArticleField(int page, int field) {
    return page == 1 ? field == kFieldBox31
                     : field == ContFieldOfItem(0, kItemBox31) || field == ContFieldOfItem(1, kItemBox31) ||
                           field == ContFieldOfItem(2, kItemBox31);
}

std::u16string DateText(const CivilDate& d) {
    return FromUtf8(std::to_string(d.day) + "." + std::to_string(d.month) + "." + std::to_string(d.year));
}

}  // namespace

int SadHelpContext(int page, int field) {
    if (field < 0) return 0;
    if (page == 1) {
        if (field < static_cast<int>(kFirstSheetBox.size())) {
            const int box = kFirstSheetBox[static_cast<size_t>(field)];
            switch (box) {
                case 0:
                case 9:
                case 10:
                case 12:
                case 13:
                case 28:
                    return help::kOverview;
                case 42:
                    return help::SadBox(44);
                default:
                    return help::SadBox(box);
            }
        }
        return field <= kTabEndFirst ? help::kOverview : 0;
    }
    if (field <= kContFieldBox2) return help::kOverview;
    if (field <= kContFieldBox3b) return help::SadBox(3);
    if (field < ContFieldOfItem(3, 0)) return kGoodsItemContext[static_cast<size_t>((field - 11) % 21)];
    if (field <= kContFieldBox47Summary) return help::SadBox(47);
    return 0;
}

bool SadInsertDefaultsEnabled(int page, int field) {
    return IsDateField(page, field) || IsHelp505Field(page, field) || IsCodeDialogField(page, field) ||
           IsAddressField(page, field) || IsArticleField(page, field);
}

StampText ThreeLineStampText(const std::u16string& dialogResult) {
    StampText r;
    r.text = TrimmedRight(dialogResult);
    int lines = 1;
    for (size_t pos = r.text.find(u"\r\n"); pos != std::u16string::npos; pos = r.text.find(u"\r\n", pos + 2))
        ++lines;
    r.sizeValue = lines == 2 ? 0x41 : lines == 3 ? 0x42 : 0;
    return r;
}

std::u16string CollapseEmptyLines(const std::u16string& text) {
    std::u16string out;
    out.reserve(text.size());
    size_t pos = 0;
    for (;;) {
        const size_t hit = text.find(u"\r\n\r\n", pos);
        if (hit == std::u16string::npos) break;
        out.append(text, pos, hit - pos);
        out += u"\r\n";
        pos = hit + 4;
    }
    out.append(text, pos, std::u16string::npos);
    return out;
}

CSadNavigation::CSadNavigation(CEinheitspapierDoc& doc, const CFieldDefinitions& defs, ISadEditHost& host)
    : m_doc(doc), m_defs(defs), m_host(host) {}

int CSadNavigation::DefinitionByte(int field, int page) const {
    return m_defs.Get(page == 1 ? 1 : 2, field, m_doc.m_nFormVariant);
}

bool CSadNavigation::IsEditable(int field, int page) const {
    return (DefinitionByte(field, page) & kDefNotEditable) == 0;
}

bool CSadNavigation::IsShown(int field, int page) const {
    return (DefinitionByte(field, page) & kDefHidden) == 0;
}

bool CSadNavigation::AnyEditable(int page) const {
    const int count = page == 1 ? kSadFields1 : kSadFields2;
    for (int f = 0; f < count; ++f)
        if (IsEditable(f, page)) return true;
    return false;
}

int CSadNavigation::ProfileInt(settings::IntKey key) const {
    Profile* p = m_doc.GetProfile();
    return p ? settings::Get(*p, settings::kEHForm, key) : key.fallback;
}

void CSadNavigation::Commit() {
    Store().ActivateField(Store().GetCurrentField(), 0);
}

void CSadNavigation::PutText(int field, int page, const std::u16string& text) {
    CFieldStore& s = Store();
    if (field == s.GetCurrentField() && page == s.GetCurrentPage())
        s.SetCurrentText(text);
    else
        s.SetFieldText(field, text, page);
}

int CSadNavigation::GoToField(int target, int page) {
    CFieldStore& s = Store();
    if (page == 0) page = s.GetCurrentPage();
    const int from = s.GetCurrentField();
    bool skipCommitPass = false;
    LeaveCurrentField(target, page, skipCommitPass);
    if (!skipCommitPass && from == 8) s.SetCurrentText(CollapseEmptyLines(s.GetCurrentText()));

    s.ActivateField(target, page);
    m_host.FocusEditWindow();
    m_host.UpdateStatusText();

    if (page == 1)
        EnterFirstSheet(target, from);
    else
        EnterContinuation(target, from, page);
    return 0;
}

void CSadNavigation::LeaveCurrentField(int target, int page, bool& skipCommitPass) {
    CFieldStore& s = Store();
    const int F = s.GetCurrentField();
    const int P = s.GetCurrentPage();

    // The reference number also stands in "Nummer" of the first continuation sheet.
    if (P == 1 && F == kFieldReference) s.SetFieldText(kContFieldNummer, s.GetCurrentText(), 2);

    if (ProfileInt(settings::kAutoFillPositions) != 0) {
        const bool counts =
            P == 1 ? (target == kFieldBox3a || target == kFieldBox5 || target == kFieldBox32)
                   : (target == kContFieldBox3a || target == ContFieldOfItem(0, kItemBox32) ||
                      target == ContFieldOfItem(1, kItemBox32) || target == ContFieldOfItem(2, kItemBox32));
        if (counts) {
            // The text typed into the box being left and the filling are two changes, unless
            // the filling follows from the text (a box 31 filled or emptied): undo then takes
            // back both at once, as nothing of the filling would be left without the text.
            const std::u16string stored = s.GetFieldText(F, P);
            const std::u16string typed = s.TypedText();
            const int C = m_doc.m_nContinuationCount;
            const bool follows = typed != stored && PositionTexts(s, C, PositionText{F, P, stored}) !=
                                                        PositionTexts(s, C, PositionText{F, P, typed});
            s.ActivateField(F, 0);
            if (!follows) m_host.EndUndoStep();
            UpdatePositions(*this);
        }
    }

    const int stampA = ProfileInt(settings::kStampA);
    const int stampC = ProfileInt(settings::kStampC);
    if ((stampA == 1 || stampC == 1) && F == kFieldReference && P == 1) {
        const std::u16string text = s.GetCurrentText();
        s.SetFieldText(kContFieldNummer, text, 2);
        if (stampA == 1) {
            s.SetFieldText(FieldStampA(3), text, 1);
            s.ActivateField(FieldStampA(3), 0);
            s.ActivateField(kFieldReference, 0);
            s.SetFieldText(ContFieldStampA(3), text, 2);
        }
    } else if (F >= FieldStampA(2) && F <= FieldStampA(6) && P == 1) {
        // Stamp A lines 2 to 6 of the first sheet are repeated on the first continuation sheet.
        const int onPage2 = ContFieldStampA(F - FieldStampA(0));
        s.SetFieldText(onPage2, s.GetCurrentText(), 2);
        s.SetFieldFlags(onPage2, 2, s.GetFieldFlags(F, 1));
    }
    // "Nummer" of the first continuation sheet is mirrored in its stamp line 3. Later sheets
    // never receive a "Nummer"; copying theirs would wipe the reference number from the stamp.
    if (stampA == 1 && F == kContFieldNummer && P == 2) {
        s.SetFieldText(ContFieldStampA(3), s.GetCurrentText(), 2);
        s.ActivateField(ContFieldStampA(3), 2);
        s.ActivateField(kContFieldNummer, 2);
        s.ActivateField(F, P);
        skipCommitPass = true;
    }
}

void CSadNavigation::EnterFirstSheet(int target, int from) {
    CFieldStore& s = Store();
    if ((ProfileInt(settings::kStampA) == 1 || ProfileInt(settings::kStampC) == 1) &&
        (target == FieldStampA(2) || target == FieldStampA(5) || target == FieldStampC(2) ||
         target == FieldStampC(5)) &&
        ProfileInt(settings::kThreeLineInStamp) == 1) {
        RunStampDialog(target, 1, target == FieldStampA(2) || target == FieldStampA(5));
        AfterEntryDialog(target, 1);
        return;
    }
    if (target == kFieldBox44) {
        m_host.SetHelpContext(help::SadBox(44));
        const int v = m_doc.m_nFormVariant;
        if (IsEditable(kFieldBox44, 1) && HasInputTaxBox(v)) {
            const std::u16string before = s.GetCurrentText();
            std::u16string text = before;
            const bool inputTaxBefore = m_doc.m_nInputTax != 0;
            bool inputTax = inputTaxBefore;
            m_host.ShowEditWindow(false);
            // Only a dialog that changed something changes the document: Cancel, or OK on the
            // same lines, leaves it as it was (trailing empty lines are no text: saving drops them).
            if (m_host.RunFeld44(text, inputTax) &&
                (TrimmedRight(text) != TrimmedRight(before) || inputTax != inputTaxBefore)) {
                s.SetCurrentText(text);
                m_doc.m_nInputTax = inputTax ? 1 : 0;
                m_doc.SetModifiedFlag();
            }
            m_host.ShowEditWindow(true);
            if (m_bBackward) {
                AfterEntryDialog(kFieldBox44, 1);
                return;
            }
            // On to Feld 42, so that the dialog does not open again at once.
            s.ActivateField(kFieldBox42, 0);
            GoToField(kFieldBox42, 1);
            return;
        }
    }
    if (target == kFieldBox47 && IsEditable(kFieldBox47, 1)) {
        m_host.SetHelpContext(help::SadBox(47));
        RunDutyDialog(kFieldBox47Table, 1);
        AfterEntryDialog(kFieldBox47, 1);
        return;
    }
    SettleOnField(target, 1, from, kSadFields1);
}

void CSadNavigation::EnterContinuation(int target, int from, int page) {
    CFieldStore& s = Store();
    const int current = s.GetCurrentPage();
    if (ProfileInt(settings::kStampA) == 1 &&
        (target == ContFieldStampA(2) || target == ContFieldStampA(5)) &&
        ProfileInt(settings::kThreeLineInStamp) == 1) {
        RunStampDialog(target, current, false);
        AfterEntryDialog(target, current);
        return;
    }
    if (target >= kContFieldBox47 && target < kContFieldBox47 + 3) {
        m_host.SetHelpContext(help::SadBox(47));
        RunDutyDialog(ContFieldDutyTable(target - kContFieldBox47), current);
        AfterEntryDialog(target, current);
        return;
    }
    if (target == kContFieldBox47Summary) {
        m_host.SetHelpContext(help::SadBox(47));
        std::vector<std::u16string> values(22);
        for (int i = 0; i < 22; ++i)
            values[static_cast<size_t>(i)] = s.GetFieldText(kContFieldSummaryTable + i, current);
        m_host.ShowEditWindow(false);
        if (m_host.RunFeld47Summe(values) && values.size() >= 22) {
            const StoreSnapshot before(s);
            for (int i = 0; i < 22; ++i)
                s.SetFieldText(kContFieldSummaryTable + i, values[static_cast<size_t>(i)], current);
            SetDutyTableFontSizes(s, kContFieldSummaryTable, current, kFeld47SummeColumns);
            if (before.Differs(s)) m_doc.SetModifiedFlag();
        }
        m_host.ShowEditWindow(true);
        AfterEntryDialog(target, current);
        return;
    }
    SettleOnField(target, page, from, kSadFields2);
}

bool CSadNavigation::RunStampDialog(int target, int page, bool copyToPage2) {
    CFieldStore& s = Store();
    std::u16string text = s.GetCurrentText();
    if (!m_host.RunTextInput3L(text)) return false;
    const StoreSnapshot before(s);
    const StampText st = ThreeLineStampText(text);
    // Stamp A of the first sheet stands again on the first continuation sheet.
    const int onPage2 = ContFieldStampA(target - FieldStampA(0));
    s.SetCurrentText(st.text);
    if (copyToPage2) s.SetFieldText(onPage2, st.text, 2);
    s.SetFontSize(target, page, st.sizeValue);
    if (copyToPage2) s.SetFontSize(onPage2, 2, st.sizeValue);
    s.SetCentred(target, page);
    s.SetBold(target, page);
    if (copyToPage2) {
        s.SetCentred(onPage2, 2);
        s.SetBold(onPage2, 2);
    }
    if (before.Differs(s)) m_doc.SetModifiedFlag();
    return true;
}

void CSadNavigation::RunDutyDialog(int base, int page) {
    CFieldStore& s = Store();
    std::vector<std::u16string> values(36);
    for (int i = 0; i < 36; ++i) values[static_cast<size_t>(i)] = s.GetFieldText(base + i, page);
    m_host.ShowEditWindow(false);
    if (m_host.RunFeld47(values) && values.size() >= 36) {
        const StoreSnapshot before(s);
        for (int i = 0; i < 36; ++i) s.SetFieldText(base + i, values[static_cast<size_t>(i)], page);
        // Documents from before the column sizes get them here, so that the codes print whole.
        SetDutyTableFontSizes(s, base, page, kFeld47Columns);
        if (before.Differs(s)) m_doc.SetModifiedFlag();
    }
    m_host.ShowEditWindow(true);
}

void CSadNavigation::SettleOnField(int target, int page, int from, int limit) {
    CFieldStore& s = Store();
    if (target > limit) {
        GoToField(0, page);
        if (!IsEditable(s.GetCurrentField(), s.GetCurrentPage())) NextInputField();
        return;
    }
    if (!IsEditable(target, page) && AnyEditable(page)) {
        // Skipping continues in the direction of travel; forward past the end of the Tab range
        // it starts again at the top instead of entering the box 47 cells.
        if (from >= target && target >= 1)
            GoToField(target - 1, page);
        else
            GoToField(target == (page == 1 ? kTabEndFirst : kTabEndContinuation) ? 0 : target + 1, page);
        return;
    }
    m_host.SetHelpContext(SadHelpContext(page == 1 ? 1 : 2, s.GetCurrentField()));
    m_host.EnsureVisible();
}

void CSadNavigation::AfterEntryDialog(int field, int page) {
    if (!m_bBackward) {
        NextInputField();
        return;
    }
    m_nDialogField = field;
    m_host.SetHelpContext(SadHelpContext(page, field));
    m_host.EnsureVisible();
}

void CSadNavigation::NextInputField() {
    CFieldStore& s = Store();
    const int V = m_host.CurrentPage();
    if (m_nNextDepth >= 16) return;
    ++m_nNextDepth;
    // Without any editable field one step is all there is; the bound covers the rest.
    const int steps = AnyEditable(V) ? kSadFields2 : 1;
    for (int step = 0; step < steps; ++step) {
        const int F = s.GetCurrentField();
        const int target = F < (V == 1 ? kTabEndFirst : kTabEndContinuation) ? F + 1 : 0;
        GoToField(target, V);
        if (IsEditable(s.GetCurrentField(), s.GetCurrentPage())) break;
    }
    --m_nNextDepth;
}

void CSadNavigation::PreviousInputField() {
    CFieldStore& s = Store();
    const int V = m_host.CurrentPage();
    struct Backward {
        CSadNavigation& nav;
        explicit Backward(CSadNavigation& n) : nav(n) { nav.m_bBackward = true; }
        ~Backward() { nav.m_bBackward = false; }
    } backward(*this);
    const int steps = AnyEditable(V) ? kSadFields2 : 1;
    for (int step = 0; step < steps; ++step) {
        const int F = s.GetCurrentField();
        // With nothing editable before the caret the step wraps around, as it does from
        // field 0; skipping backward from here would only bounce back to where it started.
        bool anyBefore = false;
        for (int f = 0; f < F && !anyBefore; ++f) anyBefore = IsEditable(f, V);
        int target = F - 1;
        if (!anyBefore) {
            // Wrapping lands on the last field of the Tab range that takes typing: a dialog box
            // there would pop up although the clerk only went back one field.
            target = -1;
            for (int f = V == 1 ? kTabEndFirst : kTabEndContinuation; f >= 0 && target < 0; --f)
                if (IsEditable(f, V) && !OpensDialogOnEntry(f, V) && !(V == 1 && f == kFieldBox42))
                    target = f;
            if (target < 0) return;
        }
        m_nDialogField = -1;
        GoToField(target, V);
        // Feld 42 is a stop as on the way forward; the box 44 dialog before it keeps the caret
        // on Feld 44 afterwards, so the next step back goes on from there.
        if (m_nDialogField >= 0) return;
        if (IsEditable(s.GetCurrentField(), s.GetCurrentPage())) return;
    }
}

bool CSadNavigation::CanInsertDefaults() const {
    const int V = m_host.CurrentPage();
    const int F = Store().GetCurrentField();
    return SadInsertDefaultsEnabled(V, F);
}

bool CSadNavigation::OpensDialogOnEntry(int field, int page) const {
    if (!IsEditable(field, page)) return false;
    const bool stampLines = ProfileInt(settings::kThreeLineInStamp) == 1;
    const bool stampA = ProfileInt(settings::kStampA) == 1;
    if (page == 1) {
        const int v = m_doc.m_nFormVariant;
        if (field == kFieldBox44) return HasInputTaxBox(v);
        if (field == FieldStampA(2) || field == FieldStampA(5) || field == FieldStampC(2) ||
            field == FieldStampC(5))
            return stampLines && (stampA || ProfileInt(settings::kStampC) == 1);
        return field == kFieldBox47;
    }
    if (field == ContFieldStampA(2) || field == ContFieldStampA(5)) return stampLines && stampA;
    return field >= kContFieldBox47 && field <= kContFieldBox47Summary;
}

CSadNavigation::BoxTarget CSadNavigation::FindBox(std::u16string_view text, int item) const {
    BoxTarget t;
    SadBoxLabel label;
    if (!ParseSadBoxLabel(text, label)) {
        t.error = sadeditstr::kMsgGoToUnknownBox;
        return t;
    }
    const int V = m_host.CurrentPage();
    std::vector<int> fields = SadBoxFields(SheetOfPage(V), label, item);
    t.page = V;
    if (fields.empty() && V != 1) {
        fields = SadBoxFields(SadSheet::First, label);
        t.page = 1;
    }
    if (fields.empty()) {
        t.error = sadeditstr::kMsgGoToUnknownBox;
        return t;
    }
    // Boxes 2, 8 and 14 lead to the address, where F2 works; their number subfield is the
    // next step back from there.
    const auto& names = SadFields(SheetOfPage(t.page));
    std::stable_partition(fields.begin(), fields.end(), [&](int f) {
        const std::u16string& name = names[static_cast<size_t>(f)].name;
        return name.find(u"(Nr.)") == std::u16string::npos &&
               name.find(u"Zollnummer") == std::u16string::npos;
    });
    for (int f : fields) {
        if (IsEditable(f, t.page)) {
            t.field = f;
            return t;
        }
    }
    t.error = sadeditstr::kMsgGoToNotEditable;
    return t;
}

void CSadNavigation::GoToBox(const BoxTarget& target) {
    if (target.field < 0) return;
    if (target.page != m_host.CurrentPage()) FirstPage(*this);
    GoToField(target.field, target.page);
}

void CSadNavigation::InsertDefaults() {
    Commit();
    CFieldStore& s = Store();
    const int V = m_host.CurrentPage();
    const int F = s.GetCurrentField();
    if (!SadInsertDefaultsEnabled(V, F)) return;
    if (IsDateField(V, F)) {
        if (m_host.AskYesNo(sadeditstr::kMsg143InsertDate, true)) {
            s.SetCurrentText(DateText(m_today ? m_today() : CEinheitspapierDoc::LocalToday()));
            NextInputField();
            m_doc.SetModifiedFlag();
        }
        return;
    }
    if (IsHelp505Field(V, F)) m_host.ShowHelpContext(help::kSadProcedureCodes);
    if (InsertCodeDefaults(*this, V, F)) return;
    if (IsAddressField(V, F)) InsertAddress(V, F);
    if (IsArticleField(V, F)) InsertArticle(V, F);
    // The other rows open dialogs that are wired where those dialogs are built.
}

void CSadNavigation::InsertAddress(int page, int field) {
    CFieldStore& s = Store();
    std::u16string address = s.GetCurrentText();
    std::u16string customsNumber;
    if (!m_host.RunAddressDialog(address, customsNumber)) return;
    s.SetCurrentText(address);
    if (page == 1) {
        // The number subfield of the box sits just before its address field.
        s.ActivateField(field == kFieldBox2 ? kFieldBox2Number : kFieldBox8Number, 1);
    } else {
        PreviousInputField();
    }
    s.SetCurrentText(customsNumber);
    NextInputField();
    NextInputField();
    m_doc.SetModifiedFlag();
}

void CSadNavigation::InsertArticle(int page, int field) {
    CFieldStore& s = Store();
    CArticle article;
    if (!m_host.RunArticleSelection(article)) return;
    s.SetCurrentText(article.description);
    if (page == 1) {
        // Box 33 A-E, then box 34 A and B; box 32 is left alone.
        for (int k = 0; k < kArticleCodes; ++k) {
            s.ActivateField(kFieldBox33 + k, 1);
            s.SetCurrentText(article.codes[k]);
        }
        NextInputField();
    } else {
        // On a continuation sheet box 33 A of the item follows its box 31, and box 35 follows 34 B.
        // A box the field definitions do not let the caret enter (34 B by default) gets its code
        // directly: entering it would skip on to box 35 and put the code there.
        for (int k = 0; k < kArticleCodes; ++k) {
            const int target = field - kItemBox31 + kItemBox33 + k;
            if (IsEditable(target, s.GetCurrentPage())) {
                GoToField(target, 0);
                s.SetCurrentText(article.codes[k]);
            } else {
                PutText(target, s.GetCurrentPage(), article.codes[k]);
            }
        }
        GoToField(field - kItemBox31 + kItemBox34b + 1, 0);
    }
    m_doc.SetModifiedFlag();
}

}  // namespace tarvex
