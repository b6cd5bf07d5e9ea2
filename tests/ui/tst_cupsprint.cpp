// The program's print command on real print queues: a private CUPS scheduler started by
// scripts/cups-test-server.sh, with a queue for the cups-pdf driver and one for a PostScript
// printer with unprintable margins, both writing what the printer receives into a file. The
// spooled PostScript is read back through ghostscript and pdftotext.

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QLineEdit>
#include <QPrintDialog>
#include <QPrinterInfo>
#include <QProcess>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QSpinBox>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>

#include "core/common/CommandIds.h"
#include "core/dv1/Dv1Doc.h"
#include "core/sad/EinheitspapierDoc.h"
#include "render/app/PrintJob.h"
#include "render/app/QSettingsProfile.h"
#include "render/dv1/Dv1PrintSource.h"
#include "render/sad/SadPrinter.h"
#include "tests/common/AppFixture.h"
#include "ui/app/CMainFrame.h"
#include "ui/app/CTarvexImportApp.h"
#include "ui/app/DocumentWindows.h"
#include "ui/forms/Dv1FormDocument.h"
#include "ui/forms/SadFormDocument.h"
#include "ui/formview/CDlgDrucken.h"
#include "ui/formview/CDlgDruckvorschau.h"
#include "ui/formview/Common_DlgMargin02.h"
#include "ui/sad/CEinheitspapierView.h"

using namespace tarvex;
using namespace tarvex::testutil;

namespace {

constexpr double kTenthsPerPoint = 254.0 / 72.0;
const QString kPdfQueue = QStringLiteral("Tarvex_PDF");
const QString kMarginsQueue = QStringLiteral("Tarvex_Margins");
const QString kSpareQueue = QStringLiteral("Tarvex_Spare");

struct Run {
    int exitCode = -1;
    QString out, err;
};

Run Exec(const QString& program, const QStringList& args, int msecs = 120000) {
    QProcess p;
    p.start(program, args);
    Run r;
    if (!p.waitForFinished(msecs)) return r;
    r.exitCode = p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
    r.out = QString::fromUtf8(p.readAllStandardOutput());
    r.err = QString::fromUtf8(p.readAllStandardError());
    return r;
}

// Words of a PDF page as pdftotext places them, in 0.1 mm from the paper's top-left corner.
QHash<QString, QRectF> Words(const QString& pdf, int page) {
    const QString n = QString::number(page);
    const Run r = Exec(QStringLiteral("pdftotext"), {QStringLiteral("-bbox"), QStringLiteral("-f"), n,
                                                     QStringLiteral("-l"), n, pdf, QStringLiteral("-")});
    QHash<QString, QRectF> words;
    static const QRegularExpression re(QStringLiteral(
        R"re(<word xMin="([\d.]+)" yMin="([\d.]+)" xMax="([\d.]+)" yMax="([\d.]+)">([^<]*)</word>)re"));
    auto it = re.globalMatch(r.out);
    while (it.hasNext()) {
        const auto m = it.next();
        words.insert(m.captured(5), QRectF(QPointF(m.captured(1).toDouble(), m.captured(2).toDouble()),
                                           QPointF(m.captured(3).toDouble(), m.captured(4).toDouble())));
    }
    for (QRectF& w : words) w = QRectF(w.topLeft() * kTenthsPerPoint, w.bottomRight() * kTenthsPerPoint);
    return words;
}

// The paper of every page of a PDF, in points.
QList<QSizeF> PageSizes(const QString& pdf) {
    const Run r = Exec(QStringLiteral("pdfinfo"), {QStringLiteral("-f"), QStringLiteral("1"),
                                                   QStringLiteral("-l"), QStringLiteral("9999"), pdf});
    QList<QSizeF> sizes;
    static const QRegularExpression re(QStringLiteral(R"(Page\s+\d+ size:\s+([\d.]+) x ([\d.]+) pts)"));
    auto it = re.globalMatch(r.out);
    while (it.hasNext()) {
        const auto m = it.next();
        sizes.append(QSizeF(m.captured(1).toDouble(), m.captured(2).toDouble()));
    }
    return sizes;
}

// A page of a PDF as a grey picture (254 dpi: one pixel is 0.1 mm).
QImage PageImage(const QString& pdf, int page, const QString& base, int dpi = 254) {
    const QString n = QString::number(page);
    const Run r =
        Exec(QStringLiteral("pdftoppm"),
             {QStringLiteral("-r"), QString::number(dpi), QStringLiteral("-gray"), QStringLiteral("-png"),
              QStringLiteral("-f"), n, QStringLiteral("-l"), n, QStringLiteral("-singlefile"), pdf, base});
    return r.exitCode == 0 ? QImage(base + QStringLiteral(".png")) : QImage();
}

// The bounding box of the dark pixels of a picture within an area (null when there are none).
QRect Ink(const QImage& img, const QRect& area) {
    QRect ink;
    const QRect a = area.intersected(img.rect());
    for (int y = a.top(); y <= a.bottom(); ++y)
        for (int x = a.left(); x <= a.right(); ++x)
            if (qGray(img.pixel(x, y)) < 128) ink |= QRect(x, y, 1, 1);
    return ink;
}

}  // namespace

