// Prints SAD pages to PDF and reads the positions back with poppler's pdftotext and pdftoppm.

#include <QDir>
#include <QFileInfo>
#include <QImage>
#include <QPainter>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>

#include "core/dv1/Dv1Doc.h"
#include "core/dv1/Dv1Geometry.h"
#include "core/formview/PrintCorrections.h"
#include "core/sad/AefFormat.h"
#include "core/sad/EinheitspapierDoc.h"
#include "core/sad/FieldDefinitions.h"
#include "core/sad/SadLayout.h"
#include "core/sad/SadPrintForm.h"
#include "core/settings/Profile.h"
#include "render/app/PrintJob.h"
#include "render/dv1/Dv1PrintSource.h"
#include "render/sad/SadPrinter.h"
#include "ui/formview/CDlgDruckvorschau.h"
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

// A page of a PDF as a 254 dpi grey picture: one pixel is 0.1 mm.
QImage PdfPageImage(const QString& pdf, int page, const QString& base) {
    QProcess p;
    p.start(QStringLiteral("pdftoppm"),
            {QStringLiteral("-r"), QStringLiteral("254"), QStringLiteral("-gray"), QStringLiteral("-png"),
             QStringLiteral("-f"), QString::number(page), QStringLiteral("-l"), QString::number(page),
             QStringLiteral("-singlefile"), pdf, base});
    if (!p.waitForFinished(60000) || p.exitCode() != 0) return {};
    return QImage(base + QStringLiteral(".png"));
}

int PdfPageCount(const QString& pdf) {
    QProcess p;
    p.start(QStringLiteral("pdfinfo"), {pdf});
    if (!p.waitForFinished(30000)) return -1;
    static const QRegularExpression re(QStringLiteral(R"(Pages:\s+(\d+))"));
    const auto m = re.match(QString::fromUtf8(p.readAllStandardOutput()));
    return m.hasMatch() ? m.captured(1).toInt() : -1;
}

void Snapshot(QWidget* w, const char* name) {
    const QString dir = qEnvironmentVariable("TARVEX_SCREENSHOT_DIR");
    if (!dir.isEmpty()) w->grab().save(dir + QLatin1Char('/') + QLatin1String(name) + QStringLiteral(".png"));
}

// One page for pre-printed paper, `copies` times, as the print command and `tarvex pdf` print it.
bool PrintToPdf(const QString& pdf, const CEinheitspapierDoc& doc, int page, int copies, Profile& profile,
                const CFieldDefinitions& definitions, QString& error) {
    const CSadPrintSource source(doc, profile, definitions);
    PrintJobOptions options;
    options.first = options.last = page;
    options.copies = copies;
    return PrintJobToPdf(pdf.toStdString(), source, options, error) == PrintOutcome::Done;
}

