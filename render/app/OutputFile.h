#pragma once
// Output files of the renderers (PDF, PNG): made in memory, then saved as a document is saved, so
// that a failed write (full disk, no permission) leaves the old file as it was.

#include <QByteArray>
#include <QIODevice>
#include <QString>
#include <filesystem>

#include "core/common/AtomicFile.h"

namespace tarvex {

// The path a QString names, in the platform's own form: the bytes QFile would use on Linux (a
// name that is not UTF-8 stays the same name), the UTF-16 text on Windows.
std::filesystem::path NativePath(const QString& path);

// Replaces path with bytes through a temporary file (core's WriteFileAtomic); false with the
// German message when the file could not be written completely.
bool WriteOutputFile(const std::filesystem::path& path, const QByteArray& bytes, QString& error);

// The same for output that a writer makes piece by piece (QPdfWriter): every write goes to the
// temporary file at once, so that a job of any length needs no more memory than one piece, and
// only Commit puts the file in place. Without Commit nothing is left behind.
class COutputFileDevice : public QIODevice {
public:
    explicit COutputFileDevice(std::filesystem::path path) : m_path(std::move(path)) {}
    // Opens the device for writing; false with the German message when the target cannot be
    // written (before any work is done).
    bool Start(QString& error);
    bool Commit(QString& error);
    void Abandon();
    bool isSequential() const override { return true; }

protected:
    qint64 readData(char*, qint64) override { return -1; }
    qint64 writeData(const char* data, qint64 length) override;

private:
    std::filesystem::path m_path;
    CAtomicFileWriter m_writer;
};

}  // namespace tarvex