class TestCupsPrint : public QObject {
    Q_OBJECT

private:
    QTemporaryDir m_cups;
    QTemporaryDir m_home;
    QTemporaryDir m_work;
    QString m_script;
    std::unique_ptr<CTarvexImportApp> m_app;
    QStringList m_messages;
    int m_converted = 0;

    QString Out(const QString& queue) const {
        return m_cups.filePath(QStringLiteral("out/") + queue + ".ps");
    }

    // The program as the clerk starts it; clearSettings false keeps those of the last run.
    CTarvexImportApp& Start(int newAnswer, bool clearSettings = true) {
        m_app.reset();
        if (clearSettings) QSettingsProfile(QSettingsProfile::Area::Profile).DeleteKey("");
        m_app = StartTestApp({}, newAnswer, &m_messages);
        return *m_app;
    }

    // The print command with the modal dialogs answered in order; the dialogs seen.
    QStringList Print(QList<std::function<void(QDialog*)>> answers) {
        ModalAnswers modal(std::move(answers));
        m_app->MainFrame()->Action(cmd::kPrint)->trigger();
        return modal.seen;
    }

    // Waits until the queue has passed on every job; false when one is still pending after a
    // minute (a stuck filter), with the scheduler's log in the test output.
    bool Drained(const QString& queue) {
        for (int i = 0; i < 600; ++i) {
            const Run r = Exec(QStringLiteral("lpstat"), {QStringLiteral("-o"), queue});
            if (r.exitCode == 0 && r.out.trimmed().isEmpty()) return true;
            QTest::qWait(100);
        }
        qWarning("%s", qPrintable(QString::fromUtf8([this] {
                     QFile log(m_cups.filePath(QStringLiteral("log/error_log")));
                     return log.open(QIODevice::ReadOnly) ? log.readAll().right(4000) : QByteArray();
                 }())));
        return false;
    }

    int CompletedJobs(const QString& queue) {
        const Run r = Exec(QStringLiteral("lpstat"),
                           {QStringLiteral("-W"), QStringLiteral("completed"), QStringLiteral("-o"), queue});
        return int(r.out.split(QLatin1Char('\n'), Qt::SkipEmptyParts).size());
    }

    // What the queue last received, as PDF for poppler (its own file per call).
    QString Received(const QString& queue) {
        const QString pdf = m_work.filePath(QStringLiteral("spooled-%1.pdf").arg(++m_converted));
        const Run r = Exec(QStringLiteral("gs"),
                           {QStringLiteral("-q"), QStringLiteral("-dNOPAUSE"), QStringLiteral("-dBATCH"),
                            QStringLiteral("-dSAFER"), QStringLiteral("-sDEVICE=pdfwrite"),
                            QStringLiteral("-o"), pdf, Out(queue)});
        return r.exitCode == 0 ? pdf : QString();
    }

