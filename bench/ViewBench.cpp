// What the clerk waits for in the real program: the main window with a document opened from its
// file, the form view at zoom 16 in a 1904 x 966 viewport, keys sent as the keyboard sends them.
// Rows per form (SAD, D.V.1), page count (2, 64, 255) and text length (short, long):
//   full      viewport()->repaint() of the whole viewport
//   box       repaint of a box-sized rectangle beside the edit window (which paints itself)
//   page      Ctrl+Right / Ctrl+Left, from the key to the last paint it caused
//   tab       Tab
//   type      one character typed into the box
// Each row gives the median of the runs, in milliseconds:
//   total     from the request to its end (for the repaints including the copy to the window system)
//   in paint  inside the view's paint events
//   repaint   inside the window's repaints: the view, every other widget the action changed (the
//             edit window, status panes, tool buttons) and the hand-over to the window system
//   outside   total minus repaint: the program's own work for the action
//   cpu       processor time of the program's thread over the total (steadier than the clock on
//             a shared machine: it leaves out the time other processes had the processor)
// and the number of view paints per action. Not a Google Benchmark: the event loop has to run
// between the steps. Run under Xvfb (QT_QPA_PLATFORM=xcb) or offscreen; the load average is
// printed with the results because the machine is shared.
//
//   xvfb-run -a -s '-screen 0 2560x1440x24' build/bench/ViewBench [runs [only [rows]]]
//
// `only` runs the documents whose name contains it ("SAD 64 long"), `rows` only the rows named in
// it ("tab,page"), e.g. to profile one of them. `only` = "compare" measures the keys in a 2-page
// and a 255-page document of each form in turns, in one program, and gives their ratio.

#include <QAbstractScrollArea>
#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <ctime>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "core/dv1/Dv1Doc.h"
#include "core/dv1/FdvFormat.h"
#include "core/sad/AefFormat.h"
#include "core/sad/EinheitspapierDoc.h"
#include "core/settings/SettingsKeys.h"
#include "render/app/QSettingsProfile.h"
#include "tests/common/AppFixture.h"
#include "ui/app/CMainFrame.h"
#include "ui/app/CTarvexImportApp.h"
#include "ui/app/DocumentManager.h"
#include "ui/app/DocumentWindows.h"
#include "ui/formview/CFormView.h"

using namespace tarvex;

namespace {

using Clock = std::chrono::steady_clock;

double Ms(Clock::duration d) {
    return std::chrono::duration<double, std::milli>(d).count();
}

// Processor time of the calling thread: the program's own work, without the time another
// process on the machine had the processor.
Clock::duration ThreadCpuTime() {
#ifdef CLOCK_THREAD_CPUTIME_ID
    timespec ts{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &ts);
    return std::chrono::seconds(ts.tv_sec) + std::chrono::nanoseconds(ts.tv_nsec);
#else
    return {};
#endif
}

// Times every paint event of one widget (the view's viewport), and every repaint of the window:
// all widgets an action changed (the view, the edit window, status panes, tool buttons) and the
// hand-over of the picture to the window system.
class PaintClockApp : public QApplication {
public:
    using QApplication::QApplication;
    QWidget* watched = nullptr;
    int paints = 0;
    Clock::duration inPaint{};
    Clock::duration inRepaint{};
    Clock::time_point lastPaintEnd{};
    Clock::duration lastPaintEndCpu{};
    bool inUpdate = false;

