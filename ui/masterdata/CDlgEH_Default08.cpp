#include "ui/masterdata/CDlgEH_Default08.h"

#include <QFontDatabase>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTextBlock>
#include <QTextCursor>
#include <QVBoxLayout>

#include "core/common/TextCodec.h"
#include "core/masterdata/MasterDataStrings.h"
#include "core/masterdata/MasterDataText.h"
#include "ui/common/QtText.h"
#include "ui/masterdata/CDlgCsvImport.h"
#include "ui/masterdata/MasterDataHost.h"
#include "ui/masterdata/MasterDataList.h"

namespace tarvex {

CDlgEH_Default08::CDlgEH_Default08(Profile& profile, const std::filesystem::path& dataFolder, QWidget* parent)
    : QDialog(parent), m_db(AddressTablePath(profile, dataFolder)) {
    setWindowTitle(Str(mdstr::kAddressTitle));
    m_model = new CMasterDataListModel(
        [this](int entry) { return m_entries[static_cast<size_t>(entry)].name; }, this);
    m_list = new CMasterDataListView(m_model, this);
    m_list->setToolTip(Str(mdstr::kTipAddressList));
    QWidget* filterRow = CreateFilterRow(m_filter, Str(mdstr::kFilterAddresses), this);

    m_addressEdit = new QPlainTextEdit(this);
    m_addressEdit->setToolTip(Str(mdstr::kTipAddressText));
    m_addressEdit->setLineWrapMode(QPlainTextEdit::NoWrap);
    m_addressEdit->setTabChangesFocus(true);
    // Room for four lines of a box's width.
    const QFontMetrics fm(m_addressEdit->font());
    m_addressEdit->setMinimumSize(fm.horizontalAdvance(QLatin1Char('x')) * 44, fm.lineSpacing() * 5 + 12);
    auto* numberLabel = new QLabel(AccessKeyText(mdstr::kZollnummerLabel, u'Z'), this);
    m_numberEdit = new QLineEdit(this);
    m_numberEdit->setMaxLength(24);
    m_numberEdit->setToolTip(Str(mdstr::kTipCustomsNumber));
    numberLabel->setBuddy(m_numberEdit);

    m_editButton = new QPushButton(AccessKeyText(mdstr::kEdit, u'B'), this);
    m_editButton->setToolTip(Str(mdstr::kTipAddressEdit));
    m_newButton = new QPushButton(AccessKeyText(mdstr::kNewRecord, u'N'), this);
    m_newButton->setToolTip(Str(mdstr::kTipAddressNew));
    m_ok = new QPushButton(AccessKeyText(mdstr::kTakeOver, u'Ü'), this);
    m_ok->setToolTip(Str(mdstr::kTipTakeOver));
    m_ok->setDefault(true);
    m_cancel = new QPushButton(AccessKeyText(mdstr::kCancel, u'A'), this);
    m_cancel->setToolTip(Str(mdstr::kTipCancelNoSave));
    m_importButton = new QPushButton(AccessKeyText(mdstr::kImport, u'I'), this);
    m_exportButton = new QPushButton(AccessKeyText(mdstr::kExport, u'x'), this);

    auto* left = new QVBoxLayout;
    left->addWidget(filterRow);
    left->addWidget(m_list, 1);
    auto* right = new QVBoxLayout;
    right->addWidget(m_addressEdit, 1);
    auto* numberRow = new QHBoxLayout;
    numberRow->addWidget(numberLabel);
    numberRow->addWidget(m_numberEdit, 1);
    right->addLayout(numberRow);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(m_editButton);
    buttons->addWidget(m_newButton);
    buttons->addStretch(1);
    buttons->addWidget(m_ok);
    buttons->addWidget(m_cancel);
    auto* transfer = new QHBoxLayout;
    transfer->addWidget(m_importButton);
    transfer->addWidget(m_exportButton);
    transfer->addStretch(1);
    right->addLayout(transfer);
    right->addLayout(buttons);
    auto* top = new QHBoxLayout(this);
    top->addLayout(left, 2);
    top->addLayout(right, 3);
    m_list->setMinimumWidth(fm.horizontalAdvance(QLatin1Char('x')) * 30);

    connect(m_list, &CMasterDataListView::entryChanged, this, [this](int entry) {
        if (entry >= 0) ShowRecord(entry);
        UpdateTakeOver();
    });
    connect(m_list, &CMasterDataListView::entryActivated, this, [this](int entry) {
        if (entry >= 0) accept();
    });
    connect(m_filter, &QLineEdit::textChanged, this, [this] { ApplyFilter(); });
    connect(m_editButton, &QPushButton::clicked, this, [this] {
        if (!m_bEditing && m_list->CurrentEntry() >= 0) SetEditing(true, false);
    });
    connect(m_newButton, &QPushButton::clicked, this, [this] {
        if (m_bEditing) return;
        SetEditing(true, true);
        m_list->ClearSelectionMark();
        m_addressEdit->clear();
        m_numberEdit->clear();
    });
    connect(m_importButton, &QPushButton::clicked, this, [this] {
        if (ImportCsvFileIntoTable(m_db.Table(), this)) FillList();
    });
    connect(m_exportButton, &QPushButton::clicked, this,
            [this] { ExportTableToCsvFile(m_db.Table(), this); });
    connect(m_ok, &QPushButton::clicked, this, &CDlgEH_Default08::accept);
    connect(m_cancel, &QPushButton::clicked, this, &CDlgEH_Default08::reject);
    SetEditing(false, false);
}

CDlgEH_Default08::~CDlgEH_Default08() = default;

int CDlgEH_Default08::OpenOrCreate() {
    CMasterDataMessages messages(parentWidget());
    return m_db.OpenOrCreate(messages);
}

void CDlgEH_Default08::showEvent(QShowEvent* e) {
    QDialog::showEvent(e);
    if (m_bFilled) return;
    m_bFilled = true;
    m_addressEdit->setPlainText(ToEditText(m_strAddress));
    SetEditing(false, false);  // the buttons follow the table opened since construction
    FillList();
    // The first entry in list order is shown.
    if (m_model->rowCount() > 0) m_list->SelectEntry(m_model->EntryAt(0));
    m_list->setFocus();
}

void CDlgEH_Default08::FillList() {
    m_entries = m_db.ReadEntries();
    m_search.clear();
    for (const CAddressRecord& r : m_db.ReadAll()) {
        std::u16string s;
        for (const auto& l : r.lines) s += l + u'\n';
        s += r.customsNumber;
        m_search.push_back(SearchFold(s));
    }
    ApplyFilter();
}

void CDlgEH_Default08::ApplyFilter() {
    std::vector<std::u16string> names;
    names.reserve(m_entries.size());
    for (const auto& e : m_entries) names.push_back(e.name);
    std::vector<int> order = SortedOrder(names);
    const std::u16string needle = SearchFold(TrimmedRight(m_filter->text().toStdU16String()));
    if (!needle.empty()) {
        std::vector<int> hits;
        for (int i : order)
            if (static_cast<size_t>(i) < m_search.size() &&
                m_search[static_cast<size_t>(i)].find(needle) != std::u16string::npos)
                hits.push_back(i);
        order = std::move(hits);
    }
    const int current = m_list->CurrentEntry();
    m_model->SetRows(std::move(order));
    if (!m_bEditing && !m_list->SelectEntry(current) && m_model->rowCount() > 0)
        m_list->SelectEntry(m_model->EntryAt(0));
    UpdateTakeOver();
}

void CDlgEH_Default08::ShowRecord(int entry) {
    CAddressRecord r;
    m_nShownEntry = -1;
    if (!m_db.ReadAddress(m_entries[static_cast<size_t>(entry)].record, r)) {
        UpdateTakeOver();
        return;
    }
    m_nShownEntry = entry;
    m_strAddress = AddressText(r);
    m_strCustomsNumber = r.customsNumber;
    m_addressEdit->setPlainText(ToEditText(m_strAddress));
    m_numberEdit->setText(Str(m_strCustomsNumber));
    UpdateTakeOver();
}

void CDlgEH_Default08::SetEditing(bool editing, bool newRecord) {
    m_bEditing = editing;
    m_bNewRecord = newRecord;
    m_ok->setText(editing ? AccessKeyText(mdstr::kSave, u'S') : AccessKeyText(mdstr::kTakeOver, u'Ü'));
    m_editButton->setVisible(!editing);
    m_newButton->setVisible(!editing);
    // Viewing: the edits only show the record; editing: the list waits.
    m_addressEdit->setReadOnly(!editing);
    m_numberEdit->setReadOnly(!editing);
    m_list->setEnabled(!editing);
    m_filter->setEnabled(!editing);
    const bool writable = m_db.HasAddressLayout();
    m_editButton->setEnabled(writable);
    m_newButton->setEnabled(writable);
    m_importButton->setEnabled(writable && !editing);
    m_exportButton->setEnabled(!editing);
    UpdateTakeOver();
    if (editing) m_addressEdit->setFocus();
}

bool CDlgEH_Default08::HasShownEntry() const {
    const int entry = m_list->CurrentEntry();
    return entry >= 0 && entry == m_nShownEntry &&
           m_list->selectionModel()->isSelected(m_list->currentIndex());
}

void CDlgEH_Default08::UpdateTakeOver() {
    // Without a chosen address "Übernehmen" would write the edits' leftovers (the box's own text
    // and an empty number) into the box: there is nothing to take over then.
    m_ok->setEnabled(m_bEditing || HasShownEntry());
}

void CDlgEH_Default08::FocusMisfit(const std::u16string& text, const std::u16string& number) {
    const AddressWidths widths = m_db.FieldWidths();
    std::vector<std::u16string> lines = MdSplitLines(text);
    for (size_t i = 0; i < lines.size(); ++i) {
        const std::u16string line = AddressFirstLine(lines[i]);
        const bool tooLong = i < kAddressLines && TableBytes(line) > widths[i];
        const bool extra = i >= kAddressLines && !TrimmedRight(line).empty();
        if (!tooLong && !extra) continue;
        QTextCursor cursor(m_addressEdit->document()->findBlockByNumber(static_cast<int>(i)));
        cursor.movePosition(QTextCursor::EndOfBlock);
        m_addressEdit->setTextCursor(cursor);
        m_addressEdit->setFocus();
        return;
    }
    if (TableBytes(number) > widths[kFieldZollNr]) {
        m_numberEdit->setFocus();
        return;
    }
    m_addressEdit->setFocus();
}

std::u16string CDlgEH_Default08::EditedText() const {
    return FromEditText(m_addressEdit->toPlainText());
}

bool CDlgEH_Default08::Save() {
    const std::u16string text = EditedText();
    const std::u16string number = m_numberEdit->text().toStdU16String();
    if (m_bNewRecord && AddressFirstLine(text).empty()) {
        // A new record without a name is not stored.
        SetEditing(false, false);
        if (m_model->rowCount() > 0) m_list->SelectEntry(m_model->EntryAt(0));
        return true;
    }
    std::vector<std::u16string> problems;
    const CAddressRecord record = SplitAddressText(text, number, &problems, m_db.FieldWidths());
    if (!problems.empty() && !ConfirmCut(this, problems)) {
        FocusMisfit(text, number);
        return false;
    }
    const int entry = m_list->CurrentEntry();
    const int32_t target =
        m_bNewRecord ? m_db.Table().GetRecordCount() + 1 : m_entries[static_cast<size_t>(entry)].record;
    const int32_t written = m_db.WriteAddress(target, record);
    if (written < 1) {
        CMasterDataMessages(this).ShowMessage(mdstr::kWriteFailed);
        return false;
    }
    const bool wasNew = m_bNewRecord;
    SetEditing(false, false);
    m_strAddress = AddressText(record);
    m_strCustomsNumber = record.customsNumber;
    if (wasNew) {
        m_filter->clear();
        FillList();
        // The first entry with that name, from the top of the list.
        for (int row = 0; row < m_model->rowCount(); ++row) {
            const int e = m_model->EntryAt(row);
            if (m_entries[static_cast<size_t>(e)].name == record.lines[0]) {
                m_list->SelectEntry(e);
                break;
            }
        }
    } else {
        m_entries[static_cast<size_t>(entry)].name = record.lines[0];
        std::u16string s;
        for (const auto& l : record.lines) s += l + u'\n';
        s += record.customsNumber;
        if (static_cast<size_t>(entry) < m_search.size())
            m_search[static_cast<size_t>(entry)] = SearchFold(s);
        ApplyFilter();
        m_list->SelectEntry(entry);
    }
    ShowRecord(m_list->CurrentEntry() >= 0 ? m_list->CurrentEntry() : entry);
    m_list->setFocus();
    return true;
}

void CDlgEH_Default08::accept() {
    if (m_bEditing) {
        Save();
        return;
    }
    if (!HasShownEntry()) return;  // nothing chosen: the box keeps what it has
    m_strAddress = TrimmedRight(EditedText());
    m_strCustomsNumber = m_numberEdit->text().toStdU16String();
    QDialog::accept();
}

void CDlgEH_Default08::reject() {
    if (m_bEditing) {
        SetEditing(false, false);
        const int entry = m_list->CurrentEntry();
        if (entry >= 0) {
            ShowRecord(entry);
        } else if (m_model->rowCount() > 0) {
            m_list->SelectEntry(m_model->EntryAt(0));
        }
        m_list->setFocus();
        return;
    }
    QDialog::reject();
}

}  // namespace tarvex