    // The job's name as the spooled PostScript carries it.
    QString JobTitle(const QString& queue) {
        QFile f(Out(queue));
        if (!f.open(QIODevice::ReadOnly)) return {};
        static const QRegularExpression re(QStringLiteral(R"(%%Title: \((.*)\)\r?\n)"));
        return re.match(QString::fromLatin1(f.read(4096))).captured(1);
    }

    bool Admin(const QString& tool, const QStringList& args) {
        const Run r = Exec(tool, args);
        if (r.exitCode != 0)
            qWarning("%s %s: %s", qPrintable(tool), qPrintable(args.join(' ')), qPrintable(r.err));
        return r.exitCode == 0;
    }

    bool AddSpareQueue() {
        return Admin(QStringLiteral("lpadmin"),
                     {QStringLiteral("-p"), kSpareQueue, QStringLiteral("-E"), QStringLiteral("-v"),
                      QStringLiteral("file://") + Out(kSpareQueue), QStringLiteral("-P"),
                      QStringLiteral("/usr/share/ppd/cups-pdf/CUPS-PDF_opt.ppd")});
    }

    static std::function<void(QDialog*)> Accept() {
        return [](QDialog* d) { d->accept(); };
    }

private slots:
    void initTestCase() {
        QVERIFY2(!QSettingsProfile::SettingsDirOverride().isEmpty(), "run with TARVEX_SETTINGS_DIR set");
        // The spooler's administration tools live in sbin, which a user's PATH may lack.
        qputenv("PATH", qgetenv("PATH") + ":/usr/sbin:/sbin");
        for (const char* tool :
             {"gs", "pdftotext", "pdfinfo", "pdftoppm", "lpstat", "lpadmin", "cupsdisable", "cupsreject"})
            QVERIFY2(!QStandardPaths::findExecutable(QString::fromLatin1(tool)).isEmpty(),
                     qPrintable(QStringLiteral("%1 is missing: run scripts/install-deps.sh").arg(tool)));
        QVERIFY(m_cups.isValid() && m_home.isValid() && m_work.isValid());
        QApplication::setQuitOnLastWindowClosed(false);
        QVERIFY(InstallQtTranslations());
        qputenv("HOME", m_home.path().toLocal8Bit());
        qunsetenv("XDG_CONFIG_HOME");
        // The scheduler is part of the test: where it cannot start, the test says so and fails.
        m_script = QStringLiteral(TARVEX_SOURCE_DIR "/scripts/cups-test-server.sh");
        const Run started =
            Exec(QStringLiteral("bash"), {m_script, QStringLiteral("start"), m_cups.path(),
                                          QString::number(QCoreApplication::applicationPid())});
        QVERIFY2(
            started.exitCode == 0,
            qPrintable(QStringLiteral("The private CUPS scheduler could not be started:\n") + started.err));
        // Before anything asks Qt for printers: libcups reads it once.
        qputenv("CUPS_SERVER", started.out.trimmed().toLocal8Bit());
    }

    void cleanupTestCase() {
        m_app.reset();
        if (!m_script.isEmpty())
            Exec(QStringLiteral("bash"), {m_script, QStringLiteral("stop"), m_cups.path()});
    }

    void cleanup() { m_app.reset(); }

