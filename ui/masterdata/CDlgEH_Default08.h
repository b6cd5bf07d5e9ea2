#pragma once
// "Adressdaten": the address database. Lists the stored addresses (sorted, with a search field),
// shows one, edits it or a new one and hands the chosen address to the SAD view. Every save goes
// to the table at once; addresses are never deleted here.

#include <QDialog>
#include <filesystem>
#include <memory>
#include <vector>

#include "core/masterdata/AddressDatabase.h"

class QLineEdit;
class QPlainTextEdit;
class QPushButton;

namespace tarvex {

class Profile;
class CMasterDataListModel;
class CMasterDataListView;

class CDlgEH_Default08 : public QDialog {
    Q_OBJECT
public:
    // Reads the table path (and writes the default path back when none is stored).
    CDlgEH_Default08(Profile& profile, const std::filesystem::path& dataFolder, QWidget* parent = nullptr);
    ~CDlgEH_Default08() override;

    // The box's current text; shown until the list shows a record.
    void SetAddress(const std::u16string& text) { m_strAddress = text; }
    // 1 when the table is open (after the question to create it, when it could not be opened).
    int OpenOrCreate();
    void CloseTable() { m_db.CloseTable(); }
    const std::u16string& Address() const { return m_strAddress; }
    const std::u16string& CustomsNumber() const { return m_strCustomsNumber; }
    const std::filesystem::path& TablePath() const { return m_db.Path(); }

    // For tests and the screenshots.
    CMasterDataListView* List() const { return m_list; }
    QPlainTextEdit* AddressEdit() const { return m_addressEdit; }
    QLineEdit* NumberEdit() const { return m_numberEdit; }
    QLineEdit* FilterEdit() const { return m_filter; }
    QPushButton* OkButton() const { return m_ok; }
    QPushButton* EditButton() const { return m_editButton; }
    QPushButton* NewButton() const { return m_newButton; }
    QPushButton* ImportButton() const { return m_importButton; }
    QPushButton* ExportButton() const { return m_exportButton; }
    bool IsEditing() const { return m_bEditing; }

public slots:
    void accept() override;
    void reject() override;

protected:
    void showEvent(QShowEvent* e) override;

private:
    void FillList();
    void ApplyFilter();
    void ShowRecord(int entry);
    void SetEditing(bool editing, bool newRecord);
    // True when the list's selected entry is the record the edits show.
    bool HasShownEntry() const;
    void UpdateTakeOver();
    // After "Nein" to the question what would be cut: the caret to the first text that does not fit.
    void FocusMisfit(const std::u16string& text, const std::u16string& number);
    // Saves the edits; false when the user goes back to correct them or the write failed.
    bool Save();
    std::u16string EditedText() const;

    CAddressDatabase m_db;
    std::u16string m_strAddress;
    std::u16string m_strCustomsNumber;
    bool m_bEditing = false;
    bool m_bNewRecord = false;
    bool m_bFilled = false;
    int m_nShownEntry = -1;  // the entry whose record the edits show
    // Entry i: record number and ADRESS1; m_search: the folded text of every field for the search.
    std::vector<CAddressDatabase::Entry> m_entries;
    std::vector<std::u16string> m_search;

    CMasterDataListModel* m_model;
    CMasterDataListView* m_list;
    QLineEdit* m_filter;
    QPlainTextEdit* m_addressEdit;
    QLineEdit* m_numberEdit;
    QPushButton* m_editButton;
    QPushButton* m_newButton;
    QPushButton* m_ok;
    QPushButton* m_cancel;
    QPushButton* m_importButton;
    QPushButton* m_exportButton;
};

}  // namespace tarvex
