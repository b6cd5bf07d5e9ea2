#include "ui/printing/PrinterQueue.h"

#include <QPrinter>
#include <QPrinterInfo>

#if TARVEX_HAVE_CUPS
#include <cups/cups.h>
#endif

namespace tarvex {

#if TARVEX_HAVE_CUPS

QueueState CheckPrinterQueue(const QString& name, QString& reason) {
    reason.clear();
    // A queue name may carry an instance ("name/instance"); the queue is the part before it.
    const QByteArray queue = name.section(QLatin1Char('/'), 0, 0).toLocal8Bit();
    const QByteArray instance = name.section(QLatin1Char('/'), 1).toLocal8Bit();
    cups_dest_t* dest = cupsGetNamedDest(CUPS_HTTP_DEFAULT, queue.constData(),
                                         instance.isEmpty() ? nullptr : instance.constData());
    if (!dest) return QueueState::Missing;
    auto option = [dest](const char* key) {
        return QString::fromUtf8(cupsGetOption(key, dest->num_options, dest->options));
    };
    reason = option("printer-state-message");
    QueueState state = QueueState::Ready;
    if (option("printer-is-accepting-jobs") == QLatin1String("false"))
        state = QueueState::Rejecting;
    else if (option("printer-state").toInt() == IPP_PSTATE_STOPPED)
        state = QueueState::Stopped;
    cupsFreeDests(1, dest);
    return state;
}

void BeginSpoolerJob() {
    // A plain question that succeeds sets the spooler's last answer to "OK"; Qt's engine hands
    // over the job on this thread, so a refusal after it is the job's.
    cups_dest_t* dests = nullptr;
    const int n = cupsGetDests2(CUPS_HTTP_DEFAULT, &dests);
    cupsFreeDests(n, dests);
}

bool SpoolerAcceptedJob(QString& error) {
    if (cupsLastError() <= IPP_STATUS_OK_EVENTS_COMPLETE) return true;
    error = QString::fromUtf8(cupsLastErrorString());
    return false;
}

#else

// Without CUPS Qt's own view of the printer is all there is.
QueueState CheckPrinterQueue(const QString& name, QString& reason) {
    reason.clear();
    const QPrinterInfo info = QPrinterInfo::printerInfo(name);
    if (info.isNull()) return QueueState::Missing;
    return info.state() == QPrinter::Error ? QueueState::Stopped : QueueState::Ready;
}

void BeginSpoolerJob() {}

bool SpoolerAcceptedJob(QString&) {
    return true;
}

#endif

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