    // The printers, their papers and the default printer are the system's; the printer set-up
    // lists them in German.
    void printersFromTheSystem() {
        const QStringList names = QPrinterInfo::availablePrinterNames();
        QVERIFY2(names.contains(kPdfQueue) && names.contains(kMarginsQueue), qPrintable(names.join(' ')));
        QCOMPARE(QPrinterInfo::defaultPrinterName(), kPdfQueue);
        const QPrinterInfo margins = QPrinterInfo::printerInfo(kMarginsQueue);
        QCOMPARE(margins.defaultPageSize().id(), QPageSize::Letter);
        QList<QPageSize::PageSizeId> ids;
        for (const QPageSize& s : margins.supportedPageSizes()) ids.append(s.id());
        QVERIFY(ids.contains(QPageSize::A4) && ids.contains(QPageSize::Letter));

        CTarvexImportApp& app = Start(0);
        QStringList listed;
        QString properties;
        ModalAnswers modal({[&](QDialog* d) {
            if (auto* combo = d->findChild<QComboBox*>(QStringLiteral("printers")))
                for (int i = 0; i < combo->count(); ++i) listed.append(combo->itemText(i));
            if (auto* button = d->findChild<QPushButton*>(QStringLiteral("properties")))
                properties = button->text();
            SaveScreenshot(d, QStringLiteral("cups-printer-setup.png"));
            d->reject();
        }});
        app.MainFrame()->Action(cmd::kPrintSetup)->trigger();
        QCOMPARE(modal.seen, QStringList{"QPrintDialog"});
        QVERIFY2(listed.contains(kPdfQueue) && listed.contains(kMarginsQueue), qPrintable(listed.join(' ')));
        QCOMPARE(properties, QStringLiteral("&Eigenschaften"));
    }

