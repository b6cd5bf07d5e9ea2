#pragma once
// "Stammdateneingabe": the article master data. Both sorted lists (by description and by
// commodity code) with one search field above them; entries are added and edited here (entry
// mode, from the main frame) or one is picked for box 31 of a goods item (selection mode, F2).

#include <QDialog>
#include <array>
#include <filesystem>
#include <functional>
#include <vector>

#include "core/common/HelpContexts.h"
#include "core/masterdata/TarvexStammDaten.h"

class QGroupBox;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QTimer;

namespace tarvex {

class Profile;
class CMasterDataListModel;
class CMasterDataListView;

class CDlgStammDatenEingabe : public QDialog {
    Q_OBJECT
public:
    // Help contexts by the control that has the focus.
    static constexpr int kHelpLists = help::kMasterDataLists, kHelpDescription = help::SadBox(31),
                         kHelpCode = help::SadBox(33), kHelpOrigin = help::SadBox(34);

    CDlgStammDatenEingabe(Profile& profile, const std::filesystem::path& dataFolder,
                          QWidget* parent = nullptr);
    ~CDlgStammDatenEingabe() override;

    // Before Initialise: 1 = selection mode ("Stammdatenauswahl", "Übernehmen").
    void SetSelectionMode(bool on) { m_bSelectionMode = on; }
    // Picks a code for box 34 A (which 0) or 34 B (1); the country and federal-state lists unless
    // replaced (tests).
    void SetCodePicker(std::function<bool(int which, std::u16string& code)> picker) {
        m_pickCode = std::move(picker);
    }
    // Reads the settings and the table (with a progress window for a large table) and fills the
    // lists; call before exec.
    void Initialise();

    // The entry taken over (OK): the description without trailing white space and the seven codes.
    const CArticle& Result() const { return m_result; }

    // For tests and the screenshots.
    CTarvexStammDaten& Data() { return m_data; }
    CMasterDataListView* DescriptionList() const { return m_byDescription; }
    CMasterDataListView* CodeList() const { return m_byCode; }
    QLineEdit* FilterEdit() const { return m_filter; }
    QPlainTextEdit* DescriptionEdit() const { return m_description; }
    QLineEdit* CodeEdit(int k) const { return m_codes[static_cast<size_t>(k)]; }
    QPushButton* EditSaveButton() const { return m_editSave; }
    QPushButton* NewButton() const { return m_new; }
    QPushButton* OkButton() const { return m_ok; }
    QPushButton* DefaultsButton() const { return m_defaults; }
    QPushButton* ImportButton() const { return m_import; }
    QPushButton* ExportButton() const { return m_export; }
    bool IsEditing() const { return m_bEditing; }

signals:
    void helpRequested(int context);
    void helpContextChanged(int context);

public slots:
    void accept() override;
    void reject() override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void RebuildOrders();
    void ApplyFilter();
    void ShowEntry(int entry, bool fromCodeList);
    void SetEditing(bool editing);
    // True when the description list's selected entry is the one the edits show.
    bool HasShownEntry() const;
    void UpdateTakeOver();
    void FocusMisfit(const CArticle& article);
    void StartNewEntry();
    void SaveEdit();
    // After a save refused because another clerk changed the record: the list as the table holds
    // it now, the same record selected, the input kept in the edits.
    void ReloadKeepingInput(int32_t record);
    CArticle EditedArticle() const;
    void PickCode(int which);

    Profile& m_profile;
    std::filesystem::path m_dataFolder;
    CTarvexStammDaten m_data;
    CArticle m_result;
    bool m_bSelectionMode = false;
    bool m_bEditing = false;
    bool m_bNewEntry = false;
    int m_nOriginFocus = -1;  // 0 / 1 while an origin edit has the focus
    int m_nShownEntry = -1;   // the entry the edits show
    std::function<bool(int, std::u16string&)> m_pickCode;
    std::vector<int> m_orderDescription, m_orderCode;
    QString m_lastDescription;

    QGroupBox* m_selectionGroup;
    QGroupBox* m_inputGroup;
    QLineEdit* m_filter;
    QTimer* m_filterTimer;
    CMasterDataListModel* m_descriptionModel;
    CMasterDataListModel* m_codeModel;
    CMasterDataListView* m_byDescription;
    CMasterDataListView* m_byCode;
    QPlainTextEdit* m_description;
    std::array<QLineEdit*, kArticleCodes> m_codes{};
    QPushButton* m_defaults;
    QPushButton* m_new;
    QPushButton* m_editSave;
    QPushButton* m_ok;
    QPushButton* m_cancel;
    QPushButton* m_help;
    QPushButton* m_import;
    QPushButton* m_export;
};

}  // namespace tarvex
