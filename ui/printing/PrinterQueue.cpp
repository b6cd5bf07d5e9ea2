#include "ui/printing/PrinterQueue.h"

#include <QPrinter>
#include <QPrinterInfo>
#include <type_traits>

#if TARVEX_HAVE_CUPS
#include <cups/cups.h>

#include <QLibrary>
#endif

namespace tarvex {
namespace {

// Qt's own view of the printer: where there is no CUPS to ask.
QueueState QtQueueState(const QString& name) {
    const QPrinterInfo info = QPrinterInfo::printerInfo(name);
    if (info.isNull()) return QueueState::Missing;
    return info.state() == QPrinter::Error ? QueueState::Stopped : QueueState::Ready;
}

#if TARVEX_HAVE_CUPS
// libcups is loaded when the first job asks for it, not with the program: it brings a score of
// libraries (TLS, Kerberos, Avahi) that every start would otherwise wait for. Qt's print support
// loads the same library, so its last answer is the one these functions read.
struct Cups {
    decltype(&cupsGetNamedDest) getNamedDest = nullptr;
    decltype(&cupsGetOption) getOption = nullptr;
    decltype(&cupsFreeDests) freeDests = nullptr;
    decltype(&cupsGetDests2) getDests2 = nullptr;
    decltype(&cupsLastError) lastError = nullptr;
    decltype(&cupsLastErrorString) lastErrorString = nullptr;

    static const Cups* Get() {
        static const Cups cups = Load();
        return cups.getNamedDest ? &cups : nullptr;
    }

private:
    static Cups Load() {
        QLibrary library(QStringLiteral("cups"), 2);
        Cups c;
        if (!library.load()) return c;
        auto resolve = [&library](auto& f, const char* name) {
            f = reinterpret_cast<std::remove_reference_t<decltype(f)>>(library.resolve(name));
            return f != nullptr;
        };
        const bool all = resolve(c.getNamedDest, "cupsGetNamedDest") &&
                         resolve(c.getOption, "cupsGetOption") && resolve(c.freeDests, "cupsFreeDests") &&
                         resolve(c.getDests2, "cupsGetDests2") && resolve(c.lastError, "cupsLastError") &&
                         resolve(c.lastErrorString, "cupsLastErrorString");
        return all ? c : Cups{};
    }
};
#endif

}  // namespace

QueueState CheckPrinterQueue(const QString& name, QString& reason) {
    reason.clear();
#if TARVEX_HAVE_CUPS
    if (const Cups* cups = Cups::Get()) {
        // A queue name may carry an instance ("name/instance"); the queue is the part before it.
        const QByteArray queue = name.section(QLatin1Char('/'), 0, 0).toLocal8Bit();
        const QByteArray instance = name.section(QLatin1Char('/'), 1).toLocal8Bit();
        cups_dest_t* dest = cups->getNamedDest(CUPS_HTTP_DEFAULT, queue.constData(),
                                               instance.isEmpty() ? nullptr : instance.constData());
        if (!dest) return QueueState::Missing;
        auto option = [cups, dest](const char* key) {
            return QString::fromUtf8(cups->getOption(key, dest->num_options, dest->options));
        };
        reason = option("printer-state-message");
        QueueState state = QueueState::Ready;
        if (option("printer-is-accepting-jobs") == QLatin1String("false"))
            state = QueueState::Rejecting;
        else if (option("printer-state").toInt() == IPP_PSTATE_STOPPED)
            state = QueueState::Stopped;
        cups->freeDests(1, dest);
        return state;
    }
#endif
    return QtQueueState(name);
}

void BeginSpoolerJob() {
#if TARVEX_HAVE_CUPS
    // A plain question that succeeds sets the spooler's last answer to "OK"; Qt's engine hands
    // over the job on this thread, so a refusal after it is the job's.
    if (const Cups* cups = Cups::Get()) {
        cups_dest_t* dests = nullptr;
        const int n = cups->getDests2(CUPS_HTTP_DEFAULT, &dests);
        cups->freeDests(n, dests);
    }
#endif
}

bool SpoolerAcceptedJob(QString& error) {
#if TARVEX_HAVE_CUPS
    if (const Cups* cups = Cups::Get()) {
        if (cups->lastError() <= IPP_STATUS_OK_EVENTS_COMPLETE) return true;
        error = QString::fromUtf8(cups->lastErrorString());
        return false;
    }
#endif
    return true;
}

bool UseInstalledPrinter(QPrinter& printer) {
    if (printer.outputFormat() == QPrinter::PdfFormat) return false;
    if (!printer.printerName().isEmpty() && !QPrinterInfo::printerInfo(printer.printerName()).isNull())
        return false;
    QPrinterInfo info = QPrinterInfo::defaultPrinter();
    if (info.isNull() && !QPrinterInfo::availablePrinters().isEmpty())
        info = QPrinterInfo::availablePrinters().constFirst();
    if (info.isNull()) {
        printer.setOutputFormat(QPrinter::PdfFormat);
        return true;
    }
    const bool changed = printer.printerName() != info.printerName();
    printer.setPrinterName(info.printerName());
    return changed;
}

}  // namespace tarvex
