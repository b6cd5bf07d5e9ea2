#pragma once
// What the system's spooler says about a printer queue, asked before a job goes to it and right
// after it was handed over. Qt's print engine hands the job to CUPS and drops the answer, so a
// queue that is gone, stopped or refusing jobs would otherwise pass for a printed form.

#include <QString>

class QPrinter;

namespace tarvex {

enum class QueueState { Ready, Missing, Stopped, Rejecting };

// The state of the queue named name; reason is the spooler's own word on it, when it has one.
QueueState CheckPrinterQueue(const QString& name, QString& reason);

// Marks the start of a job on the queue: what the spooler answers from here on is the job's.
void BeginSpoolerJob();
// False when the spooler refused the job handed over since BeginSpoolerJob; error is its reason.
bool SpoolerAcceptedJob(QString& error);

// Keeps the printer on an installed queue: a printer that is no longer installed is replaced by
// the system's default printer (or the first one), and without any printer the job goes into a
// PDF file. True when the printer was changed.
bool UseInstalledPrinter(QPrinter& printer);

}  // namespace tarvex
