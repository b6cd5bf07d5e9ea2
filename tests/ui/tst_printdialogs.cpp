#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTimer>
#include <QtTest>

#include "core/dv1/Dv1PrintForm.h"
#include "core/sad/SadPrintForm.h"
#include "core/settings/Profile.h"
#include "ui/formview/CDlgDrucken.h"
#include "ui/formview/CDlgPrinterFontSize.h"
#include "ui/formview/Common_CDlgPrintSizeCorr.h"
#include "ui/formview/Common_DlgMargin02.h"

using namespace tarvex;

namespace {

// Runs f on the modal dialog once it is shown.
template <class Dialog, class F>
void WhenShown(F f) {
    QTimer::singleShot(0, [f] {
        for (QWidget* w : QApplication::topLevelWidgets())
            if (auto* d = qobject_cast<Dialog*>(w); d && d->isVisible()) {
                f(d);
                return;
            }
        QFAIL("dialog not shown");
    });
}

void Snapshot(QWidget* w, const char* name) {
    const QString dir = qEnvironmentVariable("TARVEX_SCREENSHOT_DIR");
    if (!dir.isEmpty()) w->grab().save(dir + QLatin1Char('/') + QLatin1String(name) + QStringLiteral(".png"));
}

}  // namespace

class TestPrintDialogs : public QObject {
    Q_OBJECT

private slots:
    void marginCommandWritesOnlyAfterOk() {
        CMemoryProfile p;
        p.WriteProfileInt("DV1Form_Defaults", "Left_Margin1_DV1", 15);
        WhenShown<Common_DlgMargin02>([](Common_DlgMargin02* d) {
            QCOMPARE(d->HorizontalText(1), QStringLiteral("1.5 mm nach rechts"));
            for (int i = 0; i < 4; ++i) d->ClickStep(1, 0);
            QCOMPARE(d->HorizontalText(1), QStringLiteral("0.5 mm nach links"));
            d->DontShowBox(1)->setChecked(true);
            Snapshot(d, "margin-sheet");
            d->accept();
        });
        QCOMPARE(Common_DlgMargin02::RunMarginCommand(p, kDv1PrintForm, 0, nullptr), int(QDialog::Accepted));
        QCOMPARE(p.GetProfileInt("DV1Form_Defaults", "Left_Margin1_DV1", 0), -5);
        QCOMPARE(p.GetProfileInt("DV1Form_Defaults", "ShowMarginDlg", 0), 1);

        WhenShown<Common_DlgMargin02>([](Common_DlgMargin02* d) {
            d->ClickStep(2, 3);
            d->reject();
        });
        QCOMPARE(Common_DlgMargin02::RunMarginCommand(p, kSadPrintForm, 0, nullptr), int(QDialog::Rejected));
        QVERIFY(!p.Has("EHForm_Defaults", "Top_Margin2_EH"));
    }

    void sizeCorrectionChecksTheRange() {
        CMemoryProfile p;
        Common_CDlgPrintSizeCorr d(p, 0);
        QCOMPARE(d.VerticalEdit()->text(), QStringLiteral("100.0"));
        d.HorizontalEdit()->setText(QStringLiteral("96"));
        WhenShown<QMessageBox>([](QMessageBox* m) { m->accept(); });
        d.accept();
        QVERIFY(!p.Has("Settings", "PrnFactorH"));
        d.HorizontalEdit()->setText(QStringLiteral("100.5"));
        d.accept();
        QCOMPARE(p.GetProfileInt("Settings", "PrnFactorH", 0), 1005);
        QCOMPARE(p.GetProfileInt("Settings", "PrnFactorV", 0), 1000);
    }

    void printerFontSize() {
        CMemoryProfile p;
        p.WriteProfileInt("DV1Form_Defaults", "PrinterFontFactor", 120);
        CDlgPrinterFontSize d(p, {&kSadPrintForm, &kDv1PrintForm});
        QCOMPARE(d.Spin(0)->value(), 95);
        QCOMPARE(d.Spin(1)->value(), 120);
        d.Spin(0)->setValue(200);  // clamped by the range
        d.accept();
        QCOMPARE(p.GetProfileInt("EHForm_Defaults", "PrinterFontFactor", 0), 150);
        QCOMPARE(p.GetProfileInt("DV1Form_Defaults", "PrinterFontFactor", 0), 120);  // each row its form's
    }

