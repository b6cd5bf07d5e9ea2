#pragma once
// "Voreinstellungen und Vorgabetexte (Einheitspapier)": the defaults of new SAD documents. OK
// stores the record and the two stamp switches, which act at once through the field definitions.

#include <QDialog>
#include <functional>

#include "core/common/HelpContexts.h"
#include "core/sad/SadFormDefaults.h"

class QCheckBox;
class QComboBox;
class QLineEdit;
class QPlainTextEdit;

namespace tarvex {

class Profile;
struct CFieldDefinitions;

class CDlgDefaultTexte_EH : public QDialog {
    Q_OBJECT
public:
    static constexpr int kHelpContext = help::kDefaultTexts;

    CDlgDefaultTexte_EH(Profile& profile, CFieldDefinitions& definitions, Profile& programArea,
                        QWidget* parent = nullptr);

    // The record as the controls hold it.
    SadFormDefaults Record() const;

    // Asked before an address that box 8 cannot hold is stored; true stores it cut. Tests answer here.
    std::function<bool(const QString& text)> m_confirmAddress;

    QPlainTextEdit* AddressEdit() const { return m_pAddress; }
    QLineEdit* ZollNummer1Edit() const { return m_pZollNummer1; }
    QLineEdit* ZollNummer2Edit() const { return m_pZollNummer2; }
    QComboBox* AnmelderCombo() const { return m_pAnmelder; }
    QComboBox* State17Combo() const { return m_pState17; }
    QComboBox* State34Combo() const { return m_pState34; }
    QCheckBox* Check(int id) const;

public slots:
    void accept() override;

signals:
    void helpRequested(int context);

private:
    QCheckBox* AddCheck(int id, const char16_t* text, const char16_t* tip);

    Profile& m_profile;
    CFieldDefinitions& m_definitions;
    Profile& m_programArea;
    QPlainTextEdit* m_pAddress;
    QLineEdit* m_pZollNummer1;
    QLineEdit* m_pZollNummer2;
    QComboBox* m_pAnmelder;
    QComboBox* m_pState17;
    QComboBox* m_pState34;
    QList<QCheckBox*> m_checks;
};

}  // namespace tarvex
