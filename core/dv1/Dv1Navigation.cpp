#include "core/dv1/Dv1Navigation.h"

#include <algorithm>

#include "core/common/HelpContexts.h"
#include "core/dv1/Dv1Doc.h"
#include "core/dv1/Dv1Strings.h"
#include "core/sad/SadEditStrings.h"
#include "core/settings/Profile.h"
#include "core/settings/SettingsKeys.h"

namespace tarvex {
namespace {

constexpr int kLastFrontField = kDv1Fields1 - 1;  // 11
constexpr int kFrontHelp[kDv1Fields1] = {help::kDv1Form,  help::Dv1Box(2), help::Dv1Box(1), help::Dv1Box(1),
                                         help::Dv1Box(3), help::Dv1Box(4), help::Dv1Box(5), help::Dv1Box(6),
                                         help::Dv1Box(7), help::Dv1Box(8), help::Dv1Box(9), help::Dv1Box(10)};
constexpr int kContinuationHelp = help::kDv1Continuation;

// The field whose details belong to each question row (7 (a)-(c), 8 (a)-(b), 9 (a)-(b)).
constexpr int kQuestionField[7] = {7, 7, 7, 8, 8, 9, 9};

std::u16string Number(int n) {
    const std::string s = std::to_string(n);
    return std::u16string(s.begin(), s.end());
}

}  // namespace

bool Dv1FieldEnterable(int page, int field) {
    if (page <= 1) return field >= 0 && field <= kLastFrontField;
    if (field < 0 || field > kDv1LastInputField) return false;
    // A field without a place on its page (52 on a BIS front) would swallow what is typed.
    return !Dv1FieldRect(Dv1PageKindOf(page), field).IsEmpty();
}

int Dv1FieldAt(int page, int x, int y, int zoom) {
    const Dv1PageKind kind = Dv1PageKindOf(page);
    const int last = page <= 1 ? kLastFrontField : kDv1LastInputField;
    for (int i = 0; i <= last; ++i)
        if (Dv1FieldEnterable(page, i) && Dv1ZoomedRect(kind, i, zoom).Contains(x, y)) return i;
    return -1;
}

int Dv1BoxAt(int x, int y, int zoom) {
    for (int b = 0; b < kDv1BoxCount; ++b) {
        const Dv1Rect r = Dv1BoxRectDown(b);
        const Dv1Rect z{r.left * zoom / 10, r.top * zoom / 10, r.right * zoom / 10, r.bottom * zoom / 10};
        if (z.Contains(x, y)) return b;
    }
    return -1;
}

int Dv1FieldHelpContext(int page, int field) {
    if (page <= 1) return field >= 0 && field <= kLastFrontField ? kFrontHelp[field] : kFrontHelp[0];
    return kContinuationHelp;
}

int Dv1BoxHelpContext(int box) {
    return kFrontHelp[kQuestionField[std::clamp(box, 0, 13) / 2]];
}

std::u16string Dv1QuestionLabel(int row) {
    static constexpr const char16_t* kLabels[kDv1QuestionCount] = {u"7 (a)", u"7 (b)", u"7 (c)", u"8 (a)",
                                                                   u"8 (b)", u"9 (a)", u"9 (b)"};
    return row >= 0 && row < kDv1QuestionCount ? kLabels[row] : u"";
}

Dv1QuestionRows Dv1QuestionsOfField(int field) {
    switch (field) {
        case 7:
            return {0, 3};
        case 8:
            return {3, 2};
        case 9:
            return {5, 2};
        default:
            return {};
    }
}

void Dv1TickBox(std::vector<uint8_t>& checks, int box) {
    if (box < 0 || box >= static_cast<int>(kDv1Checks)) return;
    checks.resize(kDv1Checks, 0);
    checks[box] = 1;
    if (box == 1) {
        // "NEIN" to 7 (a): (b) and (c) do not apply.
        for (int b : {0, 2, 3, 4, 5}) checks[b] = 0;
    } else {
        checks[box % 2 ? box - 1 : box + 1] = 0;
    }
}

void CDv1Navigation::Commit() {
    CFieldStore& store = m_doc.Store();
    store.ActivateField(store.GetCurrentField(), 0);
}

void CDv1Navigation::GoToField(int index, int page) {
    CFieldStore& store = m_doc.Store();
    const bool sameField = store.GetCurrentField() == index && store.GetCurrentPage() == page;
    if (store.ActivateField(index, page) != 0) return;
    // A details field that the caret enters starts at its first question.
    if (!sameField) m_nQuestion = -1;
    m_host.FocusEditWindow();
    m_host.SetHelpContext(Dv1FieldHelpContext(page, index));
    m_host.UpdateStatusText();
    m_host.EnsureVisible();
}

void CDv1Navigation::NextInputField() {
    const int page = m_host.ViewPage();
    const int last = page <= 1 ? kLastFrontField : kDv1LastInputField;
    int f = m_doc.Store().GetCurrentField();
    do {
        f = f >= last ? 0 : f + 1;
    } while (!Dv1FieldEnterable(page, f));
    GoToField(f, page);
}

void CDv1Navigation::PreviousInputField() {
    const int page = m_host.ViewPage();
    const int last = page <= 1 ? kLastFrontField : kDv1LastInputField;
    int f = m_doc.Store().GetCurrentField();
    do {
        f = f <= 0 || f > last ? last : f - 1;
    } while (!Dv1FieldEnterable(page, f));
    GoToField(f, page);
}

void CDv1Navigation::ClickBox(int box) {
    if (box < 0 || box >= static_cast<int>(kDv1Checks)) return;
    Dv1TickBox(m_doc.m_Checks, box);
    m_doc.SetModifiedFlag(true);
    m_host.SetDocumentModified();
    m_host.Redraw();
}

int CDv1Navigation::CurrentQuestion() const {
    const CFieldStore& store = m_doc.Store();
    if (m_host.ViewPage() != 1 || store.GetCurrentPage() != 1) return -1;
    const Dv1QuestionRows rows = Dv1QuestionsOfField(store.GetCurrentField());
    if (rows.count == 0) return -1;
    return m_nQuestion >= rows.first && m_nQuestion < rows.first + rows.count ? m_nQuestion : rows.first;
}

bool CDv1Navigation::AnswerQuestion(bool yes) {
    const int row = CurrentQuestion();
    if (row < 0) return false;
    ClickBox(2 * row + (yes ? 0 : 1));
    const Dv1QuestionRows rows = Dv1QuestionsOfField(m_doc.Store().GetCurrentField());
    m_nQuestion = std::min(row + 1, rows.first + rows.count - 1);
    m_host.UpdateStatusText();
    return true;
}

bool CDv1Navigation::NextQuestion() {
    const int row = CurrentQuestion();
    if (row < 0) return false;
    const Dv1QuestionRows rows = Dv1QuestionsOfField(m_doc.Store().GetCurrentField());
    m_nQuestion = row + 1 < rows.first + rows.count ? row + 1 : rows.first;
    m_host.UpdateStatusText();
    m_host.Redraw();
    return true;
}

std::u16string CDv1Navigation::StatusQuestionText() const {
    const int row = CurrentQuestion();
    if (row < 0) return {};
    std::u16string text = dv1str::kStatusQuestion;
    text.replace(text.find(u"%1"), 2, Dv1QuestionLabel(row));
    return text;
}

bool CDv1Navigation::CanGoToNextPage() const {
    return m_host.ViewPage() < m_doc.Store().GetPageCount();
}

bool CDv1Navigation::CanGoToPreviousPage() const {
    return m_host.ViewPage() >= 2;
}

void CDv1Navigation::ShowPage(int page) {
    Commit();
    m_host.SetViewPage(page);
    m_host.LoadPageRects();
    GoToField(0, page);
    m_host.Redraw();
}

void CDv1Navigation::FirstPage() {
    ShowPage(1);
}

void CDv1Navigation::LastPage() {
    ShowPage(m_doc.Store().GetPageCount());
}

void CDv1Navigation::NextPage() {
    if (CanGoToNextPage()) ShowPage(m_host.ViewPage() + 1);
}

void CDv1Navigation::PreviousPage() {
    if (CanGoToPreviousPage()) ShowPage(m_host.ViewPage() - 1);
}

void CDv1Navigation::AddPage() {
    Commit();
    if (m_doc.AddPage() < 0) {
        m_host.Beep();
        m_host.ShowMessage(dv1str::kMsgPageLimit);
        return;
    }
    m_host.SetDocumentModified();
    LastPage();
}

std::vector<dv1::Dv1NotAnAmount> CDv1Navigation::Calculate(Profile& profile) {
    Commit();
    auto notAmounts =
        dv1::CalculatePages(m_doc, settings::Get(profile, settings::kDV1Form, settings::kFlagDV1_11a));
    CFieldStore& store = m_doc.Store();
    // The edit window shows the field's new text, not what was typed before the calculation.
    // Activating the field again would copy the old window text back over the result.
    if (IEditWindow* window = store.Window(); window && window->HasWindow()) {
        window->SetWindowText(store.GetFieldText(store.GetCurrentField(), store.GetCurrentPage()));
        store.ActivateField(store.GetCurrentField(), store.GetCurrentPage());
    }
    m_host.SetDocumentModified();
    m_host.Redraw();
    return notAmounts;
}

int CDv1Navigation::ToggleFlag11a(Profile& profile) {
    const int value = settings::Get(profile, settings::kDV1Form, settings::kFlagDV1_11a) == 1 ? 0 : 1;
    profile.WriteProfileInt(settings::kDV1Form, settings::kFlagDV1_11a.name, value);
    return value;
}

std::u16string CDv1Navigation::StatusPageText() const {
    const CFieldStore& store = m_doc.Store();
    std::u16string text = dv1str::kStatusPage;
    text.replace(text.find(u"%1"), 2, Number(store.GetCurrentPage()));
    text.replace(text.find(u"%2"), 2, Number(store.GetPageCount()));
    return text;
}

std::u16string CDv1Navigation::StatusInsertText() const {
    return m_doc.Store().GetInsertMode() ? sadeditstr::kStatusInsert : sadeditstr::kStatusOverwrite;
}

}  // namespace tarvex