    void printDialogPagesCopiesAndChooser() {
        CDlgDrucken d(kSadPrintForm, 3, QStringLiteral("PDF"), true, false);
        QCOMPARE(d.windowTitle(), QStringLiteral("Einheitspaier bedrucken"));
        QCOMPARE(d.PageList()->count(), 3);
        QCOMPARE(d.PageList()->itemText(2), QStringLiteral("Seite 3 drucken"));
        QCOMPARE(d.m_nDlgHelpContext, 123);
        Snapshot(&d, "print-dialog");
        d.PageList()->setCurrentIndex(1);
        d.CopiesEdit()->setText(QStringLiteral("0"));
        WhenShown<QMessageBox>([](QMessageBox* m) { m->accept(); });
        d.accept();
        QCOMPARE(d.result(), int(QDialog::Rejected));  // still open: refused
        d.CopiesEdit()->setText(QStringLiteral("3"));
        d.ReuseBox()->setChecked(true);
        d.accept();
        QCOMPARE(d.result(), int(QDialog::Accepted));
        QCOMPARE(d.m_nPage, 2);
        QCOMPARE(d.m_nCopies, 3);
        QCOMPARE(d.m_bReuse, 1);

        CDlgDrucken dv(kDv1PrintForm, 4, QStringLiteral("PDF"), false, false);
        QCOMPARE(dv.PageList()->itemText(3), QStringLiteral("Seite 4 drucken - D.V.1 BIS"));
        QCOMPARE(dv.m_nDlgHelpContext, 124);
    }

    // The pages of one job: one from the list, the page on screen, a range (either way round),
    // or all; the mode starts as last chosen and comes back as chosen.
    void printDialogRangesAndMode() {
        struct Case {
            const char* name;
            std::function<void(CDlgDrucken&)> choose;
            int first, last;
        } cases[] = {
            {"list", [](CDlgDrucken& d) { d.PageList()->setCurrentIndex(2); }, 3, 3},
            {"current", [](CDlgDrucken& d) { d.CurrentPageButton()->setChecked(true); }, 4, 4},
            {"range",
             [](CDlgDrucken& d) {
                 d.FromBox()->setValue(2);
                 d.ToBox()->setValue(3);
             },
             2, 3},
            {"reversed",
             [](CDlgDrucken& d) {
                 d.FromBox()->setValue(5);
                 d.ToBox()->setValue(2);
             },
             2, 5},
            {"all", [](CDlgDrucken& d) { d.AllPagesButton()->setChecked(true); }, 1, 5},
        };
        for (const Case& c : cases) {
            CDlgDrucken d(kSadPrintForm, 5, QStringLiteral("PDF"), true, false, nullptr, 4,
                          PrintMode::WithForm);
            QVERIFY(d.ModeButton(PrintMode::WithForm)->isChecked());
            c.choose(d);
            d.ModeButton(PrintMode::Preprinted)->setChecked(true);
            d.accept();
            QCOMPARE(d.result(), int(QDialog::Accepted));
            QVERIFY2(d.m_nFirstPage == c.first && d.m_nLastPage == c.last, c.name);
            QCOMPARE(d.m_nPage, c.first);
            QCOMPARE(d.m_printMode, PrintMode::Preprinted);
            QCOMPARE(d.m_bPreview, 0);
        }
        CDlgDrucken d(kSadPrintForm, 5, QStringLiteral("PDF"), true, false, nullptr, 2,
                      PrintMode::Preprinted);
        QVERIFY(d.ModeButton(PrintMode::Preprinted)->isChecked());
        QVERIFY(!d.ModeButton(PrintMode::WithForm)->isChecked());
        Snapshot(&d, "print-dialog-ranges");
        d.ModeButton(PrintMode::WithForm)->setChecked(true);
        d.PreviewButton()->click();
        QCOMPARE(d.result(), int(QDialog::Accepted));
        QCOMPARE(d.m_bPreview, 1);
        QCOMPARE(d.m_printMode, PrintMode::WithForm);
    }
};

QTEST_MAIN(TestPrintDialogs)
#include "tst_printdialogs.moc"
