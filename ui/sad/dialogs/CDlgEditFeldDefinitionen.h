#pragma once
// "Felddefinitionen anpassen": per SAD form variant and field, not editable / not printed / not
// shown. Works on the application's working tables; OK stores them, Cancel reloads the stored ones.

#include <QDialog>
#include <QString>
#include <functional>

#include "core/common/HelpContexts.h"

class QCheckBox;
class QComboBox;
class QPushButton;

namespace tarvex {

class Profile;
struct CFieldDefinitions;

class CDlgEditFeldDefinitionen : public QDialog {
    Q_OBJECT
public:
    static constexpr int kHelpContext = help::kFieldDefinitions;

    CDlgEditFeldDefinitionen(CFieldDefinitions& working, Profile& profile, Profile& programArea,
                             QWidget* parent = nullptr);

    QComboBox* VariantList() const { return m_pVariant; }
    QComboBox* FieldList() const { return m_pField; }
    QCheckBox* NotEditable() const { return m_pNotEditable; }
    QCheckBox* NotPrinted() const { return m_pNotPrinted; }
    QCheckBox* Hidden() const { return m_pHidden; }
    QPushButton* ResetButton() const { return m_pReset; }

    // The byte the current selection edits.
    uint8_t SelectedByte() const;

public slots:
    void accept() override;
    void reject() override;

signals:
    void helpRequested(int context);

private:
    void LoadChecks();
    void StoreChecks();

    CFieldDefinitions& m_defs;
    Profile& m_profile;
    Profile& m_programArea;
    QComboBox* m_pVariant;
    QComboBox* m_pField;
    QCheckBox* m_pNotEditable;
    QCheckBox* m_pNotPrinted;
    QCheckBox* m_pHidden;
    QPushButton* m_pReset;
};

// Command 32863 of the application: the documents must be closed before the definitions change,
// and a confirmed change restarts the program so that no view sees the tables change.
struct FieldDefinitionsCommand {
    std::function<void(const QString&)> message;
    std::function<bool()> closeAllDocuments;  // false when the user cancels a save prompt
    std::function<int()> runDialog;           // QDialog::Accepted or Rejected
    std::function<bool()> startNewInstance;   // the program, anew, without arguments
    std::function<void()> closeMainWindow;
};
// Returns true when the program is being restarted.
bool RunFieldDefinitionsCommand(const FieldDefinitionsCommand& cmd);
// Starts this program again without arguments.
bool StartProgramAnew();

}  // namespace tarvex