    bool notify(QObject* receiver, QEvent* e) override {
        if (e->type() == QEvent::UpdateRequest && !inUpdate) {
            // Sent to the top-level widget, which repaints what is dirty and flushes it.
            inUpdate = true;
            const Clock::time_point t0 = Clock::now();
            const bool result = QApplication::notify(receiver, e);
            inRepaint += Clock::now() - t0;
            inUpdate = false;
            return result;
        }
        if (receiver != watched || e->type() != QEvent::Paint) return QApplication::notify(receiver, e);
        const Clock::time_point t0 = Clock::now();
        const bool result = QApplication::notify(receiver, e);
        lastPaintEnd = Clock::now();
        lastPaintEndCpu = ThreadCpuTime();
        inPaint += lastPaintEnd - t0;
        ++paints;
        return result;
    }
    void Reset() {
        paints = 0;
        inPaint = {};
        inRepaint = {};
        lastPaintEnd = {};
    }
};

std::u16string LongText(int i) {
    std::u16string s;
    static const char16_t* words[] = {u"Warenbezeichnung",
                                      u"Stahlrohre",
                                      u"verzinkt",
                                      u"nahtlos",
                                      u"Außendurchmesser",
                                      u"168,3",
                                      u"mm",
                                      u"Länge",
                                      u"6",
                                      u"m",
                                      u"Packstücke",
                                      u"Kisten",
                                      u"Kennzeichen",
                                      u"Zeichen"};
    for (int k = 0; s.size() < 160; ++k) {
        if (!s.empty()) s += u' ';
        s += words[static_cast<size_t>((i + k) % 14)];
    }
    return s;
}

std::u16string ShortText(int i) {
    return u"Text " + std::u16string(1, static_cast<char16_t>(u'A' + i % 26));
}

void FillStore(CFieldStore& s, bool longTexts) {
    for (int page = 1; page <= s.GetPageCount(); ++page) {
        const int n = page == 1 ? s.GetFieldCount1() : s.GetFieldCount2();
        for (int i = 0; i < n; ++i)
            s.SetFieldText(i, longTexts ? LongText(i + page) : ShortText(i + page), page);
    }
}

QString MakeSad(const QString& dir, int pages, bool longTexts) {
    CEinheitspapierDoc doc;
    doc.ConfigureStore();
    doc.OnNewDocument();
    doc.m_nFormVariant = 0;
    doc.SetContinuationCount(static_cast<uint16_t>(pages - 1));
    FillStore(doc.Store(), longTexts);
    const QString path = dir + QStringLiteral("/sad-%1-%2.aef").arg(pages).arg(longTexts ? "long" : "short");
    std::string error;
    if (!SaveAefFile(std::filesystem::path(path.toStdU16String()), doc, error)) qFatal("%s", error.c_str());
    return path;
}

QString MakeDv1(const QString& dir, int pages, bool longTexts) {
    CDV1_Doc doc;
    doc.OnNewDocument();
    while (doc.Store().GetPageCount() < pages) doc.AddPage();
    FillStore(doc.Store(), longTexts);
    const QString path = dir + QStringLiteral("/dv1-%1-%2.fdv").arg(pages).arg(longTexts ? "long" : "short");
    std::string error;
    if (!SaveFdvFile(std::filesystem::path(path.toStdU16String()), doc, error)) qFatal("%s", error.c_str());
    return path;
}

double Median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    const size_t n = v.size();
    return n == 0 ? 0 : n % 2 ? v[n / 2] : (v[n / 2 - 1] + v[n / 2]) / 2;
}

struct Row {
    std::vector<double> total, inPaint, inRepaint, outside, cpu;
    std::vector<int> paints;
    void Add(double totalMs, const PaintClockApp& app, Clock::duration cpuTime) {
        total.push_back(totalMs);
        inPaint.push_back(Ms(app.inPaint));
        inRepaint.push_back(Ms(std::max(app.inRepaint, app.inPaint)));
        outside.push_back(totalMs - inRepaint.back());
        cpu.push_back(Ms(cpuTime));
        paints.push_back(app.paints);
    }
};

void Print(const char* doc, const char* what, const Row& r) {
    if (r.total.empty()) return;
    std::vector<double> p(r.paints.begin(), r.paints.end());
    const int minPaints = r.paints.empty() ? 0 : *std::min_element(r.paints.begin(), r.paints.end());
    const int maxPaints = r.paints.empty() ? 0 : *std::max_element(r.paints.begin(), r.paints.end());
    std::printf(
        "%-16s %-5s %8.3f ms  in paint %7.3f ms  repaint %7.3f ms  outside %8.3f ms  cpu %7.3f ms  "
        "paints %d..%d (median %.1f)\n",
        doc, what, Median(r.total), Median(r.inPaint), Median(r.inRepaint), Median(r.outside), Median(r.cpu),
        minPaints, maxPaints, Median(p));
    std::fflush(stdout);
}

void Settle() {
    for (int i = 0; i < 5; ++i) {
        QCoreApplication::sendPostedEvents();
        QCoreApplication::processEvents();
    }
}

// A repaint() call: painted and handed to the window system before it returns, so all of it
// counts as the repaint.
void DirectRepaint(PaintClockApp& app, Row& row, const std::function<void()>& repaint) {
    const Clock::duration cpu0 = ThreadCpuTime();
    const Clock::time_point t0 = Clock::now();
    repaint();
    app.inRepaint = Clock::now() - t0;
    row.Add(Ms(app.inRepaint), app, ThreadCpuTime() - cpu0);
}