    // Through the margin sheet and the print dialog onto a queue: every text at its print place
    // within 0.1 mm, counted from the paper's corner also where the driver cannot print near
    // the edge; A4 portrait, the pages and copies chosen, the job named after the document.
    void textsLandAtTheirPrintPlaces_data() {
        QTest::addColumn<bool>("dv1");
        QTest::addColumn<QString>("queue");
        QTest::addColumn<int>("first");
        QTest::addColumn<int>("last");
        QTest::addColumn<int>("copies");
        QTest::newRow("SAD, printer with margins") << false << kMarginsQueue << 1 << 2 << 2;
        QTest::newRow("SAD, cups-pdf driver") << false << kPdfQueue << 2 << 2 << 1;
        QTest::newRow("D.V.1, printer with margins") << true << kMarginsQueue << 2 << 3 << 1;
        QTest::newRow("D.V.1, cups-pdf driver") << true << kPdfQueue << 1 << 1 << 3;
    }
    void textsLandAtTheirPrintPlaces() {
        QFETCH(bool, dv1);
        QFETCH(QString, queue);
        QFETCH(int, first);
        QFETCH(int, last);
        QFETCH(int, copies);
        CTarvexImportApp& app = Start(dv1 ? 99 : 0);
        Profile& profile = app.GetProfile();
        CChildFrame* child = app.MainFrame()->ActiveChild();
        QVERIFY(child);
        // Margins of every sheet kind, different for each, and a printer remembered by name.
        const char* section = dv1 ? "DV1Form_Defaults" : "EHForm_Defaults";
        const QList<QByteArray> keys =
            dv1 ? QList<QByteArray>{"1_DV1", "2_DV1", "3_DV1", "4_DV1"} : QList<QByteArray>{"_EH", "2_EH"};
        for (int k = 0; k < keys.size(); ++k) {
            profile.WriteProfileInt(section, ("Left_Margin" + keys[k]).constData(), 25 - 10 * k);
            profile.WriteProfileInt(section, ("Top_Margin" + keys[k]).constData(), 10 + 5 * k);
        }
        profile.WriteProfileString(section, "Printer", queue.toStdU16String());
        profile.WriteProfileInt(section, "ReUsePrn", 1);
        std::unique_ptr<IPrintPageSource> reference;
        if (dv1) {
            CDV1_Doc& doc = *Dv1DocumentOf(child);
            doc.AddPage();
            for (int page = 1; page <= 3; ++page)
                for (int f : {0, 3, 7})
                    doc.Store().SetFieldText(f, QStringLiteral("D%1f%2").arg(page).arg(f).toStdU16String(),
                                             page);
            reference = std::make_unique<CDv1PrintSource>(doc, profile);
        } else {
            CEinheitspapierDoc& doc = *SadDocumentOf(child);
            for (int f : {0, 10, 21, 52, 96})
                doc.Store().SetFieldText(f, QStringLiteral("S1f%1").arg(f).toStdU16String(), 1);
            for (int f : {8, 11, 53})
                doc.Store().SetFieldText(f, QStringLiteral("S2f%1").arg(f).toStdU16String(), 2);
            auto* view = qobject_cast<CEinheitspapierView*>(child->View());
            QVERIFY(view);
            reference = std::make_unique<CSadPrintSource>(doc, profile, view->Definitions());
        }
        const int done = CompletedJobs(queue);
        QString device;
        const QStringList seen = Print({Accept(),
                                        [&](QDialog* d) {
                                            auto* dlg = qobject_cast<CDlgDrucken*>(d);
                                            device = dlg->m_strDevice;
                                            dlg->RangeButton()->setChecked(true);
                                            dlg->FromBox()->setValue(first);
                                            dlg->ToBox()->setValue(last);
                                            dlg->CopiesEdit()->setText(QString::number(copies));
                                            dlg->accept();
                                        },
                                        [](QDialog*) {}});  // the progress dialog, should it come up
        QCOMPARE(seen, (QStringList{"Common_DlgMargin02", "CDlgDrucken"}));
        QVERIFY2(m_messages.isEmpty(), qPrintable(m_messages.join('\n')));
        QCOMPARE(device, queue);
        QVERIFY(Drained(queue));
        QCOMPARE(CompletedJobs(queue), done + 1);
        QString document = child->Title();
        if (document.endsWith(QLatin1Char('*'))) document.chop(1);
        QVERIFY2(JobTitle(queue).startsWith(document), qPrintable(JobTitle(queue) + " / " + document));

        // The same job into a PDF file, whose page is the paper: the places the texts must have.
        PrintJobOptions options;
        options.first = first;
        options.last = last;
        options.copies = copies;
        const QString expectedPdf = m_work.filePath(QStringLiteral("expected.pdf"));
        QString error;
        QCOMPARE(PrintJobToPdf(expectedPdf.toStdString(), *reference, options, error), PrintOutcome::Done);

        const QString spooled = Received(queue);
        QVERIFY(!spooled.isEmpty());
        const QList<QSizeF> sizes = PageSizes(spooled);
        QCOMPARE(sizes.size(), (last - first + 1) * copies);
        for (const QSizeF& s : sizes) {
            QVERIFY2(qAbs(s.width() - 595) <= 1 && qAbs(s.height() - 842) <= 1,
                     qPrintable(QStringLiteral("paper %1 x %2 pt").arg(s.width()).arg(s.height())));
        }
        // The spooler's PostScript carries the glyphs without their letters, so each text is
        // found by its ink: around every word of the PDF file, the ink of both pages at 508 dpi
        // (1 pixel = 0.05 mm) must have the same edges within 0.1 mm.
        constexpr int kDpi = 508;
        constexpr double kPixelsPerTenth = kDpi / 254.0;
        int compared = 0;
        for (int page = 1; page <= sizes.size(); ++page) {
            const auto expected = Words(expectedPdf, page);
            QVERIFY(expected.size() >= 2);
            const QImage want = PageImage(expectedPdf, page, m_work.filePath(QStringLiteral("want")), kDpi);
            const QImage got = PageImage(spooled, page, m_work.filePath(QStringLiteral("got")), kDpi);
            QVERIFY(!want.isNull() && !got.isNull());
            QCOMPARE(got.size(), want.size());
            for (auto it = expected.cbegin(); it != expected.cend(); ++it) {
                const QRectF w = it.value().adjusted(-10, -10, 10, 10);
                const QRect area(QPoint(int(w.left() * kPixelsPerTenth), int(w.top() * kPixelsPerTenth)),
                                 QPoint(int(w.right() * kPixelsPerTenth), int(w.bottom() * kPixelsPerTenth)));
                const QRect e = Ink(want, area), g = Ink(got, area);
                QVERIFY2(!e.isNull(), qPrintable(it.key()));
                const QString where =
                    QStringLiteral("%1 on page %2: ink %3,%4-%5,%6, expected %7,%8-%9,%10 px")
                        .arg(it.key())
                        .arg(page)
                        .arg(g.left())
                        .arg(g.top())
                        .arg(g.right())
                        .arg(g.bottom())
                        .arg(e.left())
                        .arg(e.top())
                        .arg(e.right())
                        .arg(e.bottom());
                QVERIFY2(qAbs(g.left() - e.left()) <= 2 && qAbs(g.right() - e.right()) <= 2 &&
                             qAbs(g.top() - e.top()) <= 2 && qAbs(g.bottom() - e.bottom()) <= 2,
                         qPrintable(where));
                ++compared;
            }
        }
        QVERIFY(compared >= 2 * sizes.size());
        // The file's places are the print tables': box 8 of the first SAD sheet starts 25.2 mm
        // from the paper's left edge and 14.2 mm from its top at margins 0, moved by the margins.
        if (!dv1 && first == 1) {
            const QRectF w = Words(expectedPdf, 1).value(QStringLiteral("S1f10"));
            QVERIFY2(qAbs(w.left() - (252 + 25)) <= 1.0 && qAbs(w.top() - (142 + 10)) <= 1.0,
                     qPrintable(QStringLiteral("S1f10 at %1,%2").arg(w.left()).arg(w.top())));
        }
    }

