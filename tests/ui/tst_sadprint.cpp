// Prints SAD pages to PDF and reads the positions back with poppler's pdftotext and pdftoppm.

#include <QImage>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>

#include "core/app/Profile.h"
#include "core/formview/FieldDefinitions.h"
#include "core/formview/PrintCorrections.h"
#include "core/sad/AefFormat.h"
#include "core/sad/EinheitspapierDoc.h"
#include "core/sad/SadLayout.h"
#include "render/sad/SadPrinter.h"
#include "ui/sad/CEinheitspapierView.h"

using namespace tarvex;

namespace {

struct Word {
    double xMin, yMin, xMax, yMax;  // 0.1 mm
};

constexpr double kTenthsPerPoint = 254.0 / 72.0;

QHash<QString, Word> ReadWords(const QString& pdf, int page) {
    QProcess p;
    p.start(QStringLiteral("pdftotext"),
            {QStringLiteral("-bbox"), QStringLiteral("-f"), QString::number(page), QStringLiteral("-l"),
             QString::number(page), pdf, QStringLiteral("-")});
    if (!p.waitForFinished(30000) || p.exitCode() != 0) return {};
    QHash<QString, Word> words;
    static const QRegularExpression re(QStringLiteral(
        R"re(<word xMin="([\d.]+)" yMin="([\d.]+)" xMax="([\d.]+)" yMax="([\d.]+)">([^<]*)</word>)re"));
    auto it = re.globalMatch(QString::fromUtf8(p.readAllStandardOutput()));
    while (it.hasNext()) {
        const auto m = it.next();
        words.insert(
            m.captured(5),
            {m.captured(1).toDouble() * kTenthsPerPoint, m.captured(2).toDouble() * kTenthsPerPoint,
             m.captured(3).toDouble() * kTenthsPerPoint, m.captured(4).toDouble() * kTenthsPerPoint});
    }
    return words;
}

// Where the page step puts a field's rectangle, in 0.1 mm from the page's top-left corner.
PrintRect Expected(Profile& profile, SadSheet sheet, int field, int page) {
    const PrintOrigin o = SadPrintOrigin(profile, page);
    const SadRect r = SadPrintRectAt(sheet, field, o.x0, o.y0);
    const PrintRect c = ApplyPrintSizeCorrection({r.left + 2, r.top, r.right + 2, r.bottom},
                                                 profile.GetProfileInt("Settings", "PrnFactorV", 1000),
                                                 profile.GetProfileInt("Settings", "PrnFactorH", 1000));
    return {c.left, -c.top, c.right, -c.bottom};
}

}  // namespace

