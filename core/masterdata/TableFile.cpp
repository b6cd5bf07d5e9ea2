#include "core/masterdata/TableFile.h"

#include <algorithm>
#include <cstring>
#include <ctime>
#include <system_error>

#include "core/common/AtomicFile.h"
#include "core/common/LocalDate.h"
#include "core/masterdata/dBaseStrings.h"

#ifdef _WIN32
#ifndef NOMINMAX
#define NOMINMAX
#endif
#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#include <windows.h>
#else
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#endif

namespace tarvex {
namespace {

// The lock is one byte far past any table's data. Windows locks are mandatory: a lock on the
// records themselves would stop other instances (and other programs) from merely reading them.
constexpr uint64_t kLockOffset = uint64_t{1} << 40;

#ifdef _WIN32

std::string LastErrorText() {
    return WindowsErrorText(::GetLastError());
}

// Deny-none sharing as the original's file object: other instances may read and write the table.
class CDiskFile : public CTableFile {
public:
    explicit CDiskFile(HANDLE h) : m_h(h) {}
    ~CDiskFile() override { ::CloseHandle(m_h); }

    int64_t ReadAt(uint64_t offset, void* data, size_t size) override {
        auto* p = static_cast<char*>(data);
        size_t done = 0;
        while (done < size) {
            OVERLAPPED ov{};
            uint64_t pos = offset + done;
            ov.Offset = static_cast<DWORD>(pos);
            ov.OffsetHigh = static_cast<DWORD>(pos >> 32);
            DWORD chunk = static_cast<DWORD>(std::min<size_t>(size - done, 1u << 30));
            DWORD got = 0;
            if (!::ReadFile(m_h, p + done, chunk, &got, &ov)) {
                if (::GetLastError() == ERROR_HANDLE_EOF) break;
                return -1;
            }
            if (got == 0) break;
            done += got;
        }
        return static_cast<int64_t>(done);
    }

    bool WriteAt(uint64_t offset, const void* data, size_t size) override {
        const auto* p = static_cast<const char*>(data);
        size_t done = 0;
        while (done < size) {
            OVERLAPPED ov{};
            uint64_t pos = offset + done;
            ov.Offset = static_cast<DWORD>(pos);
            ov.OffsetHigh = static_cast<DWORD>(pos >> 32);
            DWORD chunk = static_cast<DWORD>(std::min<size_t>(size - done, 1u << 30));
            DWORD put = 0;
            if (!::WriteFile(m_h, p + done, chunk, &put, &ov) || put == 0) return false;
            done += put;
        }
        m_dirty = true;
        return true;
    }

    int64_t Size() override {
        LARGE_INTEGER size;
        if (!::GetFileSizeEx(m_h, &size)) return -1;
        return size.QuadPart;
    }

    bool Flush() override {
        if (!m_dirty) return true;
        if (!::FlushFileBuffers(m_h)) return false;
        m_dirty = false;
        return true;
    }

    bool Lock(bool exclusive) override {
        if (m_lockDepth > 0 && (m_bExclusive || !exclusive)) {
            ++m_lockDepth;
            return true;
        }
        // Windows cannot turn a shared lock into an exclusive one in place.
        if (m_lockDepth > 0) Region(false, false);
        if (!Region(true, exclusive)) {
            if (m_lockDepth > 0) Region(true, m_bExclusive);
            return false;
        }
        m_bExclusive = exclusive;
        ++m_lockDepth;
        return true;
    }

    void Unlock() override {
        if (m_lockDepth > 0 && --m_lockDepth == 0) Region(false, false);
    }

private:
    bool Region(bool lock, bool exclusive) {
        OVERLAPPED ov{};
        ov.Offset = static_cast<DWORD>(kLockOffset);
        ov.OffsetHigh = static_cast<DWORD>(kLockOffset >> 32);
        if (!lock) return ::UnlockFileEx(m_h, 0, 1, 0, &ov) != 0;
        return ::LockFileEx(m_h, exclusive ? LOCKFILE_EXCLUSIVE_LOCK : 0, 0, 1, 0, &ov) != 0;
    }

    HANDLE m_h;
    bool m_dirty = false;
    int m_lockDepth = 0;
    bool m_bExclusive = false;
};

HANDLE OpenHandle(const std::filesystem::path& path, DWORD access, DWORD disposition) {
    return ::CreateFileW(path.c_str(), access, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                         nullptr, disposition, FILE_ATTRIBUTE_NORMAL, nullptr);
}

#else

std::string ErrnoText(int err) {
    switch (err) {
        case ENOENT:
            return dbfstr::kCauseNotFound;
        case EACCES:
        case EPERM:
            return dbfstr::kCauseAccess;
        case EROFS:
            return dbfstr::kCauseReadOnlyFs;
        case ENOSPC:
            return dbfstr::kCauseNoSpace;
        case EISDIR:
            return dbfstr::kCauseIsFolder;
        case ENOTDIR:
            return dbfstr::kCauseNotFolder;
        case EBUSY:
        case ETXTBSY:
            return dbfstr::kCauseBusy;
        default:
            return std::system_category().message(err);
    }
}

class CDiskFile : public CTableFile {
public:
    explicit CDiskFile(int fd) : m_fd(fd) {}
    ~CDiskFile() override { ::close(m_fd); }

    int64_t ReadAt(uint64_t offset, void* data, size_t size) override {
        auto* p = static_cast<char*>(data);
        size_t done = 0;
        while (done < size) {
            ssize_t got = ::pread(m_fd, p + done, size - done, static_cast<off_t>(offset + done));
            if (got < 0) {
                if (errno == EINTR) continue;
                return -1;
            }
            if (got == 0) break;
            done += static_cast<size_t>(got);
        }
        return static_cast<int64_t>(done);
    }