    // A queue removed, stopped or refusing jobs while the print dialog is open: a clear message,
    // nothing reaches the printer, and the document stays as it was.
    void queueTroubles_data() {
        QTest::addColumn<QString>("tool");
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<QString>("message");
        QTest::newRow("removed") << "lpadmin" << QStringList{"-x", kSpareQueue}
                                 << "Der Drucker Tarvex_Spare ist nicht mehr eingerichtet.";
        QTest::newRow("stopped") << "cupsdisable" << QStringList{kSpareQueue}
                                 << "Der Drucker Tarvex_Spare ist angehalten";
        QTest::newRow("not accepting") << "cupsreject" << QStringList{kSpareQueue}
                                       << "Der Drucker Tarvex_Spare nimmt keine Aufträge an.";
        QTest::newRow("job refused") << "lpadmin" << QStringList{"-p", kSpareQueue, "-u", "allow:nobody"}
                                     << "Der Drucker Tarvex_Spare hat den Auftrag abgelehnt.";
    }
    void queueTroubles() {
        QFETCH(QString, tool);
        QFETCH(QStringList, args);
        QFETCH(QString, message);
        QVERIFY(AddSpareQueue());
        CTarvexImportApp& app = Start(0);
        app.GetProfile().WriteProfileInt("EHForm_Defaults", "ShowMarginDlgEH", 1);
        CEinheitspapierDoc& doc = *SadDocumentOf(app.MainFrame()->ActiveChild());
        doc.Store().SetFieldText(10, u"Unberührt", 1);
        doc.SetModifiedFlag(false);
        QVERIFY(app.SelectPrinter(kSpareQueue));
        QFile::remove(Out(kSpareQueue));
        const int done = CompletedJobs(kSpareQueue);
        QCOMPARE(Print({[&](QDialog* d) {
                     QVERIFY(Admin(tool, args));
                     d->accept();
                 }}),
                 QStringList{"CDlgDrucken"});
        QCOMPARE(m_messages.size(), 1);
        QVERIFY2(m_messages[0].startsWith(QStringLiteral("Das Formular konnte nicht gedruckt werden.\n") +
                                          message),
                 qPrintable(m_messages[0]));
        QVERIFY(!QFile::exists(Out(kSpareQueue)));
        if (tool != QLatin1String("lpadmin") || args[0] != QLatin1String("-x")) {
            QVERIFY(Drained(kSpareQueue));
            QCOMPARE(CompletedJobs(kSpareQueue), done);
        }
        QVERIFY(!doc.IsModified());
        QCOMPARE(doc.Store().GetFieldText(10, 1), std::u16string(u"Unberührt"));
        Admin(QStringLiteral("lpadmin"), {QStringLiteral("-x"), kSpareQueue});
    }

