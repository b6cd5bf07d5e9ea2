#pragma once
// Output files of the renderers (PDF, PNG): made in memory, then saved as a document is saved, so
// that a failed write (full disk, no permission) leaves the old file as it was.

#include <QByteArray>
#include <QString>
#include <filesystem>

namespace tarvex {

// The path a QString names, in the platform's own form: the bytes QFile would use on Linux (a
// name that is not UTF-8 stays the same name), the UTF-16 text on Windows.
std::filesystem::path NativePath(const QString& path);

// Replaces path with bytes through a temporary file (core's WriteFileAtomic); false with the
// German message when the file could not be written completely.
bool WriteOutputFile(const std::filesystem::path& path, const QByteArray& bytes, QString& error);

}  // namespace tarvex