class TestSadPrint : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() {
        QVERIFY2(!QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty(),
                 "pdftotext (poppler-utils) is needed");
        QVERIFY(m_dir.isValid());
    }

    void fieldPositions_data() {
        QTest::addColumn<int>("left");
        QTest::addColumn<int>("top");
        QTest::addColumn<int>("left2");
        QTest::addColumn<int>("top2");
        QTest::addColumn<int>("factorV");
        QTest::addColumn<int>("factorH");
        QTest::newRow("margins 0") << 0 << 0 << 0 << 0 << 1000 << 1000;
        QTest::newRow("shifted") << 25 << 10 << -15 << -20 << 1000 << 1000;
        QTest::newRow("size correction") << 5 << -5 << 10 << 0 << 990 << 1010;
    }

    void fieldPositions() {
        QFETCH(int, left);
        QFETCH(int, top);
        QFETCH(int, left2);
        QFETCH(int, top2);
        QFETCH(int, factorV);
        QFETCH(int, factorH);
        CMemoryProfile profile;
        profile.WriteProfileInt("EHForm_Defaults", "Left_Margin_EH", left);
        profile.WriteProfileInt("EHForm_Defaults", "Top_Margin_EH", top);
        profile.WriteProfileInt("EHForm_Defaults", "Left_Margin2_EH", left2);
        profile.WriteProfileInt("EHForm_Defaults", "Top_Margin2_EH", top2);
        profile.WriteProfileInt("Settings", "PrnFactorV", factorV);
        profile.WriteProfileInt("Settings", "PrnFactorH", factorH);
        CFieldDefinitions defs;
        defs.ResetToBuiltIn();
        CEinheitspapierDoc doc(&profile);
        doc.m_nFormVariant = 0;
        // Left-aligned texts in boxes spread over both sheets, one right-aligned amount.
        const int firstFields[] = {0, 10, 21, 52, 69, 96};
        for (int f : firstFields)
            doc.Store().SetFieldText(f, QStringLiteral("W1f%1").arg(f).toStdU16String(), 1);
        doc.Store().SetFieldText(118, u"R1f118", 1);
        doc.Store().SetFieldFlags(118, 1, 0x0203);
        const int contFields[] = {8, 11, 53, 77};  // 0-6 are not printed in variant 0
        for (int f : contFields)
            doc.Store().SetFieldText(f, QStringLiteral("W2f%1").arg(f).toStdU16String(), 2);

        for (int page : {1, 2}) {
            const QString pdf = m_dir.filePath(QStringLiteral("p%1.pdf").arg(page));
            QString error;
            QVERIFY2(PrintSadToPdf(pdf, doc, page, 1, profile, defs, error), qPrintable(error));
            const auto words = ReadWords(pdf, 1);
            QVERIFY(!words.isEmpty());
            const SadSheet sheet = page == 1 ? SadSheet::First : SadSheet::Continuation;
            const auto check = [&](const QString& word, SadSheet s, int field, int onPage, bool right) {
                QVERIFY2(words.contains(word), qPrintable(word));
                const Word w = words.value(word);
                const PrintRect r = Expected(profile, s, field, onPage);
                if (right)
                    QVERIFY2(
                        qAbs(w.xMax - (r.right - 12)) <= 1.0,
                        qPrintable(word + QString(" xMax %1 expected %2").arg(w.xMax).arg(r.right - 12)));
                else
                    QVERIFY2(qAbs(w.xMin - (r.left + 10)) <= 1.0,
                             qPrintable(word + QString(" xMin %1 expected %2").arg(w.xMin).arg(r.left + 10)));
                QVERIFY2(qAbs(w.yMin - r.top) <= 1.0,
                         qPrintable(word + QString(" yMin %1 expected %2").arg(w.yMin).arg(r.top)));
            };
            if (page == 1) {
                for (int f : firstFields) check(QStringLiteral("W1f%1").arg(f), sheet, f, 1, false);
                check(QStringLiteral("R1f118"), sheet, 118, 1, true);
            } else {
                for (int f : contFields) check(QStringLiteral("W2f%1").arg(f), sheet, f, 2, false);
                // Box 1 of the first sheet comes along, at its first-sheet place with this sheet's margins.
                check(QStringLiteral("W1f0"), SadSheet::First, 0, 2, false);
                QVERIFY(!words.contains(QStringLiteral("W1f10")));
            }
        }
    }

    void notPrintedFieldsAndCopies() {
        CMemoryProfile profile;
        CFieldDefinitions defs;
        defs.ResetToBuiltIn();
        CEinheitspapierDoc doc(&profile);
        doc.m_nFormVariant = 0;
        doc.Store().SetFieldText(2, u"Hidden1C", 1);  // Feld 1 C: not printed in variant 0
        doc.Store().SetFieldText(10, u"Shown", 1);
        const QString pdf = m_dir.filePath(QStringLiteral("copies.pdf"));
        QString error;
        QVERIFY(PrintSadToPdf(pdf, doc, 1, 3, profile, defs, error));
        for (int page = 1; page <= 3; ++page) {
            const auto words = ReadWords(pdf, page);
            QVERIFY(words.contains(QStringLiteral("Shown")));
            QVERIFY(!words.contains(QStringLiteral("Hidden1C")));
        }
        QVERIFY(ReadWords(pdf, 4).isEmpty());
        // Still repeated on a continuation sheet, whatever the definitions say.
        QVERIFY(PrintSadToPdf(pdf, doc, 2, 1, profile, defs, error));
        QVERIFY(ReadWords(pdf, 1).contains(QStringLiteral("Hidden1C")));
    }

    void registrationMarkAndInputTaxCross() {
        QVERIFY2(!QStandardPaths::findExecutable(QStringLiteral("pdftoppm")).isEmpty(), "pdftoppm is needed");
        CMemoryProfile profile;
        CFieldDefinitions defs;
        defs.ResetToBuiltIn();
        CEinheitspapierDoc doc(&profile);
        doc.m_nFormVariant = 1;
        doc.m_nInputTax = 1;
        const QString pdf = m_dir.filePath(QStringLiteral("marks.pdf"));
        QString error;
        QVERIFY(PrintSadToPdf(pdf, doc, 1, 1, profile, defs, error));
        // 254 dpi: one pixel is 0.1 mm.
        QProcess p;
        const QString base = m_dir.filePath(QStringLiteral("marks"));
        p.start(QStringLiteral("pdftoppm"),
                {QStringLiteral("-r"), QStringLiteral("254"), QStringLiteral("-gray"), QStringLiteral("-png"),
                 QStringLiteral("-singlefile"), pdf, base});
        QVERIFY(p.waitForFinished(60000));
        QImage img(base + QStringLiteral(".png"));
        QVERIFY(!img.isNull());
        // Lines one unit wide land within one pixel of their nominal place.
        auto dark = [&](int x, int y) {
            for (int dy = -1; dy <= 1; ++dy)
                for (int dx = -1; dx <= 1; ++dx)
                    if (qGray(img.pixel(x + dx, y + dy)) < 128) return true;
            return false;
        };
        // Corner of the first-sheet mark: 14.5 mm right, 7 mm down; one arm down, one to the right.
        QVERIFY(dark(145, 70));
        QVERIFY(dark(145, 85));
        QVERIFY(dark(160, 70));
        QVERIFY(!dark(145, 60));
        QVERIFY(!dark(135, 70));
        QVERIFY(!dark(155, 80));
        // The lower mark runs from 200 to 204 mm.
        QVERIFY(dark(145, 2020));
        QVERIFY(!dark(145, 2060));
        // Input-tax cross over the square (245..275, 148.5..151.5 mm).
        QVERIFY(dark(260, 1500));
        QVERIFY(dark(247, 1487));
        QVERIFY(dark(273, 1487));
        QVERIFY(!dark(260, 1489));

        // Never in variant 2.
        doc.m_nFormVariant = 2;
        QVERIFY(PrintSadToPdf(pdf, doc, 1, 1, profile, defs, error));
        p.start(QStringLiteral("pdftoppm"),
                {QStringLiteral("-r"), QStringLiteral("254"), QStringLiteral("-gray"), QStringLiteral("-png"),
                 QStringLiteral("-singlefile"), pdf, base});
        QVERIFY(p.waitForFinished(60000));
        img = QImage(base + QStringLiteral(".png"));
        QVERIFY(dark(145, 70));
        QVERIFY(!dark(260, 1500));
    }

    // `tarvex pdf` and the program's print command print the same page: the document is read as
    // the program opens it into its view, whatever the file's form code, with the boxes the view
    // leaves out of the variant.
    void cliPrintsTheProgramsPage_data() {
        QTest::addColumn<int>("variant");
        QTest::newRow("0737 / 0738") << 0;
        QTest::newRow("0777 / 0778") << 2;
        QTest::newRow("unknown form code") << -1;
    }

    void cliPrintsTheProgramsPage() {
        QFETCH(int, variant);
        SadViewEnvironment env;
        env.message = [](const QString&) {};
        env.beep = [] {};
        CMemoryProfile profile;
        CEinheitspapierDoc doc(&profile);
        doc.m_nFormVariant = variant;
        CFieldStore& s = doc.Store();
        for (int i = 0; i < s.GetFieldCount1(); ++i)
            s.SetFieldText(i, QStringLiteral("A%1").arg(i).toStdU16String(), 1);
        for (int i = 0; i < s.GetFieldCount2(); ++i)
            s.SetFieldText(i, QStringLiteral("B%1").arg(i).toStdU16String(), 2);
        const QString file = m_dir.filePath(QStringLiteral("every-box.aef"));
        std::string error;
        QVERIFY(SaveAefFile(file.toStdString(), doc, error));

        CEinheitspapierDoc opened(&profile);
        QVERIFY(LoadAefFile(file.toStdString(), opened, error));
        CFieldDefinitions defs;
        defs.ResetToBuiltIn();
        CEinheitspapierView view(&opened, env, defs);
        QTemporaryDir settings;
        for (int page : {1, 2}) {
            const QString program = m_dir.filePath(QStringLiteral("program.pdf"));
            const QString cli = m_dir.filePath(QStringLiteral("cli.pdf"));
            QString message;
            QVERIFY(PrintSadToPdf(program, opened, page, 1, profile, view.Definitions(), message));
            QProcess tarvex;
            QProcessEnvironment e = QProcessEnvironment::systemEnvironment();
            e.insert(QStringLiteral("TARVEX_SETTINGS_DIR"), settings.path());
            tarvex.setProcessEnvironment(e);
            tarvex.start(QStringLiteral(TARVEX_CLI_PATH),
                         {QStringLiteral("pdf"), file, QStringLiteral("--page"), QString::number(page),
                          QStringLiteral("-o"), cli});
            QVERIFY(tarvex.waitForFinished(60000));
            QCOMPARE(tarvex.exitCode(), 0);
            const auto expected = ReadWords(program, 1);
            const auto got = ReadWords(cli, 1);
            // Crossed-out and not printed boxes are missing from both.
            QVERIFY(expected.size() < (page == 1 ? kSadFirstFieldCount : kSadContinuationFieldCount));
            QCOMPARE(QSet<QString>(got.keyBegin(), got.keyEnd()),
                     QSet<QString>(expected.keyBegin(), expected.keyEnd()));
            for (auto it = expected.begin(); it != expected.end(); ++it) {
                const Word& w = got.value(it.key());
                QVERIFY2(qAbs(w.xMin - it->xMin) < 0.5 && qAbs(w.yMin - it->yMin) < 0.5,
                         qPrintable(it.key()));
            }
        }
    }

private:
    QTemporaryDir m_dir;
};

QTEST_MAIN(TestSadPrint)
#include "tst_sadprint.moc"