// One key through the window system's path (shortcuts, the focus widget), then the event loop
// until what it caused is painted.
void MeasureKey(PaintClockApp& app, QWidget* window, Qt::Key key, Qt::KeyboardModifiers mods, Row& row) {
    Settle();
    app.Reset();
    const Clock::duration cpu0 = ThreadCpuTime();
    const Clock::time_point t0 = Clock::now();
    QTest::keyClick(window->windowHandle(), key, mods);
    const Clock::time_point keyEnd = Clock::now();
    const Clock::duration cpuKeyEnd = ThreadCpuTime();
    QTest::qWait(25);
    Settle();
    const bool paintedLater = app.lastPaintEnd > keyEnd;
    const Clock::time_point end = paintedLater ? app.lastPaintEnd : keyEnd;
    row.Add(Ms(end - t0), app, (paintedLater ? app.lastPaintEndCpu : cpuKeyEnd) - cpu0);
}

// The keys of the rows: Tab; a page change there and back (the same on every page count); a
// typed character.
struct KeyAction {
    const char* row;
    Qt::Key key;
    Qt::Key back;  // the key of every second run
    Qt::KeyboardModifiers mods;
    Qt::Key KeyOfRun(int run) const { return run % 2 ? back : key; }
};
constexpr KeyAction kKeyActions[] = {{"tab", Qt::Key_Tab, Qt::Key_Tab, Qt::NoModifier},
                                     {"page", Qt::Key_Right, Qt::Key_Left, Qt::ControlModifier},
                                     {"type", Qt::Key_X, Qt::Key_X, Qt::NoModifier}};

// Sizes the main window so that the view has the viewport the figures are for.
void SizeViewport(CMainFrame* frame, CFormView* view, const char* name) {
    for (int i = 0; i < 4; ++i) {
        const QSize vp = view->viewport()->size();
        frame->resize(frame->size() + QSize(1904 - vp.width(), 966 - vp.height()));
        QTest::qWait(50);
        Settle();
    }
    frame->activateWindow();
    QTest::qWait(100);
    Settle();
    if (view->viewport()->size() != QSize(1904, 966) || view->Zoom() != 16)
        std::fprintf(stderr, "%s: viewport %dx%d zoom %d\n", name, view->viewport()->width(),
                     view->viewport()->height(), view->Zoom());
}

CFormView* ViewOf(CChildFrame* child) {
    auto* view = child ? qobject_cast<CFormView*>(child->View()) : nullptr;
    if (!view) qFatal("no form view");
    return view;
}

void CloseAll(CMainFrame* frame) {
    for (CChildFrame* c : frame->Children()) {
        c->Document().SetModified(false);
        c->close();
    }
    Settle();
}

void RunDocument(PaintClockApp& app, const QString& path, const char* name, int runs,
                 const std::string& rows) {
    auto wanted = [&rows](const char* row) { return rows.empty() || rows.find(row) != std::string::npos; };
    // Started as the clerk starts it with a file, without the splash and the New dialog.
    std::unique_ptr<CTarvexImportApp> theApp = testutil::StartTestApp({path}, -1, nullptr);
    Settle();
    CMainFrame* frame = theApp->MainFrame();
    if (!frame || !frame->ActiveChild()) qFatal("%s: not opened", qPrintable(path));
    CFormView* view = ViewOf(frame->ActiveChild());
    SizeViewport(frame, view, name);
    app.watched = view->viewport();

    Row full, box;
    for (int r = 0; r < runs && wanted("full"); ++r) {
        Settle();
        app.Reset();
        DirectRepaint(app, full, [&] { view->viewport()->repaint(); });
    }
    Print(name, "full", full);
    for (int r = 0; r < runs && wanted("box"); ++r) {
        Settle();
        QWidget* edit = QApplication::focusWidget();
        QRect rect(100, 100, 200, 40);
        if (edit && edit != view && view->viewport()->isAncestorOf(edit)) {
            // The same size as the box with the caret, beside it (the edit window covers the box).
            rect = QRect(edit->mapTo(view->viewport(), QPoint()), edit->size());
            rect.translate(rect.left() > rect.width() ? -rect.width() : rect.width(), 0);
        }
        app.Reset();
        DirectRepaint(app, box, [&] { view->viewport()->repaint(rect); });
    }
    Print(name, "box", box);
    for (const KeyAction& a : kKeyActions) {
        if (!wanted(a.row)) continue;
        Row keys;
        // An even count, so that the page row ends where it began.
        for (int r = 0; r < runs + runs % 2; ++r) MeasureKey(app, frame, a.KeyOfRun(r), a.mods, keys);
        Print(name, a.row, keys);
    }

    app.watched = nullptr;
    CloseAll(frame);
    theApp.reset();
    Settle();
}

