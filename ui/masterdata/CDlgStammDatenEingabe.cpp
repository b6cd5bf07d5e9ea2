#include "ui/masterdata/CDlgStammDatenEingabe.h"

#include <QApplication>
#include <QEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QProgressDialog>
#include <QPushButton>
#include <QShortcut>
#include <QTimer>
#include <QVBoxLayout>
#include <algorithm>

#include "core/common/TextCodec.h"
#include "core/masterdata/MasterDataStrings.h"
#include "core/masterdata/MasterDataText.h"
#include "ui/codelists/Common_DlgBundeslaenderCode.h"
#include "ui/codelists/Common_DlgLaenderCode.h"
#include "ui/common/QtText.h"
#include "ui/masterdata/CDlgCsvImport.h"
#include "ui/masterdata/MasterDataHost.h"
#include "ui/masterdata/MasterDataList.h"

namespace tarvex {

namespace {

// The description edit's limit, line breaks counted as two characters as the table stores them.
constexpr int kDescriptionLimit = 253;
// Up to this many entries the lists follow every key typed into the search field.
constexpr size_t kImmediateFilterEntries = 5000;

}  // namespace

CDlgStammDatenEingabe::CDlgStammDatenEingabe(Profile& profile, const std::filesystem::path& dataFolder,
                                             QWidget* parent)
    : QDialog(parent), m_profile(profile), m_dataFolder(dataFolder) {
    setWindowTitle(Str(mdstr::kArticleTitle));

    m_selectionGroup = new QGroupBox(Str(mdstr::kGroupSelection), this);
    QWidget* filterRow = CreateFilterRow(m_filter, Str(mdstr::kFilterArticles), m_selectionGroup);
    m_descriptionModel = new CMasterDataListModel(
        [this](int e) { return ArticleFirstLine(m_data.Description(static_cast<size_t>(e))); }, this);
    m_codeModel = new CMasterDataListModel(
        [this](int e) { return ArticleCodeText(m_data.GetArticle(static_cast<size_t>(e))); }, this);
    m_byDescription = new CMasterDataListView(m_descriptionModel, m_selectionGroup);
    m_byDescription->setToolTip(Str(mdstr::kTipByDescription));
    m_byCode = new CMasterDataListView(m_codeModel, m_selectionGroup);
    m_byCode->setToolTip(Str(mdstr::kTipByCode));
    auto* lists = new QHBoxLayout;
    lists->addWidget(m_byDescription, 3);
    lists->addWidget(m_byCode, 2);
    auto* sel = new QVBoxLayout(m_selectionGroup);
    sel->addWidget(filterRow);
    sel->addLayout(lists, 1);

    m_inputGroup = new QGroupBox(Str(mdstr::kGroupInput), this);
    m_description = new QPlainTextEdit(m_inputGroup);
    m_description->setToolTip(Str(mdstr::kTipDescription));
    m_description->setTabChangesFocus(true);
    m_description->setLineWrapMode(QPlainTextEdit::NoWrap);
    const QFontMetrics fm(m_description->font());
    const int charWidth = fm.horizontalAdvance(QLatin1Char('0'));
    m_description->setMinimumHeight(fm.lineSpacing() * 7 + 12);
    auto* descLabel = new QLabel(Str(mdstr::kLabelBox31), m_inputGroup);
    descLabel->setBuddy(m_description);
    auto* codeRow = new QHBoxLayout;
    for (int k = 0; k < kArticleCodes; ++k) {
        auto* e = new QLineEdit(m_inputGroup);
        e->setToolTip(Str(k < 5 ? mdstr::kTipCode : mdstr::kTipOrigin));
        e->setMinimumWidth(charWidth * (kCodeWidths[static_cast<size_t>(k)] + 3));
        e->installEventFilter(this);
        m_codes[static_cast<size_t>(k)] = e;
    }
    auto* codeLabel = new QLabel(Str(mdstr::kLabelBox33), m_inputGroup);
    codeLabel->setBuddy(m_codes[0]);
    for (int k = 0; k < 5; ++k)
        codeRow->addWidget(m_codes[static_cast<size_t>(k)], kCodeWidths[static_cast<size_t>(k)] + 3);
    auto* originLabel = new QLabel(Str(mdstr::kLabelBox34), m_inputGroup);
    originLabel->setBuddy(m_codes[5]);
    m_defaults = new QPushButton(AccessKeyText(mdstr::kDefaults, u'V'), m_inputGroup);
    m_defaults->setToolTip(Str(mdstr::kTipDefaults));
    m_defaults->setFocusPolicy(Qt::NoFocus);  // clicking it must not take the focus from the origin edit
    auto* originRow = new QHBoxLayout;
    originRow->addWidget(m_codes[5]);
    originRow->addWidget(m_codes[6]);
    originRow->addWidget(m_defaults);
    originRow->addStretch(1);
    auto* input = new QVBoxLayout(m_inputGroup);
    input->addWidget(descLabel);
    input->addWidget(m_description, 1);
    input->addWidget(codeLabel);
    input->addLayout(codeRow);
    input->addWidget(originLabel);
    input->addLayout(originRow);
    m_description->installEventFilter(this);
    m_byDescription->installEventFilter(this);
    m_byCode->installEventFilter(this);

    m_new = new QPushButton(AccessKeyText(mdstr::kNewRecord, u'N'), this);
    m_new->setToolTip(Str(mdstr::kTipArticleNew));
    m_editSave = new QPushButton(AccessKeyText(mdstr::kEditieren, u'E'), this);
    m_editSave->setToolTip(Str(mdstr::kTipArticleEdit));
    m_ok = new QPushButton(AccessKeyText(mdstr::kOk, u'O'), this);
    m_ok->setToolTip(Str(mdstr::kTipTakeOver));
    m_ok->setDefault(true);
    m_cancel = new QPushButton(AccessKeyText(mdstr::kAbbruch, u'A'), this);
    m_cancel->setToolTip(Str(mdstr::kTipArticleCancel));
    m_help = new QPushButton(AccessKeyText(mdstr::kHelp, u'H'), this);
    m_help->setToolTip(Str(mdstr::kTipHelp));
    m_import = new QPushButton(AccessKeyText(mdstr::kImport, u'I'), this);
    m_export = new QPushButton(AccessKeyText(mdstr::kExport, u'x'), this);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(m_new);
    buttons->addWidget(m_editSave);
    buttons->addWidget(m_import);
    buttons->addWidget(m_export);
    buttons->addStretch(1);
    buttons->addWidget(m_ok);
    buttons->addWidget(m_cancel);
    buttons->addWidget(m_help);

    auto* groups = new QHBoxLayout;
    groups->addWidget(m_selectionGroup, 1);
    groups->addWidget(m_inputGroup, 1);
    auto* top = new QVBoxLayout(this);
    top->addLayout(groups, 1);
    top->addLayout(buttons);
    m_byDescription->setMinimumSize(charWidth * 30, fm.lineSpacing() * 14);
    m_byCode->setMinimumWidth(charWidth * 18);

    connect(m_byDescription, &CMasterDataListView::entryChanged, this, [this](int e) {
        if (e >= 0) ShowEntry(e, false);
        UpdateTakeOver();
    });
    connect(m_byCode, &CMasterDataListView::entryChanged, this, [this](int e) {
        if (e >= 0) ShowEntry(e, true);
        UpdateTakeOver();
    });
    auto activated = [this](int e) {
        if (e < 0) return;
        if (m_bSelectionMode)
            accept();
        else
            SetEditing(true);
    };
    connect(m_byDescription, &CMasterDataListView::entryActivated, this, activated);
    connect(m_byCode, &CMasterDataListView::entryActivated, this, activated);
    // A large list is narrowed once the typing pauses, not at every key.
    m_filterTimer = new QTimer(this);
    m_filterTimer->setSingleShot(true);
    m_filterTimer->setInterval(150);
    connect(m_filterTimer, &QTimer::timeout, this, [this] { ApplyFilter(); });
    connect(m_filter, &QLineEdit::textChanged, this, [this] {
        if (m_data.GetArticleCount() > kImmediateFilterEntries)
            m_filterTimer->start();
        else
            ApplyFilter();
    });
    connect(m_new, &QPushButton::clicked, this, [this] {
        if (!m_bEditing) StartNewEntry();
    });
    connect(m_editSave, &QPushButton::clicked, this, [this] {
        if (m_bEditing)
            SaveEdit();
        else if (m_byDescription->CurrentEntry() >= 0)
            SetEditing(true);
    });
    connect(m_import, &QPushButton::clicked, this, [this] {
        if (!ImportCsvFileIntoTable(m_data.Table(), this)) return;
        const bool editing = m_bEditing;
        ReloadKeepingInput(0);
        // Started on an empty table with an empty new entry: the imported articles are shown.
        if (editing && m_bNewEntry && EditedArticle().description.empty() && m_data.GetArticleCount() > 0)
            SetEditing(false);
        if (!m_bEditing && m_descriptionModel->rowCount() > 0) {
            m_byDescription->SelectEntry(m_descriptionModel->EntryAt(0));
            ShowEntry(m_descriptionModel->EntryAt(0), false);
        }
    });
    connect(m_export, &QPushButton::clicked, this, [this] { ExportTableToCsvFile(m_data.Table(), this); });
    connect(m_ok, &QPushButton::clicked, this, &CDlgStammDatenEingabe::accept);
    connect(m_cancel, &QPushButton::clicked, this, &CDlgStammDatenEingabe::reject);
    connect(m_help, &QPushButton::clicked, this, [this] { emit helpRequested(kHelpLists); });
    connect(m_defaults, &QPushButton::clicked, this, [this] {
        if (m_nOriginFocus >= 0) PickCode(m_nOriginFocus);
    });
    auto* f2 = new QShortcut(QKeySequence(Qt::Key_F2), this);
    connect(f2, &QShortcut::activated, this, [this] {
        if (m_nOriginFocus >= 0 && m_bEditing) PickCode(m_nOriginFocus);
    });
    connect(m_description, &QPlainTextEdit::textChanged, this, [this] {
        // The table holds 254 bytes: longer texts are refused as they are typed.
        const QString text = m_description->toPlainText();
        if (static_cast<int>(FromEditText(text).size()) <= kDescriptionLimit) {
            m_lastDescription = text;
            return;
        }
        const QSignalBlocker block(m_description);
        m_description->setPlainText(m_lastDescription);
        m_description->moveCursor(QTextCursor::End);
        QApplication::beep();
    });
    m_defaults->setEnabled(false);
    // Box 34 A from the country list, box 34 B from the federal states.
    m_pickCode = [this](int which, std::u16string& code) {
        if (which == 0) {
            Common_DlgLaenderCode dlg(this);
            dlg.SetPresets(u"", code);
            if (dlg.exec() != QDialog::Accepted) return false;
            code = dlg.Code();
            return true;
        }
        Common_DlgBundeslaenderCode dlg(this);
        dlg.SetCode(code);
        if (dlg.exec() != QDialog::Accepted) return false;
        code = dlg.Code();
        return true;
    };
}

CDlgStammDatenEingabe::~CDlgStammDatenEingabe() = default;

void CDlgStammDatenEingabe::Initialise() {
    const ArticleTableSetting where = ArticleTableFromSettings(m_profile);
    m_data.SetTablePath(where.folder, where.fileName, where.layout, m_dataFolder);
    // A large table takes a moment: a progress window appears when it takes longer than half a second.
    QProgressDialog progress(Str(mdstr::kLoading), QString(), 0, 100, parentWidget());
    progress.setWindowTitle(Str(mdstr::kArticleTitle));
    progress.setWindowModality(Qt::WindowModal);
    progress.setMinimumDuration(500);
    progress.setCancelButton(nullptr);
    const int rc = m_data.LoadArticles([&](int64_t done, int64_t total) {
        if (total > 0) progress.setValue(static_cast<int>(done * 100 / total));
    });
    progress.reset();
    if (rc != 0) {
        if (m_data.GetLoadError().IsSet())
            ShowTableError(parentWidget(), m_data.GetLoadError());
        else
            CMasterDataMessages(parentWidget()).ShowMessage(m_data.GetLayoutMessage());
    }
    RebuildOrders();
    ApplyFilter();
    if (m_bSelectionMode) {
        setWindowTitle(Str(mdstr::kArticleSelectTitle));
        m_ok->setText(AccessKeyText(mdstr::kTakeOver, u'Ü'));
        m_inputGroup->setTitle(Str(mdstr::kGroupContents));
        m_defaults->hide();
        m_new->hide();
        m_editSave->hide();
        m_import->hide();
        m_export->hide();
        // An empty table would leave nothing to pick and no way to add the first article: then
        // the clerk enters it here, saves it and takes it over.
        if (m_data.GetArticleCount() == 0 && m_data.IsWritable()) m_new->show();
    }
    if (m_data.GetArticleCount() == 0 && m_data.IsWritable()) {
        StartNewEntry();
    } else {
        SetEditing(false);
        if (m_descriptionModel->rowCount() > 0) m_byDescription->SelectEntry(m_descriptionModel->EntryAt(0));
    }
    m_new->setEnabled(m_data.IsWritable() && !m_bEditing);
    if (!m_data.IsWritable()) m_editSave->setEnabled(false);
}

void CDlgStammDatenEingabe::RebuildOrders() {
    m_orderDescription = m_data.OrderByDescription();
    m_orderCode = m_data.OrderByCode();
}

void CDlgStammDatenEingabe::ApplyFilter() {
    const std::u16string text = m_filter->text().toStdU16String();
    const int current = m_byDescription->CurrentEntry();
    const std::vector<uint8_t> mask = m_data.MatchMask(text);
    m_descriptionModel->SetRows(CTarvexStammDaten::Narrow(m_orderDescription, mask));
    m_codeModel->SetRows(CTarvexStammDaten::Narrow(m_orderCode, mask));
    if (!m_bEditing && !m_byDescription->SelectEntry(current) && m_descriptionModel->rowCount() > 0)
        m_byDescription->SelectEntry(m_descriptionModel->EntryAt(0));
    UpdateTakeOver();
}

void CDlgStammDatenEingabe::ShowEntry(int entry, bool fromCodeList) {
    if (entry < 0 || static_cast<size_t>(entry) >= m_data.GetArticleCount()) return;
    {
        // The other list follows without showing the entry a second time.
        CMasterDataListView* other = fromCodeList ? m_byDescription : m_byCode;
        const QSignalBlocker block(other->selectionModel());
        other->SelectEntry(entry);
        other->viewport()->update();
    }
    const CArticle a = m_data.GetArticle(static_cast<size_t>(entry));
    m_description->setPlainText(ToEditText(a.description));
    for (int k = 0; k < kArticleCodes; ++k)
        m_codes[static_cast<size_t>(k)]->setText(Str(a.codes[static_cast<size_t>(k)]));
    m_nShownEntry = entry;
    UpdateTakeOver();
}

void CDlgStammDatenEingabe::SetEditing(bool editing) {
    m_bEditing = editing;
    if (m_bSelectionMode) {
        // Selection mode edits only the first article of an empty table; its save button and the
        // code lists are there while it is typed.
        m_editSave->setVisible(editing);
        m_defaults->setVisible(editing);
        if (!editing && m_data.GetArticleCount() > 0) m_new->hide();
    }
    if (!editing) m_bNewEntry = false;
    m_byDescription->setEnabled(!editing);
    m_byCode->setEnabled(!editing);
    m_filter->setEnabled(!editing);
    m_new->setEnabled(!editing && m_data.IsWritable());
    // An import while a new, still empty entry is open is what a clerk does with a new table.
    m_import->setEnabled(m_data.IsWritable() && (!editing || m_bNewEntry) && !m_bSelectionMode);
    m_export->setEnabled(!editing && !m_bSelectionMode);
    m_ok->setEnabled(!editing);
    m_description->setEnabled(editing);
    for (QLineEdit* e : m_codes) e->setEnabled(editing);
    m_editSave->setText(editing ? AccessKeyText(mdstr::kSave, u'S') : AccessKeyText(mdstr::kEditieren, u'E'));
    // The default button follows the state, so that Enter in a code edit saves while editing.
    // Cleared first, so that the one set below really becomes the dialog's default button (Qt
    // ignores setDefault(true) on a button still flagged from before).
    m_editSave->setDefault(false);
    m_ok->setDefault(false);
    (editing ? m_editSave : m_ok)->setDefault(true);
    UpdateTakeOver();
    if (editing)
        m_description->setFocus();
    else
        m_byDescription->setFocus();
}

bool CDlgStammDatenEingabe::HasShownEntry() const {
    const int entry = m_byDescription->CurrentEntry();
    return entry >= 0 && entry == m_nShownEntry &&
           m_byDescription->selectionModel()->isSelected(m_byDescription->currentIndex());
}

void CDlgStammDatenEingabe::UpdateTakeOver() {
    // "Übernehmen" writes boxes 31 to 34 B: without a chosen article it would empty them.
    m_ok->setEnabled(!m_bEditing && (!m_bSelectionMode || HasShownEntry()));
}

void CDlgStammDatenEingabe::FocusMisfit(const CArticle& article) {
    // The first field whose text the table would cut gets the caret, at its end.
    CArticle only;
    only.description = article.description;
    if (!m_data.FitProblems(only).empty()) {
        m_description->setFocus();
        m_description->moveCursor(QTextCursor::End);
        return;
    }
    for (int k = 0; k < kArticleCodes; ++k) {
        only = CArticle{};
        only.codes[static_cast<size_t>(k)] = article.codes[static_cast<size_t>(k)];
        if (m_data.FitProblems(only).empty()) continue;
        m_codes[static_cast<size_t>(k)]->setFocus();
        m_codes[static_cast<size_t>(k)]->end(false);
        return;
    }
    m_description->setFocus();
}

void CDlgStammDatenEingabe::StartNewEntry() {
    m_bNewEntry = true;
    SetEditing(true);
    m_bNewEntry = true;
    m_byCode->ClearSelectionMark();
    m_nShownEntry = -1;
    m_description->clear();
    for (QLineEdit* e : m_codes) e->clear();
    m_description->setFocus();
}

CArticle CDlgStammDatenEingabe::EditedArticle() const {
    CArticle a;
    a.description = FromEditText(m_description->toPlainText());
    for (int k = 0; k < kArticleCodes; ++k)
        a.codes[static_cast<size_t>(k)] = m_codes[static_cast<size_t>(k)]->text().toStdU16String();
    return a;
}

void CDlgStammDatenEingabe::SaveEdit() {
    CArticle a = EditedArticle();
    if (m_bNewEntry && TrimmedRight(a.description).empty() &&
        std::all_of(a.codes.begin(), a.codes.end(),
                    [](const std::u16string& c) { return TrimmedRight(c).empty(); })) {
        // Return in an untouched new entry stores no empty article.
        QApplication::beep();
        m_description->setFocus();
        return;
    }
    const std::vector<std::u16string> problems = m_data.FitProblems(a);
    if (!problems.empty()) {
        if (!ConfirmCut(this, problems)) {
            FocusMisfit(a);  // back to the text that does not fit, to correct it
            return;
        }
        a = m_data.Fitted(a);
    }
    size_t index = 0;
    CArticle previous;
    if (m_bNewEntry) {
        index = m_data.AddArticle(a);
    } else {
        const int entry = m_byDescription->CurrentEntry();
        if (entry < 0) return;
        index = static_cast<size_t>(entry);
        previous = m_data.GetArticle(index);
        m_data.SetArticle(index, a);
    }
    const int saved = m_data.SaveArticles();
    if (saved == kArticleChangedElsewhere) {
        // Another clerk was first: nothing of theirs is overwritten unseen, nothing typed here lost.
        const int32_t record = m_data.RecordOf(index);
        CMasterDataMessages(this).ShowMessage(mdstr::kChangedElsewhere);
        ReloadKeepingInput(record);
        return;
    }
    if (saved != 0) {
        // Nothing of the entry is lost: it stays in the edits, and the list keeps what the table holds.
        if (m_bNewEntry)
            m_data.ResizeArticles(index);
        else
            m_data.SetArticle(index, previous);
        CMasterDataMessages(this).ShowMessage(mdstr::kWriteFailed);
        return;
    }
    RebuildOrders();
    SetEditing(false);
    m_filter->clear();
    ApplyFilter();
    m_byDescription->SelectEntry(static_cast<int>(index));
    ShowEntry(static_cast<int>(index), false);
    m_byDescription->setFocus();
}

void CDlgStammDatenEingabe::ReloadKeepingInput(int32_t record) {
    // The edits are left alone: the clerk's input stays while the list shows the table as it is.
    const CArticle input = EditedArticle();
    if (m_data.LoadArticles() != 0) {
        if (m_data.GetLoadError().IsSet()) ShowTableError(this, m_data.GetLoadError());
    }
    RebuildOrders();
    {
        const QSignalBlocker blockFilter(m_filter);
        m_filter->clear();
    }
    ApplyFilter();
    // Every record is read, deleted ones too: entry record - 1 is the one that was edited.
    const int entry = static_cast<int>(record) - 1;
    if (entry >= 0 && static_cast<size_t>(entry) < m_data.GetArticleCount()) {
        const QSignalBlocker blockDescription(m_byDescription->selectionModel());
        const QSignalBlocker blockCode(m_byCode->selectionModel());
        m_byDescription->SelectEntry(entry);
        m_byCode->SelectEntry(entry);
    }
    m_description->setPlainText(ToEditText(input.description));
    for (int k = 0; k < kArticleCodes; ++k)
        m_codes[static_cast<size_t>(k)]->setText(Str(input.codes[static_cast<size_t>(k)]));
}

void CDlgStammDatenEingabe::PickCode(int which) {
    if (!m_pickCode) return;
    QLineEdit* edit = m_codes[static_cast<size_t>(5 + which)];
    std::u16string code = edit->text().toStdU16String();
    if (m_pickCode(which, code)) edit->setText(Str(code));
    // The keyboard comes back to the box the list was opened from, also where no window manager
    // hands the activation back after the list closes: Return then saves as it did before.
    activateWindow();
    edit->setFocus(Qt::OtherFocusReason);
}

bool CDlgStammDatenEingabe::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::FocusIn) {
        int context = kHelpLists;
        m_nOriginFocus = -1;
        if (watched == m_description) {
            context = kHelpDescription;
        } else {
            for (int k = 0; k < kArticleCodes; ++k) {
                if (watched != m_codes[static_cast<size_t>(k)]) continue;
                context = k < 5 ? kHelpCode : kHelpOrigin;
                if (k >= 5) m_nOriginFocus = k - 5;
            }
        }
        m_defaults->setEnabled(m_nOriginFocus >= 0 && m_pickCode != nullptr);
        emit helpContextChanged(context);
    }
    return QDialog::eventFilter(watched, event);
}

void CDlgStammDatenEingabe::accept() {
    if (m_bEditing) return;                            // OK is possible only while viewing
    if (m_bSelectionMode && !HasShownEntry()) return;  // nothing chosen: the boxes keep their texts
    if (m_data.SaveArticles() != 0) {
        CMasterDataMessages(this).ShowMessage(mdstr::kWriteFailed);
        return;
    }
    m_result = EditedArticle();
    TrimRight(m_result.description);
    QDialog::accept();
}

void CDlgStammDatenEingabe::reject() {
    if (m_bEditing) {
        SetEditing(false);
        const int entry = m_byDescription->CurrentEntry();
        if (entry >= 0) {
            ShowEntry(entry, false);
        } else if (m_descriptionModel->rowCount() > 0) {
            m_byDescription->SelectEntry(m_descriptionModel->EntryAt(0));
        } else {
            m_description->clear();
            for (QLineEdit* e : m_codes) e->clear();
        }
        return;
    }
    m_result.description = TrimmedRight(FromEditText(m_description->toPlainText()));
    QDialog::reject();
}

}  // namespace tarvex
