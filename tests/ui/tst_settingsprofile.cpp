#include <sys/stat.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

#include "render/app/QSettingsProfile.h"

using namespace tarvex;

namespace {

// Inode and modification time (ns) of a file: a rewrite changes one of them.
std::pair<quint64, qint64> Identity(const QString& path) {
    struct stat st {};
    if (::stat(QFile::encodeName(path).constData(), &st) != 0) return {0, 0};
    return {quint64(st.st_ino), qint64(st.st_mtim.tv_sec) * 1000000000 + st.st_mtim.tv_nsec};
}

}  // namespace

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

    void valuesAlreadyStoredAreNotWrittenAgain() {
        QSettingsProfile p(QSettingsProfile::Area::ProgramArea);
        const uint8_t table[] = {1, 0, 0xFF, 4};
        auto writeAll = [&](int version) {
            QVERIFY(p.WriteProfileInt("", "Version", version));
            QVERIFY(p.WriteProfileInt("Settings", "Neg", -5));
            QVERIFY(p.WriteProfileString("", "Path", u"/opt/tarvex-import/bin"));
            QVERIFY(p.WriteProfileString("EHForm_Defaults", "Firma1", u"M\u00fcller, Hamburg"));
            QVERIFY(p.WriteProfileBinary("EHForm_Defaults", "FieldDef_EH1", table, sizeof table));
        };
        writeAll(0x01020304);
        const auto identity = Identity(p.FileName());
        const int commits = p.CommitCount();
        QVERIFY(identity.first != 0);

        // The same values again, from this instance and from a fresh one that reads the file,
        // and deletions of what is not there: the file stays as it is.
        writeAll(0x01020304);
        QVERIFY(!p.DeleteValue("Settings", "FieldDef_EH1"));
        QVERIFY(p.DeleteKey("Workspace"));
        QCOMPARE(p.CommitCount(), commits);
        QSettingsProfile fresh(QSettingsProfile::Area::ProgramArea);
        QVERIFY(fresh.WriteProfileInt("", "Version", 0x01020304));
        QVERIFY(fresh.WriteProfileBinary("EHForm_Defaults", "FieldDef_EH1", table, sizeof table));
        QVERIFY(fresh.WriteProfileString("EHForm_Defaults", "Firma1", u"M\u00fcller, Hamburg"));
        QCOMPARE(fresh.CommitCount(), 0);
        QCOMPARE(Identity(p.FileName()), identity);

        // A value that differs, in kind or content, is written and seen.
        QVERIFY(fresh.WriteProfileInt("", "Version", 0x01020305));
        QVERIFY(fresh.WriteProfileString("", "Neg", u"-5"));  // was an integer
        QCOMPARE(fresh.CommitCount(), 2);
        QCOMPARE(p.GetProfileInt("", "Version", 0), 0x01020305);
        const uint8_t changed[] = {1, 0, 0xFF, 5};
        QVERIFY(p.WriteProfileBinary("EHForm_Defaults", "FieldDef_EH1", changed, sizeof changed));
        std::vector<uint8_t> out;
        QVERIFY(fresh.GetProfileBinary("EHForm_Defaults", "FieldDef_EH1", out));
        QCOMPARE(out, std::vector<uint8_t>(changed, changed + 4));
    }

    void batchReachesTheFileOnceAtItsEnd() {
        QSettingsProfile p(QSettingsProfile::Area::Profile);
        QSettingsProfile other(QSettingsProfile::Area::Profile);
        QVERIFY(p.WriteProfileInt("Settings", "Language", 0));
        const int commits = p.CommitCount();
        const auto identity = Identity(p.FileName());
        {
            CProfileBatch batch(p);
            {
                CProfileBatch nested(p);
                QVERIFY(p.WriteProfileInt("Settings", "PrnFactorV", 1010));
            }
            QVERIFY(p.WriteProfileString("EHForm_Defaults", "Firma1", u"Muster GmbH"));
            QVERIFY(p.WriteProfileInt("EHForm_Defaults", "FieldSize_EH1", 616));
            QVERIFY(p.DeleteValue("Settings", "PrnFactorV"));
            QVERIFY(p.WriteProfileInt("Settings", "PrnFactorH", 990));
            // Seen at once in this program, in the file only at the end.
            QCOMPARE(p.GetProfileInt("EHForm_Defaults", "FieldSize_EH1", 0), 616);
            QCOMPARE(p.CommitCount(), commits);
            QCOMPARE(Identity(p.FileName()), identity);
        }
        QCOMPARE(p.CommitCount(), commits + 1);
        QVERIFY(Identity(p.FileName()) != identity);
        QFile file(p.FileName());
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QByteArray text = file.readAll();  // the bytes: QSettings of this process share a cache
        QVERIFY2(text.contains("PrnFactorH=990") && text.contains("Firma1=Muster GmbH") &&
                     !text.contains("PrnFactorV"),
                 text.constData());
        QCOMPARE(other.GetProfileInt("Settings", "PrnFactorH", 1000), 990);
        QCOMPARE(other.GetProfileInt("Settings", "PrnFactorV", 1000), 1000);
        QCOMPARE(other.GetProfileString("EHForm_Defaults", "Firma1", u""), std::u16string(u"Muster GmbH"));
        // A batch that changes nothing writes nothing.
        {
            CProfileBatch batch(p);
            QVERIFY(p.WriteProfileInt("Settings", "PrnFactorH", 990));
        }
        QCOMPARE(p.CommitCount(), commits + 1);
    }

    // The first start: no file yet, and the event loop turns while the batch is open (QSettings
    // would write by itself then). Nothing reaches the disk before the batch ends.
    void batchOnAMissingFileWritesItOnceAtItsEnd() {
        QSettingsProfile p(QSettingsProfile::Area::ProgramArea);
        QVERIFY(!QFile::exists(p.FileName()));
        {
            CProfileBatch batch(p);
            QVERIFY(p.WriteProfileInt("Settings", "PrnFactorV", 1010));
            QCoreApplication::processEvents();
            QVERIFY(p.WriteProfileString("EHForm_Defaults", "Firma1", u"Muster GmbH"));
            QCoreApplication::processEvents();
            QCOMPARE(p.GetProfileInt("Settings", "PrnFactorV", 0), 1010);
            QVERIFY2(!QFile::exists(p.FileName()), "written before the batch ended");
        }
        QCOMPARE(p.CommitCount(), 1);
        QSettingsProfile other(QSettingsProfile::Area::ProgramArea);
        QCOMPARE(other.GetProfileString("EHForm_Defaults", "Firma1", u""), std::u16string(u"Muster GmbH"));
        // Outside a batch every write is on the disk when it returns, without the event loop.
        QVERIFY(p.WriteProfileInt("Settings", "PrnFactorH", 990));
        QFile file(p.FileName());
        QVERIFY(file.open(QIODevice::ReadOnly));
        QVERIFY(file.readAll().contains("PrnFactorH=990"));
    }

private:
    std::unique_ptr<QTemporaryDir> m_dir;
};

QTEST_GUILESS_MAIN(TestSettingsProfile)
#include "tst_settingsprofile.moc"
