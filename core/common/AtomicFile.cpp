#include "core/common/AtomicFile.h"

#include <algorithm>
#include <cerrno>
#include <charconv>
#include <chrono>
#include <cstring>
#include <fstream>
#include <functional>
#include <iterator>
#include <optional>
#include <random>
#include <string_view>
#include <system_error>

#ifdef _WIN32
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>
#else
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

#include "core/common/CommonStrings.h"

namespace tarvex {
namespace {

std::string Display(const std::filesystem::path& p) {
    const std::u8string s = p.u8string();
    return "\"" + std::string(s.begin(), s.end()) + "\"";
}

#ifdef _WIN32

std::string Utf8Of(const wchar_t* text, int length) {
    if (length <= 0) return {};
    const int n = WideCharToMultiByte(CP_UTF8, 0, text, length, nullptr, 0, nullptr, nullptr);
    std::string out(static_cast<size_t>(n), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text, length, out.data(), n, nullptr, nullptr);
    return out;
}

// The system's text for the last error, in UTF-8 (the ANSI code page would garble umlauts). A file
// that another program holds open without sharing gets the program's own words: the clerk must
// learn that closing the other program helps.
std::string LastErrorText() {
    return WindowsErrorText(GetLastError());
}

}  // namespace

std::string WindowsErrorText(unsigned long code) {
    if (code == ERROR_SHARING_VIOLATION || code == ERROR_LOCK_VIOLATION) return commonstr::kOpenElsewhere;
    wchar_t buf[512] = {};
    const DWORD n = FormatMessageW(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, code,
                                   0, buf, static_cast<DWORD>(std::size(buf)), nullptr);
    std::string text = Utf8Of(buf, static_cast<int>(n));
    while (!text.empty() && (text.back() == '\n' || text.back() == '\r' || text.back() == ' '))
        text.pop_back();
    return text.empty() ? commonstr::Args(commonstr::kErrorCode, {std::to_string(code)}) : text;
}

namespace {

using FileHandle = HANDLE;
const FileHandle kNoFile = INVALID_HANDLE_VALUE;

FileHandle OpenTemp(const std::filesystem::path& temp, std::string& why) {
    HANDLE h =
        CreateFileW(temp.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE) why = LastErrorText();
    return h;
}

bool WriteAll(FileHandle h, std::span<const uint8_t> data, std::string& why) {
    size_t done = 0;
    while (done < data.size()) {
        const DWORD chunk = static_cast<DWORD>(std::min<size_t>(data.size() - done, 1u << 30));
        DWORD written = 0;
        if (!WriteFile(h, data.data() + done, chunk, &written, nullptr) || written == 0) {
            why = LastErrorText();
            return false;
        }
        done += written;
    }
    return true;
}

// Flushes and closes; false with why when the data did not reach the disk.
bool FinishTemp(FileHandle h, std::string& why) {
    const bool ok = FlushFileBuffers(h) != 0;
    if (!ok) why = LastErrorText();
    CloseHandle(h);
    return ok;
}

void CloseTemp(FileHandle h) {
    CloseHandle(h);
}

// The read-only attribute is Windows' write protection; the rename would replace such a file.
bool MayWrite(const std::filesystem::path& target) {
    const DWORD attributes = GetFileAttributesW(target.c_str());
    return attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_READONLY) == 0;
}

// Replacing a file needs the right to delete it, which every program that holds it open must
// share; Windows then says only "access denied". Asking for that right alone tells the cases apart.
bool OpenElsewhere(const std::filesystem::path& target) {
    const HANDLE h =
        CreateFileW(target.c_str(), DELETE, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                    OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE) return GetLastError() == ERROR_SHARING_VIOLATION;
    CloseHandle(h);
    return false;
}

bool ReplaceWith(const std::filesystem::path& temp, const std::filesystem::path& target, std::string& why) {
    if (MoveFileExW(temp.c_str(), target.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
        return true;
    const DWORD code = GetLastError();
    why = code == ERROR_ACCESS_DENIED && OpenElsewhere(target) ? commonstr::kOpenElsewhere
                                                               : WindowsErrorText(code);
    return false;
}

#else

std::string ErrnoText(int err) {
    return std::strerror(err);
}

// What the new file takes over from the one it replaces.
struct TargetAttributes {
    mode_t mode = 0;
    bool exists = false;
    uid_t uid = 0;
    gid_t gid = 0;
};

TargetAttributes AttributesOf(const std::filesystem::path& target) {
    TargetAttributes a;
    struct stat st {};
    if (::stat(target.c_str(), &st) == 0) {
        a.exists = true;
        a.mode = st.st_mode & 07777;
        a.uid = st.st_uid;
        a.gid = st.st_gid;
        return a;
    }
    const mode_t mask = ::umask(0);
    ::umask(mask);
    a.mode = 0666 & ~mask;
    return a;
}

// The rename needs only the folder's permission; a file the user may not write is refused, not
// replaced behind its owner's back.
bool MayWrite(const std::filesystem::path& target) {
    return ::faccessat(AT_FDCWD, target.c_str(), W_OK, AT_EACCESS) == 0 || errno == ENOENT;
}

using FileHandle = int;
const FileHandle kNoFile = -1;

FileHandle OpenTemp(const std::filesystem::path& temp, std::string& why, const TargetAttributes& attributes) {
    const int fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
    if (fd < 0) {
        why = ErrnoText(errno);
        return kNoFile;
    }
    // Owner first (a change of owner clears the set-id bits), then the mode, both before the
    // rename, so the target never appears with the temporary file's private mode. Only a
    // privileged process may give a file away; the group is kept where the user belongs to it.
    if (attributes.exists && ::fchown(fd, attributes.uid, attributes.gid) != 0)
        (void)::fchown(fd, static_cast<uid_t>(-1), attributes.gid);
    if (::fchmod(fd, attributes.mode) != 0) {
        why = ErrnoText(errno);
        ::close(fd);
        return kNoFile;
    }
    return fd;
}

bool WriteAll(FileHandle fd, std::span<const uint8_t> data, std::string& why) {
    size_t done = 0;
    while (done < data.size()) {
        const ssize_t n = ::write(fd, data.data() + done, data.size() - done);
        if (n < 0) {
            if (errno == EINTR) continue;
            why = ErrnoText(errno);
            return false;
        }
        done += static_cast<size_t>(n);
    }
    return true;
}

// Syncs and closes; false with why when the data did not reach the disk.
bool FinishTemp(FileHandle fd, std::string& why) {
    int err = 0;
    if (::fsync(fd) != 0) err = errno;
    if (::close(fd) != 0 && !err) err = errno;
    if (err) why = ErrnoText(err);
    return !err;
}

void CloseTemp(FileHandle fd) {
    ::close(fd);
}

bool ReplaceWith(const std::filesystem::path& temp, const std::filesystem::path& target, std::string& why) {
    if (::rename(temp.c_str(), target.c_str()) != 0) {
        why = ErrnoText(errno);
        return false;
    }
    // Make the rename itself durable; a folder that cannot be synced does not undo the save.
    std::filesystem::path dir = target.parent_path();
    if (dir.empty()) dir = ".";
    const int dfd = ::open(dir.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dfd >= 0) {
        ::fsync(dfd);
        ::close(dfd);
    }
    return true;
}

#endif

constexpr char kTempMarker[] = ".tmp-";
constexpr size_t kTempDigits = 12;

// When this process started; nullopt where the system does not tell.
std::optional<std::chrono::system_clock::time_point> ProcessStart() {
#ifdef _WIN32
    FILETIME created, exited, kernel, user;
    if (!GetProcessTimes(GetCurrentProcess(), &created, &exited, &kernel, &user)) return std::nullopt;
    // 100 ns steps since 1601-01-01.
    const uint64_t ticks = (uint64_t{created.dwHighDateTime} << 32) | created.dwLowDateTime;
    const int64_t unix100ns = static_cast<int64_t>(ticks) - 116444736000000000LL;
    return std::chrono::system_clock::time_point(
        std::chrono::duration_cast<std::chrono::system_clock::duration>(
            std::chrono::nanoseconds(unix100ns * 100)));
#elif defined(__linux__)
    // Field 22 of /proc/self/stat: clock ticks after boot; the boot time is "btime" in /proc/stat.
    auto readAll = [](const char* name) {
        std::ifstream in(name, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    };
    const std::string stat = readAll("/proc/self/stat");
    const size_t close = stat.rfind(')');  // the command name may hold blanks and parentheses
    if (close == std::string::npos) return std::nullopt;
    size_t pos = close + 1;
    for (int field = 3; field <= 22; ++field) {
        pos = stat.find(' ', pos);
        if (pos == std::string::npos) return std::nullopt;
        ++pos;
    }
    uint64_t startTicks = 0;
    if (std::from_chars(stat.data() + pos, stat.data() + stat.size(), startTicks).ec != std::errc{})
        return std::nullopt;
    const std::string all = readAll("/proc/stat");
    const size_t b = all.find("\nbtime ");
    int64_t bootSeconds = 0;
    if (b == std::string::npos ||
        std::from_chars(all.data() + b + 7, all.data() + all.size(), bootSeconds).ec != std::errc{})
        return std::nullopt;
    const long hz = ::sysconf(_SC_CLK_TCK);
    if (hz <= 0) return std::nullopt;
    // btime is whole seconds: a second's margin keeps a temporary of this process from looking
    // older than the process.
    const auto start =
        std::chrono::seconds(bootSeconds) +
        std::chrono::milliseconds(static_cast<int64_t>(startTicks * 1000 / static_cast<uint64_t>(hz)));
    return std::chrono::system_clock::time_point(start - std::chrono::seconds(1));
#else
    return std::nullopt;
#endif
}

// ".<name>.tmp-" and twelve hex digits: the temporary files of a save of <name>.
bool IsTempNameOf(const std::u8string& candidate, const std::u8string& prefix) {
    if (candidate.size() != prefix.size() + kTempDigits || candidate.compare(0, prefix.size(), prefix) != 0)
        return false;
    return std::all_of(candidate.begin() + static_cast<std::ptrdiff_t>(prefix.size()), candidate.end(),
                       [](char8_t c) { return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f'); });
}

// A save that was interrupted (power cut, killed program) leaves its temporary file beside the
// document. Those of this document that are older than this process cannot belong to a save
// still running here; they go with the next save. Failures are of no concern to the save.
void RemoveStaleTemps(const std::filesystem::path& target) {
    const auto started = ProcessStart();
    if (!started) return;
    const std::u8string prefix = u8"." + target.filename().u8string() + u8".tmp-";
    std::filesystem::path dir = target.parent_path();
    if (dir.empty()) dir = ".";
    std::error_code ec;
    std::vector<std::filesystem::path> stale;
    for (std::filesystem::directory_iterator it(dir, ec), end; !ec && it != end; it.increment(ec)) {
        const std::filesystem::path& p = it->path();
        if (!IsTempNameOf(p.filename().u8string(), prefix)) continue;
        std::error_code fileEc;
        if (!it->is_regular_file(fileEc) || it->is_symlink(fileEc)) continue;
        const auto written = std::filesystem::last_write_time(p, fileEc);
        if (fileEc) continue;
        if (std::chrono::file_clock::to_sys(written) < *started) stale.push_back(p);
    }
    for (const auto& p : stale) std::filesystem::remove(p, ec);
}

std::filesystem::path TempNameFor(const std::filesystem::path& target) {
    constexpr char digits[] = "0123456789abcdef";
    // Fresh from the system's source each time: no generator state outlives the call.
    std::random_device device;
    uint64_t r = (uint64_t{device()} << 32) ^ device();
    std::string suffix = kTempMarker;
    for (size_t i = 0; i < kTempDigits; ++i, r >>= 4) suffix.push_back(digits[r & 15]);
    std::filesystem::path name(".");
    name += target.filename();
    name += suffix;
    return target.parent_path() / name;
}

}  // namespace

bool IsNameWindowsForbids(const std::filesystem::path& name) {
    const std::u16string n = name.u16string();
    if (n.empty() || n == u"." || n == u"..") return false;
    for (char16_t c : n) {
        if (c < 0x20 || std::u16string_view(u"<>:\"/\\|?*").find(c) != std::u16string_view::npos) return true;
    }
    if (n.back() == u'.' || n.back() == u' ') return true;
    // The devices keep their meaning with any extension: "con.aef" is the console too.
    std::u16string base = n.substr(0, n.find(u'.'));
    while (!base.empty() && base.back() == u' ') base.pop_back();
    for (char16_t& c : base) {
        if (c >= u'a' && c <= u'z') c = static_cast<char16_t>(c - u'a' + u'A');
    }
    if (base == u"CON" || base == u"PRN" || base == u"AUX" || base == u"NUL" || base == u"CONIN$" ||
        base == u"CONOUT$")
        return true;
    return base.size() == 4 && (base.starts_with(u"COM") || base.starts_with(u"LPT")) && base[3] >= u'1' &&
           base[3] <= u'9';
}

bool ReadFileBytes(const std::filesystem::path& path, std::vector<uint8_t>& out, std::string& error,
                   std::uintmax_t maxSize, size_t headLength,
                   const std::function<bool(std::span<const uint8_t>)>& headAccepted,
                   std::uintmax_t* fileSize) {
    out.clear();
    std::error_code ec;
    if (std::filesystem::is_directory(path, ec)) {
        error = commonstr::Args(commonstr::kReadIsFolder, {Display(path)});
        return false;
    }
    auto openFailed = [&](int err) {
        error = commonstr::Args(commonstr::kCannotOpen, {Display(path), std::strerror(err ? err : ENOENT)});
        return false;
    };
#ifdef _WIN32
    if (IsNameWindowsForbids(path.filename())) {
        error = commonstr::Args(commonstr::kForbiddenName, {Display(path)});
        return false;
    }
    // Windows opens no pipe or device by a plain file name that passed this test.
    const auto status = std::filesystem::status(path, ec);
    if (ec) return openFailed(ENOENT);
    if (!std::filesystem::is_regular_file(status)) {
        error = commonstr::Args(commonstr::kNotAFile, {Display(path)});
        return false;
    }
    // Others may go on reading, writing or replacing the file while it is read, as with any
    // program that only reads.
    const HANDLE h =
        CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                    nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE) {
        error = commonstr::Args(commonstr::kCannotOpen, {Display(path), LastErrorText()});
        return false;
    }
    struct Closer {
        HANDLE h;
        ~Closer() { CloseHandle(h); }
    } closer{h};
    LARGE_INTEGER length{};
    if (!GetFileSizeEx(h, &length)) {
        error = commonstr::Args(commonstr::kCannotOpen, {Display(path), LastErrorText()});
        return false;
    }
    const std::uintmax_t size = static_cast<std::uintmax_t>(length.QuadPart);
    auto readSome = [&](char* buf, size_t want) -> int64_t {
        DWORD got = 0;
        if (!ReadFile(h, buf, static_cast<DWORD>(want), &got, nullptr)) return -1;
        return got;
    };
#else
    // Not blocking: the open of a pipe without a writer would wait for ever. The kind is then
    // taken from the opened file itself, so it cannot change between the test and the read.
    const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) return openFailed(errno);
    struct Closer {
        int fd;
        ~Closer() { ::close(fd); }
    } closer{fd};
    struct stat st {};
    if (::fstat(fd, &st) != 0) return openFailed(errno);
    if (!S_ISREG(st.st_mode)) {
        error = commonstr::Args(commonstr::kNotAFile, {Display(path)});
        return false;
    }
    const std::uintmax_t size = static_cast<std::uintmax_t>(st.st_size);
    auto readSome = [&](char* buf, size_t want) -> int64_t {
        for (;;) {
            const ssize_t n = ::read(fd, buf, want);
            if (n >= 0 || errno != EINTR) return n;
        }
    };
#endif
    if (fileSize) *fileSize = size;
    if (size > maxSize) {
        error = commonstr::Args(commonstr::kTooLarge, {Display(path)});
        return false;
    }
    // The file system's size only guides the first allocation; what is read is bounded by maxSize
    // itself (a file may grow while it is read).
    std::vector<uint8_t> data;
    data.reserve(static_cast<size_t>(size));
    char buf[1 << 16];
    bool headChecked = !headAccepted;
    for (;;) {
        size_t want = sizeof buf;
        if (!headChecked) want = headLength - std::min(headLength, data.size());
        if (want == 0) want = sizeof buf;
        const int64_t n = readSome(buf, want);
        if (n < 0) {
            error = commonstr::Args(commonstr::kCannotRead, {Display(path)});
            return false;
        }
        if (static_cast<uintmax_t>(data.size()) + static_cast<uintmax_t>(n) > maxSize) {
            error = commonstr::Args(commonstr::kTooLarge, {Display(path)});
            return false;
        }
        data.insert(data.end(), buf, buf + n);
        if (!headChecked && (data.size() >= headLength || n == 0)) {
            headChecked = true;
            if (!headAccepted(data)) break;
        }
        if (n == 0) break;
    }
    out = std::move(data);
    return true;
}

bool WriteFileAtomic(const std::filesystem::path& path, std::span<const uint8_t> data, std::string& error) {
    CAtomicFileWriter writer;
    if (!writer.Open(path, error)) return false;
    writer.Write(data);
    return writer.Commit(error);
}

// ------------------------------------------------------------------------------------------------

struct CAtomicFileWriter::Temp {
    FileHandle handle = kNoFile;
};

CAtomicFileWriter::CAtomicFileWriter() : m_temp(std::make_unique<Temp>()) {}

CAtomicFileWriter::~CAtomicFileWriter() {
    Abandon();
}

bool CAtomicFileWriter::Open(const std::filesystem::path& path, std::string& error) {
    Abandon();
    m_path = path;
    m_why.clear();
    std::error_code ec;
    if (std::filesystem::is_directory(path, ec)) {
        error = commonstr::Args(commonstr::kWriteIsFolder, {Display(path)});
        return false;
    }
    // Saving through a symbolic link replaces the file it points to, not the link. A link that
    // leads nowhere (dangling, or a loop) is refused: replacing it would turn it into a file.
    m_target = path;
    if (std::filesystem::is_symlink(path, ec)) {
        const std::filesystem::path resolved = std::filesystem::canonical(path, ec);
        if (ec) {
            error = commonstr::Args(commonstr::kBrokenLink, {Display(path), ec.message()});
            return false;
        }
        if (std::filesystem::is_directory(resolved, ec)) {
            error = commonstr::Args(commonstr::kWriteIsFolder, {Display(path)});
            return false;
        }
        m_target = resolved;
    }
#ifdef _WIN32
    // Windows would write "Beleg." as "Beleg", "a:b" into a hidden stream of "a", "CON" to the console.
    if (IsNameWindowsForbids(m_target.filename())) {
        error = commonstr::Args(commonstr::kForbiddenName, {Display(path)});
        return false;
    }
#endif
    if (!MayWrite(m_target)) {
        error = commonstr::Args(commonstr::kWriteProtected, {Display(path)});
        return false;
    }
    m_tempPath = TempNameFor(m_target);
    std::string why;
#ifdef _WIN32
    m_temp->handle = OpenTemp(m_tempPath, why);
#else
    m_temp->handle = OpenTemp(m_tempPath, why, AttributesOf(m_target));
#endif
    if (m_temp->handle == kNoFile) {
        std::filesystem::remove(m_tempPath, ec);
        m_tempPath.clear();
        error = commonstr::Args(commonstr::kCannotSave, {Display(path), why});
        return false;
    }
    return true;
}

bool CAtomicFileWriter::IsOpen() const {
    return m_temp->handle != kNoFile;
}

bool CAtomicFileWriter::Write(std::span<const uint8_t> data) {
    if (!IsOpen() || !m_why.empty()) return false;
    if (m_buffer.size() + data.size() <= kBufferSize) {
        m_buffer.insert(m_buffer.end(), data.begin(), data.end());
        return true;
    }
    if (!FlushBuffer()) return false;
    if (data.size() >= kBufferSize) return WriteAll(m_temp->handle, data, m_why);
    m_buffer.assign(data.begin(), data.end());
    return true;
}

bool CAtomicFileWriter::FlushBuffer() {
    if (m_buffer.empty()) return true;
    const bool ok = WriteAll(m_temp->handle, m_buffer, m_why);
    m_buffer.clear();
    return ok;
}

bool CAtomicFileWriter::Commit(std::string& error) {
    if (!IsOpen()) {
        error = commonstr::Args(commonstr::kCannotSave, {Display(m_path), std::strerror(EBADF)});
        return false;
    }
    std::string why = m_why;
    bool ok = why.empty() && FlushBuffer();
    if (!ok && why.empty()) why = m_why;
    const FileHandle handle = m_temp->handle;
    m_temp->handle = kNoFile;
    if (ok) {
        ok = FinishTemp(handle, why);
    } else {
        CloseTemp(handle);
    }
    if (ok) ok = ReplaceWith(m_tempPath, m_target, why);
    std::error_code ec;
    if (!ok) {
        std::filesystem::remove(m_tempPath, ec);
        m_tempPath.clear();
        m_buffer = {};
        error = commonstr::Args(commonstr::kCannotSave, {Display(m_path), why});
        return false;
    }
    m_tempPath.clear();
    m_buffer = {};
    RemoveStaleTemps(m_target);
    return true;
}

void CAtomicFileWriter::Abandon() {
    if (!m_temp || m_temp->handle == kNoFile) return;
    CloseTemp(m_temp->handle);
    m_temp->handle = kNoFile;
    std::error_code ec;
    std::filesystem::remove(m_tempPath, ec);
    m_tempPath.clear();
    m_buffer = {};
}

}  // namespace tarvex