    // "Immer diesen Drucker verwenden" keeps a real queue over a restart; a queue removed since
    // is reported once, and the dialog offers the default printer, which is then remembered.
    void rememberedQueue() {
        QVERIFY(AddSpareQueue());
        CTarvexImportApp& first = Start(0);
        first.GetProfile().WriteProfileInt("EHForm_Defaults", "ShowMarginDlgEH", 1);
        QVERIFY(first.SelectPrinter(kSpareQueue));
        QString device;
        QCOMPARE(Print({[&](QDialog* d) {
                     auto* dlg = qobject_cast<CDlgDrucken*>(d);
                     device = dlg->m_strDevice;
                     dlg->ReuseBox()->setChecked(true);
                     dlg->accept();
                 }}),
                 QStringList{"CDlgDrucken"});
        QCOMPARE(device, kSpareQueue);
        QVERIFY(Drained(kSpareQueue));
        QVERIFY2(m_messages.isEmpty(), qPrintable(m_messages.join('\n')));

        // A restart: the queue is found again and shown, box ticked.
        Start(0, false);
        bool ticked = false;
        auto look = [&](QDialog* d) {
            auto* dlg = qobject_cast<CDlgDrucken*>(d);
            device = dlg->m_strDevice;
            ticked = dlg->ReuseBox()->isChecked();
            dlg->reject();
        };
        QCOMPARE(Print({look}), QStringList{"CDlgDrucken"});
        QVERIFY2(m_messages.isEmpty(), qPrintable(m_messages.join('\n')));
        QCOMPARE(device, kSpareQueue);
        QVERIFY(ticked);

        // Removed: said once, the default printer offered; a cancelled dialog does not bring
        // the message back.
        QVERIFY(Admin(QStringLiteral("lpadmin"), {QStringLiteral("-x"), kSpareQueue}));
        QCOMPARE(Print({look}), QStringList{"CDlgDrucken"});
        QCOMPARE(m_messages.size(), 1);
        QVERIFY2(
            m_messages[0].contains(kSpareQueue) && m_messages[0].contains(QStringLiteral("nicht gefunden")),
            qPrintable(m_messages[0]));
        QCOMPARE(device, kPdfQueue);
        QVERIFY(ticked);
        QCOMPARE(Print({look}), QStringList{"CDlgDrucken"});
        QCOMPARE(m_messages.size(), 1);
        QCOMPARE(device, kPdfQueue);

        // A queue removed while the program runs, with no printer remembered: the next dialog
        // says so and offers the default printer.
        QVERIFY(AddSpareQueue());
        CTarvexImportApp& app = Start(0);
        app.GetProfile().WriteProfileInt("EHForm_Defaults", "ShowMarginDlgEH", 1);
        QVERIFY(app.SelectPrinter(kSpareQueue));
        QVERIFY(Admin(QStringLiteral("lpadmin"), {QStringLiteral("-x"), kSpareQueue}));
        QCOMPARE(Print({look}), QStringList{"CDlgDrucken"});
        QCOMPARE(m_messages.size(), 1);
        QVERIFY2(m_messages[0].contains(kSpareQueue), qPrintable(m_messages[0]));
        QCOMPARE(device, kPdfQueue);
    }

