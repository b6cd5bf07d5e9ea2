#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

#include "render/app/QSettingsProfile.h"

using namespace tarvex;

class TestSettingsProfile : public QObject {
    Q_OBJECT

private slots:
    void init() {
        m_dir = std::make_unique<QTemporaryDir>();
        qputenv("TARVEX_SETTINGS_DIR", m_dir->path().toLocal8Bit());
    }

    void writesAreSeenByTheNextReadOfAnotherInstance() {
        QSettingsProfile a(QSettingsProfile::Area::Profile);
        QSettingsProfile b(QSettingsProfile::Area::Profile);
        QCOMPARE(b.GetProfileInt("Settings", "PrnFactorV", 1000), 1000);
        QVERIFY(a.WriteProfileInt("Settings", "PrnFactorV", 1010));
        QCOMPARE(b.GetProfileInt("Settings", "PrnFactorV", 1000), 1010);
        QVERIFY(a.WriteProfileString("EHForm_Defaults", "Firma1", u"M\u00fcller & S\u00f6hne GmbH"));
        QCOMPARE(b.GetProfileString("EHForm_Defaults", "Firma1", u""),
                 std::u16string(u"M\u00fcller & S\u00f6hne GmbH"));
        const uint8_t bytes[] = {0, 0x0B, 0xFF, 2};
        QVERIFY(a.WriteProfileBinary("EHForm_Defaults", "Blob", bytes, sizeof bytes));
        std::vector<uint8_t> out;
        QVERIFY(b.GetProfileBinary("EHForm_Defaults", "Blob", out));
        QCOMPARE(out, std::vector<uint8_t>(bytes, bytes + 4));
        QVERIFY(!b.GetProfileBinary("EHForm_Defaults", "Missing", out));
        // Integers are 32-bit values handed on as int.
        QVERIFY(a.WriteProfileInt("Settings", "Neg", -5));
        QCOMPARE(b.GetProfileInt("Settings", "Neg", 0), -5);
    }

    void areasAreSeparateAndRedirected() {
        QSettingsProfile profile(QSettingsProfile::Area::Profile);
        QSettingsProfile program(QSettingsProfile::Area::ProgramArea);
        QSettingsProfile machine(QSettingsProfile::Area::MachineArea);
        profile.WriteProfileInt("EHForm_Defaults", "X", 1);
        program.WriteProfileInt("EHForm_Defaults", "X", 2);
        machine.WriteProfileInt("", "Version", 3);
        QCOMPARE(profile.GetProfileInt("EHForm_Defaults", "X", 0), 1);
        QCOMPARE(program.GetProfileInt("EHForm_Defaults", "X", 0), 2);
        for (auto* p : {&profile, &program, &machine})
            QVERIFY2(p->FileName().startsWith(m_dir->path()), qPrintable(p->FileName()));
        QVERIFY(profile.FileName().contains("Dalrek"));
        QVERIFY(program.FileName().contains("KTW"));
        QVERIFY(program.FileName() != machine.FileName());
    }

    void deletingKeysAndValues() {
        QSettingsProfile p(QSettingsProfile::Area::Profile);
        p.WriteProfileInt("Workspace", "A", 1);
        p.WriteProfileInt("Workspace/Bars", "B", 2);
        p.WriteProfileInt("Font", "EFont0", 40);
        p.WriteProfileInt("Settings", "Language", 1);
        QVERIFY(p.DeleteValue("Settings", "Language"));
        QVERIFY(!p.DeleteValue("Settings", "Language"));
        QCOMPARE(p.GetProfileInt("Settings", "Language", 0), 0);
        QVERIFY(p.DeleteKey("Workspace"));
        QCOMPARE(p.GetProfileInt("Workspace", "A", 0), 0);
        QCOMPARE(p.GetProfileInt("Workspace/Bars", "B", 0), 0);
        QCOMPARE(p.GetProfileInt("Font", "EFont0", 30), 40);
        QVERIFY(p.DeleteKey(""));
        QCOMPARE(p.GetProfileInt("Font", "EFont0", 30), 30);
    }

private:
    std::unique_ptr<QTemporaryDir> m_dir;
};

QTEST_GUILESS_MAIN(TestSettingsProfile)
#include "tst_settingsprofile.moc"
