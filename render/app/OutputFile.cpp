#include "render/app/OutputFile.h"

#include <QFile>
#include <span>
#include <string>

#include "core/common/AtomicFile.h"

namespace tarvex {

std::filesystem::path NativePath(const QString& path) {
#ifdef _WIN32
    return std::filesystem::path(path.toStdWString());
#else
    const QByteArray bytes = QFile::encodeName(path);
    return std::filesystem::path(std::string(bytes.constData(), static_cast<size_t>(bytes.size())));
#endif
}

bool WriteOutputFile(const std::filesystem::path& path, const QByteArray& bytes, QString& error) {
    std::string why;
    const std::span<const uint8_t> data(reinterpret_cast<const uint8_t*>(bytes.constData()),
                                        static_cast<size_t>(bytes.size()));
    if (WriteFileAtomic(path, data, why)) return true;
    error = QString::fromStdString(why);
    return false;
}

bool COutputFileDevice::Start(QString& error) {
    std::string why;
    if (!m_writer.Open(m_path, why)) {
        error = QString::fromStdString(why);
        return false;
    }
    return open(QIODevice::WriteOnly | QIODevice::Unbuffered);
}

qint64 COutputFileDevice::writeData(const char* data, qint64 length) {
    if (length < 0) return -1;
    if (!m_writer.Write(
            std::span<const uint8_t>(reinterpret_cast<const uint8_t*>(data), static_cast<size_t>(length))))
        return -1;
    return length;
}

bool COutputFileDevice::Commit(QString& error) {
    close();
    std::string why;
    if (m_writer.Commit(why)) return true;
    error = QString::fromStdString(why);
    return false;
}

void COutputFileDevice::Abandon() {
    close();
    m_writer.Abandon();
}

}  // namespace tarvex