    // The calibration sheet from the margin sheet, through its preview, onto the printer with
    // unprintable margins: each page's mark where the margins being set put it on the paper.
    void calibrationSheetOnThePrinterWithMargins() {
        CTarvexImportApp& app = Start(0);
        Profile& profile = app.GetProfile();
        profile.WriteProfileInt("EHForm_Defaults", "Left_Margin_EH", 25);
        profile.WriteProfileInt("EHForm_Defaults", "Top_Margin_EH", 10);
        profile.WriteProfileInt("EHForm_Defaults", "Left_Margin2_EH", -15);
        QVERIFY(app.SelectPrinter(kMarginsQueue));
        const int done = CompletedJobs(kMarginsQueue);
        // In the margin sheet "Kalibrierblatt..." opens the sheet's preview, whose "Drucken..."
        // prints it; the print is then cancelled in the margin sheet.
        const QStringList seen = Print({[](QDialog* d) {
                                            auto* calibration =
                                                d->findChild<QPushButton*>(QStringLiteral("calibration"));
                                            QVERIFY(calibration);
                                            QTimer::singleShot(0, calibration, &QPushButton::click);
                                        },
                                        [](QDialog* d) {
                                            auto* preview = qobject_cast<CDlgDruckvorschau*>(d);
                                            QVERIFY(preview);
                                            preview->PrintButton()->click();
                                        },
                                        // The progress dialog, should it come up, runs on; the
                                        // margin sheet is cancelled (an unanswered dialog is).
                                        [](QDialog* d) {
                                            if (qobject_cast<Common_DlgMargin02*>(d)) d->reject();
                                        }});
        QCOMPARE(seen.value(1), QStringLiteral("CDlgDruckvorschau"));
        QVERIFY2(m_messages.isEmpty(), qPrintable(m_messages.join('\n')));
        QVERIFY(Drained(kMarginsQueue));
        QCOMPARE(CompletedJobs(kMarginsQueue), done + 1);
        QCOMPARE(JobTitle(kMarginsQueue), QStringLiteral("Kalibrierblatt"));
        const QString spooled = Received(kMarginsQueue);
        QCOMPARE(PageSizes(spooled).size(), 2);
        struct Mark {
            int page;
            QPoint corner;  // first sheet (x0 + 115, 80 - y0), continuation (x0 + 180, 65 - y0)
        } marks[] = {{1, {25 + 30 + 115, 80 - (10 - 10)}}, {2, {-15 + 30 + 180, 65 - 10}}};
        for (const Mark& m : marks) {
            const QImage img = PageImage(spooled, m.page, m_work.filePath(QStringLiteral("cal")));
            QVERIFY(!img.isNull());
            if (const QString shots = qEnvironmentVariable("TARVEX_SCREENSHOT_DIR"); !shots.isEmpty())
                img.save(shots + QStringLiteral("/calibration-spooled-%1.png").arg(m.page));
            auto dark = [&](int x, int y) {
                for (int dy = -1; dy <= 1; ++dy)
                    for (int dx = -1; dx <= 1; ++dx)
                        if (qGray(img.pixel(x + dx, y + dy)) < 128) return true;
                return false;
            };
            const QString what = QStringLiteral("page %1").arg(m.page);
            QVERIFY2(dark(m.corner.x(), m.corner.y()), qPrintable(what));
            QVERIFY2(dark(m.corner.x(), m.corner.y() + 15), qPrintable(what));  // the arm downward
            QVERIFY2(!dark(m.corner.x() - 10, m.corner.y() - 10), qPrintable(what));
            QVERIFY2(!dark(m.corner.x() - 10, m.corner.y() + 15), qPrintable(what));
        }
    }
};

QTEST_MAIN(TestCupsPrint)
#include "tst_cupsprint.moc"