    bool WriteAt(uint64_t offset, const void* data, size_t size) override {
        const auto* p = static_cast<const char*>(data);
        size_t done = 0;
        while (done < size) {
            ssize_t put = ::pwrite(m_fd, p + done, size - done, static_cast<off_t>(offset + done));
            if (put < 0) {
                if (errno == EINTR) continue;
                return false;
            }
            if (put == 0) return false;
            done += static_cast<size_t>(put);
        }
        m_dirty = true;
        return true;
    }

    int64_t Size() override {
        struct stat st;
        if (::fstat(m_fd, &st) != 0) return -1;
        return static_cast<int64_t>(st.st_size);
    }

    bool Flush() override {
        // Nothing written since the last flush: nothing to force out (saves a second sync at the
        // end of an append, right after the header write's own flush).
        if (!m_dirty) return true;
#if defined(__linux__)
        int rc = ::fdatasync(m_fd);
#else
        int rc = ::fsync(m_fd);
#endif
        if (rc != 0) return false;
        m_dirty = false;
        return true;
    }

    bool Lock(bool exclusive) override {
        if (m_lockDepth > 0 && (m_bExclusive || !exclusive)) {
            ++m_lockDepth;
            return true;
        }
        if (!Region(exclusive ? F_WRLCK : F_RDLCK)) return false;
        m_bExclusive = exclusive;
        ++m_lockDepth;
        return true;
    }

    void Unlock() override {
        if (m_lockDepth > 0 && --m_lockDepth == 0) Region(F_UNLCK);
    }

private:
    bool Region(short type) {
        struct flock fl {};
        fl.l_type = type;
        fl.l_whence = SEEK_SET;
        fl.l_start = static_cast<off_t>(kLockOffset);
        fl.l_len = 1;
#ifdef F_OFD_SETLKW
        // Bound to this open file, not to the process: closing another handle of the same table
        // (or a second table object in this process) does not drop it.
        const int command = F_OFD_SETLKW;
#else
        const int command = F_SETLKW;
#endif
        while (::fcntl(m_fd, command, &fl) != 0) {
            if (errno != EINTR) return false;
        }
        return true;
    }

    int m_fd;
    bool m_dirty = false;
    int m_lockDepth = 0;
    bool m_bExclusive = false;
};

#endif

}  // namespace

std::unique_ptr<CTableFile> OpenDiskFile(const std::filesystem::path& path, std::string& cause,
                                         bool readOnly) {
#ifdef _WIN32
    HANDLE h = OpenHandle(path, readOnly ? GENERIC_READ : GENERIC_READ | GENERIC_WRITE, OPEN_EXISTING);
    if (h == INVALID_HANDLE_VALUE) {
        cause = LastErrorText();
        return nullptr;
    }
    return std::make_unique<CDiskFile>(h);
#else
    // Not blocking: opening a pipe without a writer would wait for ever. The kind is taken from the
    // opened file, and only a regular file is kept (with blocking reads and writes again).
    int fd = ::open(path.c_str(), (readOnly ? O_RDONLY : O_RDWR) | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        cause = ErrnoText(errno);
        return nullptr;
    }
    struct stat st;
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        ::close(fd);
        cause = ErrnoText(EINVAL);
        return nullptr;
    }
    const int flags = ::fcntl(fd, F_GETFL);
    if (flags >= 0) ::fcntl(fd, F_SETFL, flags & ~O_NONBLOCK);
    return std::make_unique<CDiskFile>(fd);
#endif
}

std::unique_ptr<CTableFile> CreateDiskFile(const std::filesystem::path& path, std::string& cause) {
#ifdef _WIN32
    HANDLE h = OpenHandle(path, GENERIC_READ | GENERIC_WRITE, CREATE_ALWAYS);
    if (h == INVALID_HANDLE_VALUE) {
        cause = LastErrorText();
        return nullptr;
    }
    return std::make_unique<CDiskFile>(h);
#else
    int fd = ::open(path.c_str(), O_RDWR | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
    if (fd < 0) {
        cause = ErrnoText(errno);
        return nullptr;
    }
    return std::make_unique<CDiskFile>(fd);
#endif
}

bool CanOpenForReading(const std::filesystem::path& path) {
#ifdef _WIN32
    HANDLE h = OpenHandle(path, GENERIC_READ, OPEN_EXISTING);
    if (h == INVALID_HANDLE_VALUE) return false;
    ::CloseHandle(h);
    return true;
#else
    int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) return false;
    ::close(fd);
    return true;
#endif
}

CMemoryFile::CMemoryFile(std::vector<uint8_t> data, size_t maxSize)
    : m_data(std::move(data)), m_maxSize(maxSize) {}

int64_t CMemoryFile::ReadAt(uint64_t offset, void* data, size_t size) {
    if (m_failReads) return -1;
    if (offset >= m_data.size()) return 0;
    size_t n = std::min<uint64_t>(size, m_data.size() - offset);
    if (n > 0) std::memcpy(data, m_data.data() + offset, n);
    return static_cast<int64_t>(n);
}

bool CMemoryFile::WriteAt(uint64_t offset, const void* data, size_t size) {
    if (m_writeLimit >= 0 && m_writes >= m_writeLimit) return false;
    if (offset > m_maxSize || size > m_maxSize - offset) return false;
    ++m_writes;
    if (offset + size > m_data.size()) m_data.resize(offset + size);
    if (size > 0) std::memcpy(m_data.data() + offset, data, size);
    return true;
}

CDbfDate LocalToday() {
    const LocalDay d = TodayLocal();
    return {d.year, d.month, d.day};
}

}  // namespace tarvex