// The same keys in a 2-page and a 255-page document of one form, open side by side in one
// program and measured in turns: a change of the machine's pace between runs falls on both alike.
void ComparePageCounts(PaintClockApp& app, const QString& small, const QString& large, const char* name,
                       int runs, const std::string& rows) {
    std::unique_ptr<CTarvexImportApp> theApp = testutil::StartTestApp({small}, -1, nullptr);
    Settle();
    theApp->Documents().OpenDocumentFile(large);
    Settle();
    CMainFrame* frame = theApp->MainFrame();
    const QList<CChildFrame*> children = frame ? frame->Children() : QList<CChildFrame*>();
    if (children.size() != 2) qFatal("%s: not opened", name);
    frame->ActivateChild(children[0]);
    Settle();
    SizeViewport(frame, ViewOf(children[0]), name);
    for (const KeyAction& a : kKeyActions) {
        if (!rows.empty() && rows.find(a.row) == std::string::npos) continue;
        Row keys[2];
        for (int r = 0; r < runs + runs % 2; ++r) {
            for (int d = 0; d < 2; ++d) {
                frame->ActivateChild(children[d]);
                QTest::qWait(30);
                Settle();
                app.watched = ViewOf(children[d])->viewport();
                MeasureKey(app, frame, a.KeyOfRun(r), a.mods, keys[d]);
            }
        }
        const double outside[2] = {Median(keys[0].outside), Median(keys[1].outside)};
        const double cpu[2] = {Median(keys[0].cpu), Median(keys[1].cpu)};
        std::printf(
            "%-10s %-5s outside %6.3f / %6.3f ms (x %.2f)  cpu %6.3f / %6.3f ms (x %.2f)  "
            "2 / 255 pages\n",
            name, a.row, outside[0], outside[1], outside[1] / outside[0], cpu[0], cpu[1], cpu[1] / cpu[0]);
        std::fflush(stdout);
    }
    app.watched = nullptr;
    CloseAll(frame);
    theApp.reset();
    Settle();
}

}  // namespace

int main(int argc, char** argv) {
    QTemporaryDir settings;
    qputenv("TARVEX_SETTINGS_DIR", settings.path().toUtf8());
    QTemporaryDir home;
    qputenv("HOME", home.path().toUtf8());
    PaintClockApp app(argc, argv);
    QApplication::setQuitOnLastWindowClosed(false);
    InstallQtTranslations();
    const int runs = argc > 1 ? std::max(9, std::atoi(argv[1])) : 15;
    const std::string only = argc > 2 ? argv[2] : "";
    const std::string rows = argc > 3 ? argv[3] : "";
    {
        QSettingsProfile profile(QSettingsProfile::Area::Profile);
        profile.WriteProfileInt(settings::kEHForm, settings::kZoomFactor, 16);
        profile.WriteProfileInt(settings::kDV1Form, settings::kZoomFactor, 16);
    }
    QTemporaryDir docs;
    double load[3] = {0, 0, 0};
    if (QFile f(QStringLiteral("/proc/loadavg")); f.open(QIODevice::ReadOnly))
        std::sscanf(f.readAll().constData(), "%lf %lf %lf", &load[0], &load[1], &load[2]);
    std::printf("platform %s, %d runs per row, load average %.2f %.2f %.2f\n",
                qPrintable(QGuiApplication::platformName()), runs, load[0], load[1], load[2]);
    if (only == "compare") {
        for (bool longTexts : {false, true}) {
            const char* length = longTexts ? "long" : "short";
            ComparePageCounts(app, MakeSad(docs.path(), 2, longTexts), MakeSad(docs.path(), 255, longTexts),
                              (std::string("SAD ") + length).c_str(), runs, rows);
            ComparePageCounts(app, MakeDv1(docs.path(), 2, longTexts), MakeDv1(docs.path(), 255, longTexts),
                              (std::string("DV1 ") + length).c_str(), runs, rows);
        }
    }
    for (bool longTexts : {false, true})
        for (int pages : {2, 64, 255}) {
            const std::string sad = "SAD " + std::to_string(pages) + (longTexts ? " long" : " short");
            if (only != "compare" && sad.find(only) != std::string::npos)
                RunDocument(app, MakeSad(docs.path(), pages, longTexts), sad.c_str(), runs, rows);
            const std::string dv1 = "DV1 " + std::to_string(pages) + (longTexts ? " long" : " short");
            if (only != "compare" && dv1.find(only) != std::string::npos)
                RunDocument(app, MakeDv1(docs.path(), pages, longTexts), dv1.c_str(), runs, rows);
        }
    if (QFile f(QStringLiteral("/proc/loadavg")); f.open(QIODevice::ReadOnly))
        std::sscanf(f.readAll().constData(), "%lf %lf %lf", &load[0], &load[1], &load[2]);
    std::printf("load average at the end %.2f %.2f %.2f\n", load[0], load[1], load[2]);
    return 0;
}
