// The field-definitions dialog and command 32863.

#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QPushButton>
#include <QtTest>

#include "core/sad/FieldDefinitions.h"
#include "core/settings/Profile.h"
#include "ui/sad/dialogs/CDlgEditFeldDefinitionen.h"

using namespace tarvex;

class TestFieldDefinitions : public QObject {
    Q_OBJECT
private slots:
    void entriesAndSelection() {
        CMemoryProfile profile, program;
        CFieldDefinitions defs;
        LoadFieldDefinitions(defs, profile, program);
        CDlgEditFeldDefinitionen dlg(defs, profile, program);
        QCOMPARE(dlg.windowTitle(), QString("Felddefinitionen anpassen"));
        QCOMPARE(dlg.FieldList()->count(), 181);
        QCOMPARE(dlg.VariantList()->count(), 4);
        QCOMPARE(dlg.VariantList()->itemText(2), QString("Formular 0777/0778"));
        QCOMPARE(dlg.FieldList()->itemText(0), QString("Seite 1 - Feld 1 A"));
        QCOMPARE(dlg.FieldList()->itemText(17), QString("Seite 1 - Feld 8 (Nr.)"));
        QCOMPARE(dlg.FieldList()->itemText(102), QString("Seite 1 - D5"));
        QCOMPARE(dlg.FieldList()->itemText(103), QString("Seite 2 - Nummer"));
        QCOMPARE(dlg.FieldList()->itemText(113), QString("Seite 2 - 3 B"));
        QCOMPARE(dlg.FieldList()->itemText(180), QString("Seite 2 - 47 (Summe)"));
        // Variant 2, entry 17: box 8 number is not on that form: all three ticked.
        dlg.VariantList()->setCurrentIndex(2);
        dlg.FieldList()->setCurrentIndex(17);
        QVERIFY(dlg.NotEditable()->isChecked());
        QVERIFY(dlg.NotPrinted()->isChecked());
        QVERIFY(dlg.Hidden()->isChecked());
        // Entry 113 is continuation field 10 (box 3 B), editable on every form.
        dlg.FieldList()->setCurrentIndex(113);
        QVERIFY(!dlg.NotEditable()->isChecked());
        QVERIFY(!dlg.Hidden()->isChecked());
        // Entry 109 is continuation field 6 (stamp A line 6), off on every form.
        dlg.VariantList()->setCurrentIndex(0);
        dlg.FieldList()->setCurrentIndex(109);
        QVERIFY(dlg.Hidden()->isChecked());
    }

    void checkBoxesWriteTheSelectedByte() {
        CMemoryProfile profile, program;
        CFieldDefinitions defs;
        LoadFieldDefinitions(defs, profile, program);
        CDlgEditFeldDefinitionen dlg(defs, profile, program);
        dlg.VariantList()->setCurrentIndex(1);
        dlg.FieldList()->setCurrentIndex(103 + 9);  // continuation field 9 (box 3 A)
        QCOMPARE(dlg.SelectedByte(), uint8_t(0));
        dlg.NotPrinted()->click();
        QCOMPARE(defs.Get(2, 9, 1), uint8_t(0x01));
        dlg.Hidden()->click();
        QCOMPARE(defs.Get(2, 9, 1), uint8_t(0x09));
        QCOMPARE(defs.Get(2, 9, 0), uint8_t(0));
        dlg.NotPrinted()->click();
        QCOMPARE(defs.Get(2, 9, 1), uint8_t(0x08));
    }

    void resetThenCancelKeepsTheStoredTables() {
        CMemoryProfile profile, program;
        CFieldDefinitions defs;
        LoadFieldDefinitions(defs, profile, program);
        // A stored change: field 16 of variant 0 not printed.
        defs.Set(1, 16, 0, kDefNotPrinted);
        SaveFieldDefinitions(defs, profile, program);
        {
            CDlgEditFeldDefinitionen dlg(defs, profile, program);
            dlg.ResetButton()->click();
            QCOMPARE(defs.Get(1, 16, 0), uint8_t(0));
            dlg.reject();
        }
        QCOMPARE(defs.Get(1, 16, 0), kDefNotPrinted);
        std::vector<uint8_t> stored;
        QVERIFY(program.GetProfileBinary("EHForm_Defaults", "FieldDef_EH1", stored));
        QCOMPARE(stored[16 * 4], kDefNotPrinted);
        {
            CDlgEditFeldDefinitionen dlg(defs, profile, program);
            dlg.ResetButton()->click();
            dlg.accept();
            QCOMPARE(dlg.result(), int(QDialog::Accepted));
        }
        QVERIFY(program.GetProfileBinary("EHForm_Defaults", "FieldDef_EH1", stored));
        QCOMPARE(stored[16 * 4], uint8_t(0));
        QCOMPARE(profile.GetProfileInt("EHForm_Defaults", "FieldSize_EH2", 0), 856);
    }

    void commandClosesDocumentsAndRestartsOnlyAfterOk() {
        struct Case {
            bool closeOk;
            int dialogResult;
            bool restarted;
            int dialogs;
        } cases[] = {{false, QDialog::Accepted, false, 0},
                     {true, QDialog::Rejected, false, 1},
                     {true, QDialog::Accepted, true, 1}};
        for (const auto& c : cases) {
            QStringList messages;
            int dialogs = 0, starts = 0, closes = 0;
            FieldDefinitionsCommand cmd;
            cmd.message = [&](const QString& m) { messages << m; };
            cmd.closeAllDocuments = [&] { return c.closeOk; };
            cmd.runDialog = [&] {
                ++dialogs;
                return c.dialogResult;
            };
            cmd.startNewInstance = [&] {
                ++starts;
                return true;
            };
            cmd.closeMainWindow = [&] { ++closes; };
            QCOMPARE(RunFieldDefinitionsCommand(cmd), c.restarted);
            QCOMPARE(messages.size(), 1);
            QVERIFY(
                messages[0].startsWith("Die Formulardefinitionen können nicht bei geöffneten Dokumenten"));
            QCOMPARE(dialogs, c.dialogs);
            QCOMPARE(starts, c.restarted ? 1 : 0);
            QCOMPARE(closes, c.restarted ? 1 : 0);
        }
    }
};

QTEST_MAIN(TestFieldDefinitions)
#include "tst_fielddefinitions.moc"
