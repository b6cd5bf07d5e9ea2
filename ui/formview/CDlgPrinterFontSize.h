#pragma once
// "Schriftgrößen für Druck": printer font percentages of the SAD and the D.V.1 (50 to 150).

#include <QDialog>

#include "core/common/HelpContexts.h"

class QSpinBox;

namespace tarvex {

class Profile;

class CDlgPrinterFontSize : public QDialog {
    Q_OBJECT
public:
    static constexpr int kHelpContext = help::kPrinterFontSize;
    CDlgPrinterFontSize(Profile& profile, QWidget* parent = nullptr);
    QSpinBox* SadSpin() const { return m_sad; }
    QSpinBox* Dv1Spin() const { return m_dv1; }

signals:
    void helpRequested();

public slots:
    void accept() override;

private:
    Profile& m_profile;
    QSpinBox* m_sad;
    QSpinBox* m_dv1;
};

}  // namespace tarvex
