#include "core/sad/SadPages.h"

#include "core/common/TextCodec.h"
#include "core/sad/Box47.h"
#include "core/sad/SadEditStrings.h"
#include "core/sad/SadFields.h"
#include "core/sad/SadNavigation.h"
#include "core/sad/SadVariants.h"

namespace tarvex {
namespace {

int ContinuationCount(const CSadNavigation& nav) {
    return nav.Doc().m_nContinuationCount;
}

// Puts the edit window on field 0 of the page it is on, storing what was typed.
void CommitToFieldZero(CSadNavigation& nav) {
    CFieldStore& s = nav.Store();
    s.ActivateField(0, s.GetCurrentPage());
}

void Finish(CSadNavigation& nav) {
    nav.Host().Redraw();
    nav.Host().UpdateStatusText();
}

bool BoxRuleHolds(const CSadNavigation& nav) {
    const CFieldStore& s = nav.Store();
    const int last = ContinuationCount(nav) + 1;
    for (int g = 0; g < 3; ++g)
        if (TrimmedRight(s.GetFieldText(ContFieldOfItem(g, kItemBox31), last)).size() <
            static_cast<size_t>(kAddPageMinLength))
            return false;
    return true;
}

// Layout of the box 47 tables of a new continuation page.
void AlignNewPage(CFieldStore& s, int page) {
    for (int f = ContFieldDutyTable(0); f < ContFieldDutyTable(3); ++f) s.SetRight(f, page);
    for (int r = 0; r < 7; ++r) {
        for (int base : {ContFieldDutyTable(0), ContFieldDutyTable(1), ContFieldDutyTable(2)}) {
            s.SetLeft(base + 5 * r, page);
            s.SetCentred(base + 5 * r + 4, page);
        }
    }
    for (int r = 0; r < 7; ++r) {
        s.SetRight(kContFieldSummaryTable + 3 * r + 1, page);
        s.SetCentred(kContFieldSummaryTable + 3 * r + 2, page);
    }
    s.SetRight(kContFieldSummaryTotal, page);
}

struct ItemRanges {
    int page = 1;
    int itemBase = 52;
    int dutyBase = 115;
};

ItemRanges RangesOf(int entry) {
    const GoodsItemRef item = GoodsItemFromListIndex(entry);
    ItemRanges r;
    r.page = item.page;
    r.itemBase = GoodsItemBase(item);
    r.dutyBase = item.page <= 1 ? 115 : 78 + 36 * (item.position - 1);
    return r;
}

constexpr int kItemFields = 21;
constexpr int kDutyFields = 36;

}  // namespace

bool CanGoToPreviousPage(const CSadNavigation& nav) {
    return nav.Host().CurrentPage() >= 2;
}

bool CanGoToNextPage(const CSadNavigation& nav) {
    return ContinuationCount(nav) > nav.Host().CurrentPage() - 1;
}

bool CanAddPage(const CSadNavigation& nav) {
    return ContinuationCount(nav) < kMaxPages - 1 && BoxRuleHolds(nav);
}

bool CanRemoveLastPage(const CSadNavigation& nav) {
    return ContinuationCount(nav) >= 2;
}

void FirstPage(CSadNavigation& nav) {
    CommitToFieldZero(nav);
    nav.Host().SetCurrentPage(1);
    nav.GoToField(0, 1);
    if (!nav.IsEditable(nav.Store().GetCurrentField(), 1)) nav.NextInputField();
    Finish(nav);
}

void PreviousPage(CSadNavigation& nav) {
    const int V = nav.Host().CurrentPage();
    if (V < 2) return;
    if (V == 2) {
        FirstPage(nav);
        return;
    }
    CommitToFieldZero(nav);
    nav.Host().SetCurrentPage(V - 1);
    nav.GoToField(0, V - 1);
    if (!nav.IsShown(0, 2)) nav.NextInputField();
    Finish(nav);
}

void NextPage(CSadNavigation& nav) {
    if (!CanGoToNextPage(nav)) return;
    const int V = nav.Host().CurrentPage() + 1;
    CommitToFieldZero(nav);
    nav.Host().SetCurrentPage(V);
    nav.GoToField(0, V);
    if (!nav.IsEditable(nav.Store().GetCurrentField(), V)) nav.NextInputField();
    Finish(nav);
}

void LastPage(CSadNavigation& nav) {
    if (!CanGoToNextPage(nav)) return;
    const int V = ContinuationCount(nav) + 1;
    CommitToFieldZero(nav);
    nav.Host().SetCurrentPage(V);
    nav.GoToField(0, V);
    if (!nav.IsShown(0, 2)) nav.NextInputField();
    Finish(nav);
}

void PrepareNewContinuationPage(CFieldStore& s, int page, bool copyStamps) {
    // Box 2 of the first continuation sheet stands on every sheet.
    for (int f : {kContFieldBox2Number, kContFieldBox2}) {
        s.ActivateField(f, page);
        s.SetCurrentText(s.GetFieldText(f, 2));
        s.SetFontSize(f, page, 3);
    }
    s.ActivateField(0, page);
    for (int f = 0; f < kSadFields2; ++f) s.SetFontSize(f, page, 3);
    for (int g = 0; g < 3; ++g) SetDutyTableFontSizes(s, ContFieldDutyTable(g), page, kFeld47Columns);
    SetDutyTableFontSizes(s, kContFieldSummaryTable, page, kFeld47SummeColumns);
    if (copyStamps) {
        for (int f = 1; f <= 8; ++f) {
            s.ActivateField(f, page);
            s.SetCurrentText(s.GetFieldText(f, 2));
            s.SetFieldFlags(f, page, s.GetFieldFlags(f, 2));
        }
    }
    AlignNewPage(s, page);
}

bool AddPage(CSadNavigation& nav) {
    CFieldStore& s = nav.Store();
    s.ActivateField(s.GetCurrentField(), 0);
    const int C = ContinuationCount(nav);
    if (C >= kMaxPages - 1) {
        nav.Host().ShowMessage(sadeditstr::kMsgPageLimit);
        return false;
    }
    if (!BoxRuleHolds(nav)) {
        nav.Host().ShowMessage(sadeditstr::kMsg22AddPage);
        return false;
    }
    nav.Doc().SetContinuationCount(static_cast<uint16_t>(C + 1));
    nav.Doc().SetModifiedFlag();
    LastPage(nav);

    const int page = C + 2;
    PrepareNewContinuationPage(
        s, page, nav.ProfileInt(settings::kStampA) == 1 || nav.ProfileInt(settings::kStampC) == 1);
    // Without stamps the caret would be left in "Nummer", which most variants neither show nor
    // let the user edit; what was typed there would vanish from sight.
    if (!nav.IsEditable(s.GetCurrentField(), page)) nav.NextInputField();
    FollowPositions(nav);
    Finish(nav);
    return true;
}

bool RemoveLastPage(CSadNavigation& nav) {
    if (!CanRemoveLastPage(nav)) return false;
    if (!nav.Host().AskYesNo(sadeditstr::kMsg23RemovePage, false)) return false;
    FirstPage(nav);
    nav.Doc().SetContinuationCount(static_cast<uint16_t>(ContinuationCount(nav) - 1));
    nav.Doc().SetModifiedFlag();
    FollowPositions(nav);
    Finish(nav);
    return true;
}

std::vector<std::u16string> GoodsItemEntries(const CFieldStore& store) {
    std::vector<std::u16string> entries;
    entries.push_back(GoodsItemLabel(0));
    const int pages = store.GetPageCount();
    for (int p = 2; p <= pages; ++p) {
        for (int pos = 1; pos <= 3; ++pos) {
            const int entry = 1 + 3 * (p - 2) + (pos - 1);
            std::u16string label = GoodsItemLabel(entry);
            if (store.GetTextLength(11 + 21 * (pos - 1), p) < 3) label += sadeditstr::kMoveEmptySuffix;
            entries.push_back(std::move(label));
        }
    }
    return entries;
}

void GoodsItemPreselection(const CFieldStore& store, int& source, int& target) {
    const int c = store.GetCurrentPage();
    if (c <= 1) {
        source = 0;
        target = -1;
        return;
    }
    const int field = store.GetCurrentField();
    source = field < 32 ? 3 * c - 5 : field < 53 ? 3 * c - 4 : 3 * c - 3;
    target = 1;
}

int MoveGoodsItem(CFieldStore& store, int sourceEntry, int targetEntry) {
    const int entries = 1 + 3 * (store.GetPageCount() - 1);
    if (sourceEntry < 0 || targetEntry < 0 || sourceEntry >= entries || targetEntry >= entries) return -1;
    // Moving an item onto itself would empty it.
    if (sourceEntry == targetEntry) return -1;
    const ItemRanges from = RangesOf(sourceEntry);
    const ItemRanges to = RangesOf(targetEntry);
    bool windowFieldWritten = false;
    auto move = [&](int fromBase, int toBase, int count) {
        for (int k = 0; k < count; ++k) {
            store.SetFieldText(toBase + k, store.GetFieldText(fromBase + k, from.page), to.page);
            store.SetFieldText(fromBase + k, u"", from.page);
            for (const auto& [base, page] : {std::pair{toBase, to.page}, std::pair{fromBase, from.page}})
                if (store.GetCurrentPage() == page && store.GetCurrentField() == base + k)
                    windowFieldWritten = true;
        }
    };
    move(from.itemBase, to.itemBase, kItemFields);
    move(from.dutyBase, to.dutyBase, kDutyFields);
    if (windowFieldWritten) store.SetCurrentText(store.GetFieldText(store.GetCurrentField(), 0));
    return 0;
}

void MoveGoodsItemCommand(CSadNavigation& nav) {
    CFieldStore& s = nav.Store();
    nav.GoToField(s.GetCurrentField(), s.GetCurrentPage());
    int source = 0, target = -1;
    GoodsItemPreselection(s, source, target);
    if (!nav.Host().RunMoveGoodsItem(GoodsItemEntries(s), source, target)) return;
    nav.GoToField(0, s.GetCurrentPage());
    if (MoveGoodsItem(s, source, target) != 0) return;
    FollowPositions(nav);
    nav.Doc().SetModifiedFlag();
    nav.Host().Redraw();
}

}  // namespace tarvex