int RunCli(const QStringList& args, const QString& settingsDir) {
    QProcess tarvex;
    QProcessEnvironment e = QProcessEnvironment::systemEnvironment();
    e.insert(QStringLiteral("TARVEX_SETTINGS_DIR"), settingsDir);
    tarvex.setProcessEnvironment(e);
    tarvex.start(QStringLiteral(TARVEX_CLI_PATH), args);
    if (!tarvex.waitForFinished(120000)) return -1;
    return tarvex.exitCode();
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
            QVERIFY2(PrintToPdf(pdf, doc, page, 1, profile, defs, error), qPrintable(error));
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
            // Places measured on the form at margins 0, in 0.1 mm from the page's top-left corner:
            // where a word starts (ends, for the right-aligned amount) and its top. The sheet's
            // margins move them by as much as they are set; the size correction is checked against the
            // print tables below.
            struct Pin {
                const char* word;
                int page;
                bool right;
                double x, y;
            } pins[] = {{"W1f0", 1, false, 1166, 105},  {"W1f10", 1, false, 252, 142},
                        {"W1f52", 1, false, 252, 1145}, {"R1f118", 1, true, 1055, 1735},
                        {"W2f8", 2, false, 252, 128},   {"W2f53", 2, false, 252, 1479},
                        {"W1f0", 2, false, 1166, 105}};
            for (const Pin& pin : pins) {
                if (pin.page != page || factorV != 1000 || factorH != 1000) continue;
                QVERIFY2(words.contains(QString::fromLatin1(pin.word)), pin.word);
                const Word w = words.value(QString::fromLatin1(pin.word));
                const double x = pin.x + (page == 1 ? left : left2), y = pin.y + (page == 1 ? top : top2);
                QVERIFY2(qAbs((pin.right ? w.xMax : w.xMin) - x) <= 1.0,
                         qPrintable(QStringLiteral("%1 x %2 %3 expected %4")
                                        .arg(pin.word)
                                        .arg(w.xMin)
                                        .arg(w.xMax)
                                        .arg(x)));
                QVERIFY2(qAbs(w.yMin - y) <= 1.0,
                         qPrintable(QStringLiteral("%1 y %2 expected %3").arg(pin.word).arg(w.yMin).arg(y)));
            }
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
        QVERIFY(PrintToPdf(pdf, doc, 1, 3, profile, defs, error));
        for (int page = 1; page <= 3; ++page) {
            const auto words = ReadWords(pdf, page);
            QVERIFY(words.contains(QStringLiteral("Shown")));
            QVERIFY(!words.contains(QStringLiteral("Hidden1C")));
        }
        QVERIFY(ReadWords(pdf, 4).isEmpty());
        // Still repeated on a continuation sheet, whatever the definitions say.
        QVERIFY(PrintToPdf(pdf, doc, 2, 1, profile, defs, error));
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
        QVERIFY(PrintToPdf(pdf, doc, 1, 1, profile, defs, error));
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
        QVERIFY(PrintToPdf(pdf, doc, 1, 1, profile, defs, error));
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
            QVERIFY(PrintToPdf(program, opened, page, 1, profile, view.Definitions(), message));
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

    // "mit Formular": the entries go into the boxes of the drawn form (the screen rectangles
    // moved by the sheet's margins), whatever the print tables say; the rulings and captions
    // are at their table places. Box 42, box 47 and the third goods item are where the two
    // tables part.
    void withFormEntriesInTheirDrawnBoxes() {
        CMemoryProfile profile;
        profile.WriteProfileInt("EHForm_Defaults", "Left_Margin_EH", 15);
        profile.WriteProfileInt("EHForm_Defaults", "Top_Margin_EH", -10);
        profile.WriteProfileInt("EHForm_Defaults", "Left_Margin2_EH", -20);
        profile.WriteProfileInt("EHForm_Defaults", "Top_Margin2_EH", 25);
        CFieldDefinitions defs;
        defs.ResetToBuiltIn();
        CEinheitspapierDoc doc(&profile);
        doc.m_nFormVariant = 0;
        doc.Store().AddPage();
        struct Entry {
            int page, field;
        } entries[] = {{1, 0},  {1, 10}, {1, 52}, {1, 70}, {1, 73},
                       {1, 96}, {2, 8},  {2, 29}, {2, 53}, {2, 71}};
        for (const Entry& e : entries)
            doc.Store().SetFieldText(
                e.field, QStringLiteral("E%1x%2").arg(e.page).arg(e.field).toStdU16String(), e.page);
        const CSadPrintSource source(doc, profile, defs);
        PrintJobOptions options;
        options.first = 1;
        options.last = 2;
        options.mode = PrintMode::WithForm;
        const QString pdf = m_dir.filePath(QStringLiteral("withform.pdf"));
        QString error;
        QCOMPARE(PrintJobToPdf(pdf.toStdString(), source, options, error), PrintOutcome::Done);
        QCOMPARE(PdfPageCount(pdf), 2);

        for (int page : {1, 2}) {
            const auto words = ReadWords(pdf, page);
            const PrintOrigin o = SadPrintOrigin(profile, page);
            for (const Entry& e : entries) {
                if (e.page != page) continue;
                const QString word = QStringLiteral("E%1x%2").arg(e.page).arg(e.field);
                QVERIFY2(words.contains(word), qPrintable(word));
                const Word w = words.value(word);
                // The drawn box on the page: screen rectangle + 2 across, moved to the origin.
                const SadRect r = SadScreenRect(SheetOfPage(page), e.field);
                const double left = o.x0 + r.left + 2, right = o.x0 + r.right + 2;
                const double top = r.top - o.y0, bottom = r.bottom - o.y0;
                QVERIFY2(qAbs(w.xMin - (left + 10)) <= 1.0,
                         qPrintable(word + QString(" xMin %1").arg(w.xMin)));
                QVERIFY2(
                    w.yMin >= top - 0.5 && w.yMax <= bottom + 0.5 && w.xMax <= right,
                    qPrintable(word +
                               QString(" y %1..%2 box %3..%4").arg(w.yMin).arg(w.yMax).arg(top).arg(bottom)));
            }
            // The heading at its anchor (bottom-left of the text cell) from the caption table.
            const SadCaption& heading = SadCaptions(SheetOfPage(page))[0];
            const Word caption = words.value(QStringLiteral("EUROPÄISCHE"));
            QVERIFY2(qAbs(caption.xMin - (o.x0 + heading.x)) <= 2.0,
                     qPrintable(QString::number(caption.xMin)));
            QVERIFY2(caption.yMax <= -heading.y - o.y0 + 1 && caption.yMax >= -heading.y - o.y0 - 15,
                     qPrintable(QString::number(caption.yMax)));
        }
        // No registration marks on blank paper, and a ruling of each sheet where its table puts it:
        // first sheet (150, -355)-(1990, -355), continuation (0, -265)-(1990, -265), both green.
        struct Ruling {
            int page, x, y;
        } rulings[] = {{1, 1000, 355}, {2, 1000, 265}};
        for (const Ruling& r : rulings) {
            const PrintOrigin o = SadPrintOrigin(profile, r.page);
            const QImage img = PdfPageImage(pdf, r.page, m_dir.filePath(QStringLiteral("withform")));
            QVERIFY(!img.isNull());
            auto darkColumn = [&](int x, int y) {
                for (int dy = -1; dy <= 1; ++dy)
                    if (qGray(img.pixel(x, y + dy)) < 160) return true;
                return false;
            };
            QVERIFY(darkColumn(o.x0 + r.x, r.y - o.y0));
            QVERIFY(!darkColumn(o.x0 + r.x, r.y - o.y0 + 8));
        }
        // The same page for pre-printed paper has the texts only: no ruling there.
        options.mode = PrintMode::Preprinted;
        QCOMPARE(PrintJobToPdf(pdf.toStdString(), source, options, error), PrintOutcome::Done);
        const QImage plain = PdfPageImage(pdf, 1, m_dir.filePath(QStringLiteral("plain")));
        const PrintOrigin o1 = SadPrintOrigin(profile, 1);
        QVERIFY(qGray(plain.pixel(o1.x0 + 1000, 355 - o1.y0)) > 200);
        QVERIFY(!ReadWords(pdf, 1).contains(QStringLiteral("EUROPÄISCHE")));
    }

    // A range is one file: its pages in order, the whole range once per copy; `tarvex pdf`
    // gives the same pages; the default stays the first page alone.
    void pageRangesInOneFile() {
        CMemoryProfile profile;
        CEinheitspapierDoc doc(&profile);
        doc.m_nFormVariant = 0;
        doc.Store().SetFieldText(10, u"Page1", 1);
        for (int p = 2; p <= 4; ++p) {
            if (p > 2) QVERIFY(doc.Store().AddPage());
            doc.Store().SetFieldText(8, QStringLiteral("Page%1").arg(p).toStdU16String(), p);
        }
        const QString file = m_dir.filePath(QStringLiteral("four.aef"));
        std::string saveError;
        QVERIFY(SaveAefFile(file.toStdString(), doc, saveError));
        QTemporaryDir settings;
        struct Case {
            QStringList args;
            QStringList pages;  // the document page on each PDF page
        } cases[] = {
            {{}, {"Page1"}},
            {{"--pages", "3"}, {"Page3"}},
            {{"--page", "2"}, {"Page2"}},
            {{"--pages", "2-3", "--copies", "2"}, {"Page2", "Page3", "Page2", "Page3"}},
            {{"--pages", "all", "--with-form"}, {"Page1", "Page2", "Page3", "Page4"}},
        };
        const QString out = m_dir.filePath(QStringLiteral("range.pdf"));
        for (const Case& c : cases) {
            QFile::remove(out);
            QCOMPARE(RunCli(QStringList{"pdf", file} + c.args + QStringList{"-o", out}, settings.path()), 0);
            QCOMPARE(PdfPageCount(out), c.pages.size());
            for (int i = 0; i < c.pages.size(); ++i) {
                const auto words = ReadWords(out, i + 1);
                for (int p = 1; p <= 4; ++p) {
                    const QString w = QStringLiteral("Page%1").arg(p);
                    QVERIFY2(words.contains(w) == (w == c.pages[i]), qPrintable(c.args.join(' ') + ": " + w));
                }
            }
        }
        // Wrong ranges are wrong usage, and leave no file.
        for (const QStringList& bad :
             {QStringList{"--pages", "3-2"}, QStringList{"--pages", "0"}, QStringList{"--pages", "5"},
              QStringList{"--pages", "2-9"}, QStringList{"--pages", "x"}, QStringList{"--copies", "0"}}) {
            QFile::remove(out);
            QCOMPARE(RunCli(QStringList{"pdf", file} + bad + QStringList{"-o", out}, settings.path()), 2);
            QVERIFY(!QFile::exists(out));
        }

        // A cancelled job leaves the old file as it was.
        CFieldDefinitions defs;
        defs.ResetToBuiltIn();
        const CSadPrintSource source(doc, profile, defs);
        PrintJobOptions options;
        options.first = 1;
        options.last = 4;
        QString error;
        QCOMPARE(PrintJobToPdf(out.toStdString(), source, options, error), PrintOutcome::Done);
        const QByteArray before = [&] {
            QFile f(out);
            f.open(QIODevice::ReadOnly);
            return f.readAll();
        }();
        int seen = 0;
        options.mode = PrintMode::WithForm;
        QCOMPARE(PrintJobToPdf(out.toStdString(), source, options, error,
                               [&](int done, int total) {
                                   seen = done;
                                   return total == 4 && done < 2;
                               }),
                 PrintOutcome::Cancelled);
        QCOMPARE(seen, 2);
        QFile f(out);
        QVERIFY(f.open(QIODevice::ReadOnly));
        QCOMPARE(f.readAll(), before);
        f.close();

        // The PDF goes to the disk while it is made, into one temporary file beside the target that
        // grows page by page (not into memory), and nothing of it is left when the job is over.
        const QDir folder = QFileInfo(out).absoluteDir();
        const QStringList temps = {QLatin1Char('.') + QFileInfo(out).fileName() + QStringLiteral(".tmp-*")};
        QVERIFY(folder.entryList(temps, QDir::Files | QDir::Hidden).isEmpty());
        QList<qint64> written;
        QCOMPARE(PrintJobToPdf(out.toStdString(), source, options, error,
                               [&](int, int) {
                                   const QFileInfoList now =
                                       folder.entryInfoList(temps, QDir::Files | QDir::Hidden);
                                   written.append(now.size() == 1 ? now[0].size() : -1);
                                   return true;
                               }),
                 PrintOutcome::Done);
        QCOMPARE(written.size(), 4);
        QVERIFY2(written[0] >= 0 && written[3] > 0 && written[3] >= written[1],
                 qPrintable(QString::number(written[3])));
        QVERIFY(folder.entryList(temps, QDir::Files | QDir::Hidden).isEmpty());
        QVERIFY(QFileInfo(out).size() > written[3]);
        options.last = 5;
        QCOMPARE(PrintJobToPdf(out.toStdString(), source, options, error), PrintOutcome::Failed);
        QVERIFY(!error.isEmpty());
    }

    // What each mode puts on a ruling of the form: nothing on pre-printed paper; in the preview
    // of it a faint line where the paper form lies against the print tables (5 mm to the right
    // of the screen picture); the line itself at the drawn form's place with the form.
    void formPictureByMode() {
        CMemoryProfile profile;
        profile.WriteProfileInt("EHForm_Defaults", "Left_Margin_EH", 20);
        CFieldDefinitions defs;
        defs.ResetToBuiltIn();
        CEinheitspapierDoc doc(&profile);
        const CSadPrintSource source(doc, profile, defs);
        const PrintOrigin o = source.Origin(1);
        // First-sheet ruling (1070, -100)-(1070, -1120); 254 dpi: a pixel is 0.1 mm.
        const QPoint drawn(o.x0 + 1070, 500 - o.y0);
        const QPoint paper = drawn + QPoint(kSadPrintTableShiftX, 0);
        struct Case {
            const char* name;
            PrintMode mode;
            bool faint;
            QPoint line, empty;
            int minGrey, maxGrey;
        } cases[] = {{"Vordruck", PrintMode::Preprinted, false, paper, drawn, 255, 255},
                     {"Vordruck preview", PrintMode::Preprinted, true, paper, drawn, 150, 250},
                     {"Formular", PrintMode::WithForm, false, drawn, paper, 0, 120}};
        for (const Case& c : cases) {
            QImage page(2100, 2970, QImage::Format_RGB32);
            page.fill(Qt::white);
            QPainter painter(&page);
            PaintPrintPage(painter, 254, source, 1, c.mode, c.faint);
            painter.end();
            const int grey = qGray(page.pixel(c.line));
            QVERIFY2(grey >= c.minGrey && grey <= c.maxGrey,
                     qPrintable(QString("%1: %2").arg(c.name).arg(grey)));
            QCOMPARE(qGray(page.pixel(c.empty)), 255);
        }
    }

    // The preview shows the pages of the range and draws them anew in the other mode.
    void previewShowsTheJob() {
        CMemoryProfile profile;
        CFieldDefinitions defs;
        defs.ResetToBuiltIn();
        CEinheitspapierDoc doc(&profile);
        doc.m_nFormVariant = 0;
        doc.Store().AddPage();
        doc.Store().SetFieldText(10, u"Versender GmbH", 1);
        doc.Store().SetFieldText(11, u"Schrauben aus Stahl", 2);
        const CSadPrintSource source(doc, profile, defs);
        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setFullPage(true);
        PrintJobOptions options;
        options.first = 1;
        options.last = 3;
        options.copies = 4;
        CDlgDruckvorschau preview(printer, source, options, true);
        preview.show();
        QTRY_COMPARE(preview.PagesShown(), 3);
        const int runs = preview.PaintRuns();
        QVERIFY(runs >= 3);
        Snapshot(&preview, "preview-vordruck");
        preview.SetMode(PrintMode::WithForm);
        QTRY_VERIFY(preview.PaintRuns() >= runs + 3);
        QCOMPARE(preview.PagesShown(), 3);
        QCOMPARE(preview.Mode(), PrintMode::WithForm);
        Snapshot(&preview, "preview-formular");
    }

    // The calibration sheet: a page per sheet kind, its mark at the margins being set, rulers
    // whose ticks stand at whole millimetres from the edge of the paper.
    void calibrationSheet() {
        CMemoryProfile profile;
        CFieldDefinitions defs;
        defs.ResetToBuiltIn();
        CEinheitspapierDoc doc(&profile);
        const CSadPrintSource form(doc, profile, defs);
        CMarginSheetModel margins;
        margins.SetShiftX(1, 25);
        margins.SetShiftY(1, 10);
        margins.SetShiftX(2, -15);
        const CCalibrationSource sheet(form, MarginSheetOrigins(margins));
        PrintJobOptions options;
        options.first = 1;
        options.last = sheet.PageCount();
        const QString pdf = m_dir.filePath(QStringLiteral("calibration.pdf"));
        QString error;
        QCOMPARE(PrintJobToPdf(pdf.toStdString(), sheet, options, error), PrintOutcome::Done);
        QCOMPARE(PdfPageCount(pdf), 2);
        QVERIFY(ReadWords(pdf, 1).contains(QStringLiteral("Einheitspapier")));
        QVERIFY(ReadWords(pdf, 2).contains(QStringLiteral("Ergänzungsblätter")));
        struct Mark {
            int page;
            QPoint corner;  // the mark's corner from the margins: first sheet (x0 + 115, 80 - y0)
        } marks[] = {{1, {25 + 30 + 115, 80 - (10 - 10)}}, {2, {-15 + 30 + 180, 65 - 10}}};
        for (const Mark& m : marks) {
            const QImage img = PdfPageImage(pdf, m.page, m_dir.filePath(QStringLiteral("cal")));
            QVERIFY(!img.isNull());
            if (const QString shots = qEnvironmentVariable("TARVEX_SCREENSHOT_DIR"); !shots.isEmpty())
                img.save(shots + QStringLiteral("/calibration-pdf-%1.png").arg(m.page));
            auto dark = [&](int x, int y) {
                for (int dy = -1; dy <= 1; ++dy)
                    for (int dx = -1; dx <= 1; ++dx)
                        if (qGray(img.pixel(x + dx, y + dy)) < 128) return true;
                return false;
            };
            QVERIFY(dark(m.corner.x(), m.corner.y()));
            QVERIFY(dark(m.corner.x(), m.corner.y() + 15));  // the arm downward
            QVERIFY(!dark(m.corner.x() - 10, m.corner.y() - 10));
            // The scale under the mark: its 0 stands below the corner.
            QVERIFY(dark(m.corner.x(), m.corner.y() + 80));
            // The top ruler: 50 mm long tick, 51 mm short tick, nothing between.
            QVERIFY(dark(500, 35));
            QVERIFY(dark(510, 10));
            QVERIFY(!dark(510, 35));
            QVERIFY(!dark(505, 10));
            // The left ruler the same way down.
            QVERIFY(dark(35, 1000));
            QVERIFY(!dark(35, 1010));
        }
    }

    // The calibration sheet stays on the paper: its scales and labels end at the edge of the
    // paper, for every sheet kind of both forms, with marks close to the paper's edge
    // (the margins at zero, moved left and up, moved right and down), and the scale under each
    // mark keeps its 0 below the mark's corner.
    void calibrationScalesStayOnThePaper() {
        CMemoryProfile profile;
        CFieldDefinitions defs;
        defs.ResetToBuiltIn();
        CEinheitspapierDoc sad(&profile);
        CDV1_Doc dv1;
        dv1.OnNewDocument();
        const CSadPrintSource sadForm(sad, profile, defs);
        const CDv1PrintSource dv1Form(dv1, profile);
        struct Case {
            const char* name;
            const IPrintPageSource* form;
            int shiftX, shiftY;  // 0.1 mm, the same on every page of the margin sheet
        } cases[] = {{"sad", &sadForm, 0, 0},
                     {"sad-left-up", &sadForm, -100, -50},
                     {"sad-right-down", &sadForm, 200, 200},
                     {"dv1", &dv1Form, 0, 0},
                     {"dv1-up", &dv1Form, 0, -50}};
        constexpr int kBorder = 200;  // room around the A4 page, 0.1 mm
        for (const Case& c : cases) {
            CMarginSheetModel margins;
            QVERIFY(margins.SetSheetPages(c.form->KindCount()));
            for (int k = 1; k <= c.form->KindCount(); ++k) {
                margins.SetShiftX(k, c.shiftX);
                margins.SetShiftY(k, c.shiftY);
            }
            const std::vector<PrintOrigin> origins = MarginSheetOrigins(margins);
            const CCalibrationSource sheet(*c.form, origins);
            for (int page = 1; page <= sheet.PageCount(); ++page) {
                QImage img(2100 + 2 * kBorder, 2970 + 2 * kBorder, QImage::Format_RGB32);
                img.fill(Qt::white);
                {
                    QPainter painter(&img);
                    painter.translate(kBorder, kBorder);
                    PaintPrintPage(painter, 254.0, sheet, page, PrintMode::Preprinted);
                }
                const QString what = QStringLiteral("%1 page %2").arg(c.name).arg(page);
                if (const QString shots = qEnvironmentVariable("TARVEX_SCREENSHOT_DIR"); !shots.isEmpty())
                    img.save(shots + QStringLiteral("/calibration-%1-%2.png").arg(c.name).arg(page));
                const QRect paper(kBorder, kBorder, 2100, 2970);
                int outside = 0;
                for (int y = 0; y < img.height(); ++y)
                    for (int x = 0; x < img.width(); ++x)
                        if (!paper.contains(x, y) && qGray(img.pixel(x, y)) < 160) ++outside;
                QVERIFY2(outside == 0,
                         qPrintable(what + QStringLiteral(": %1 pixels off the paper").arg(outside)));
                // The 0 of the scale under the mark: a long tick below the corner.
                const QPoint corner = c.form->RegistrationCorner(page - 1, origins[size_t(page - 1)]);
                int tick = 0;
                for (int y = corner.y() + 45; y <= corner.y() + 85; ++y)
                    tick += qGray(img.pixel(kBorder + corner.x(), kBorder + y)) < 160;
                QVERIFY2(tick >= 30, qPrintable(what + QStringLiteral(": no 0 tick under the mark")));
            }
        }
    }

    // The D.V.1 through the same job: a range of its pages with the form, each text inside the
    // box the form picture draws for it on that page kind, with the page's margin pair.
    void dv1PagesWithTheForm() {
        CMemoryProfile profile;
        profile.WriteProfileInt("DV1Form_Defaults", "Left_Margin2_DV1", 20);
        profile.WriteProfileInt("DV1Form_Defaults", "Top_Margin3_DV1", -15);
        profile.WriteProfileInt("DV1Form_Defaults", "Left_Margin4_DV1", -10);
        CDV1_Doc doc;
        doc.OnNewDocument();
        doc.AddPage();
        doc.AddPage();
        // A few roomy fields of each page kind.
        std::vector<std::pair<int, int>> entries;  // page, field
        for (int page = 2; page <= 4; ++page) {
            const Dv1PageKind kind = Dv1PageKindOf(page);
            int taken = 0;
            for (int f = 0; f < Dv1FieldCount(kind) && taken < 3; ++f) {
                const Dv1Rect r = Dv1FieldRect(kind, f);
                if (r.right - r.left < 400 || r.bottom - r.top < 45) continue;
                doc.Store().SetFieldText(f, QStringLiteral("D%1x%2").arg(page).arg(f).toStdU16String(), page);
                entries.push_back({page, f});
                ++taken;
            }
        }
        QCOMPARE(int(entries.size()), 9);
        const CDv1PrintSource source(doc, profile);
        PrintJobOptions options;
        options.first = 2;
        options.last = 4;
        options.mode = PrintMode::WithForm;
        const QString pdf = m_dir.filePath(QStringLiteral("dv1.pdf"));
        QString error;
        QCOMPARE(PrintJobToPdf(pdf.toStdString(), source, options, error), PrintOutcome::Done);
        QCOMPARE(PdfPageCount(pdf), 3);
        for (const auto& [page, field] : entries) {
            const auto words = ReadWords(pdf, page - 1);
            const QString word = QStringLiteral("D%1x%2").arg(page).arg(field);
            QVERIFY2(words.contains(word), qPrintable(word));
            const Word w = words.value(word);
            const PrintOrigin o = source.Origin(page);
            const Dv1Rect r = Dv1FieldRect(Dv1PageKindOf(page), field);
            const double left = o.x0 + r.left + 2, right = o.x0 + r.right + 2;
            const double top = r.top - o.y0, bottom = r.bottom - o.y0;
            QVERIFY2(
                w.xMin >= left && w.xMax <= right && w.yMin >= top - 0.5 && w.yMax <= bottom + 0.5,
                qPrintable(word + QString(" at %1,%2 box %3,%4").arg(w.xMin).arg(w.yMin).arg(left).arg(top)));
        }
    }

    // Whether a text fits is judged by the box it is printed in: box 42 is narrower in the print
    // table than in the drawn form.
    void overflowByMode() {
        CMemoryProfile profile;
        CFieldDefinitions defs;
        defs.ResetToBuiltIn();
        CEinheitspapierDoc doc(&profile);
        doc.Store().SetFieldText(70, u"1234567890123", 1);
        const CSadPrintSource source(doc, profile, defs);
        QCOMPARE(source.OverflowingFields(1, PrintMode::Preprinted), std::vector<int>{70});
        QVERIFY(source.OverflowingFields(1, PrintMode::WithForm).empty());
    }

private:
    QTemporaryDir m_dir;
};

QTEST_MAIN(TestSadPrint)
#include "tst_sadprint.moc"
