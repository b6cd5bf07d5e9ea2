#include "core/common/AtomicFile.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fstream>
#include <random>
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

std::string LastErrorText() {
    const DWORD code = GetLastError();
    char buf[512] = {};
    const DWORD n = FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, code,
                                   0, buf, sizeof buf, nullptr);
    std::string text(buf, n);
    while (!text.empty() && (text.back() == '\n' || text.back() == '\r')) text.pop_back();
    return text.empty() ? commonstr::Args(commonstr::kErrorCode, {std::to_string(code)}) : text;
}

bool WriteTemp(const std::filesystem::path& temp, std::span<const uint8_t> data, std::string& why) {
    HANDLE h =
        CreateFileW(temp.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE) {
        why = LastErrorText();
        return false;
    }
    size_t done = 0;
    bool ok = true;
    while (ok && done < data.size()) {
        const DWORD chunk = static_cast<DWORD>(std::min<size_t>(data.size() - done, 1u << 30));
        DWORD written = 0;
        ok = WriteFile(h, data.data() + done, chunk, &written, nullptr) && written > 0;
        done += written;
    }
    if (ok) ok = FlushFileBuffers(h) != 0;
    if (!ok) why = LastErrorText();
    CloseHandle(h);
    return ok;
}

// The read-only attribute is Windows' write protection; the rename would replace such a file.
bool MayWrite(const std::filesystem::path& target) {
    const DWORD attributes = GetFileAttributesW(target.c_str());
    return attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_READONLY) == 0;
}

bool ReplaceWith(const std::filesystem::path& temp, const std::filesystem::path& target, std::string& why) {
    if (MoveFileExW(temp.c_str(), target.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
        return true;
    why = LastErrorText();
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

bool WriteTemp(const std::filesystem::path& temp, std::span<const uint8_t> data, std::string& why,
               const TargetAttributes& attributes) {
    const int fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
    if (fd < 0) {
        why = ErrnoText(errno);
        return false;
    }
    int err = 0;
    // Owner first (a change of owner clears the set-id bits), then the mode, both before the
    // rename, so the target never appears with the temporary file's private mode. Only a
    // privileged process may give a file away; the group is kept where the user belongs to it.
    if (attributes.exists && ::fchown(fd, attributes.uid, attributes.gid) != 0)
        (void)::fchown(fd, static_cast<uid_t>(-1), attributes.gid);
    if (::fchmod(fd, attributes.mode) != 0) err = errno;
    size_t done = 0;
    while (!err && done < data.size()) {
        const ssize_t n = ::write(fd, data.data() + done, data.size() - done);
        if (n < 0) {
            if (errno == EINTR) continue;
            err = errno;
        } else {
            done += static_cast<size_t>(n);
        }
    }
    if (!err && ::fsync(fd) != 0) err = errno;
    if (::close(fd) != 0 && !err) err = errno;
    if (err) why = ErrnoText(err);
    return !err;
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

std::filesystem::path TempNameFor(const std::filesystem::path& target) {
    static thread_local std::mt19937_64 rng{std::random_device{}()};
    static const char* digits = "0123456789abcdef";
    std::string suffix = ".tmp-";
    uint64_t r = rng();
    for (int i = 0; i < 12; ++i, r >>= 4) suffix.push_back(digits[r & 15]);
    std::filesystem::path name(".");
    name += target.filename();
    name += suffix;
    return target.parent_path() / name;
}

}  // namespace

bool ReadFileBytes(const std::filesystem::path& path, std::vector<uint8_t>& out, std::string& error,
                   std::uintmax_t maxSize) {
    out.clear();
    std::error_code ec;
    if (std::filesystem::is_directory(path, ec)) {
        error = commonstr::Args(commonstr::kReadIsFolder, {Display(path)});
        return false;
    }
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        error =
            commonstr::Args(commonstr::kCannotOpen, {Display(path), std::strerror(errno ? errno : ENOENT)});
        return false;
    }
    // Read in chunks rather than trusting a reported size, so special files behave too.
    std::vector<uint8_t> data;
    char buf[1 << 16];
    while (in) {
        in.read(buf, sizeof buf);
        const std::streamsize n = in.gcount();
        if (n <= 0) break;
        if (data.size() + static_cast<size_t>(n) > maxSize) {
            error = commonstr::Args(commonstr::kTooLarge, {Display(path)});
            return false;
        }
        data.insert(data.end(), buf, buf + n);
    }
    if (in.bad()) {
        error = commonstr::Args(commonstr::kCannotRead, {Display(path)});
        return false;
    }
    out = std::move(data);
    return true;
}

bool WriteFileAtomic(const std::filesystem::path& path, std::span<const uint8_t> data, std::string& error) {
    std::error_code ec;
    if (std::filesystem::is_directory(path, ec)) {
        error = commonstr::Args(commonstr::kWriteIsFolder, {Display(path)});
        return false;
    }
    // Saving through a symbolic link replaces the file it points to, not the link. A link that
    // leads nowhere (dangling, or a loop) is refused: replacing it would turn it into a file.
    std::filesystem::path target = path;
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
        target = resolved;
    }
    if (!MayWrite(target)) {
        error = commonstr::Args(commonstr::kWriteProtected, {Display(path)});
        return false;
    }
    const std::filesystem::path temp = TempNameFor(target);
    std::string why;
#ifdef _WIN32
    bool ok = WriteTemp(temp, data, why);
#else
    bool ok = WriteTemp(temp, data, why, AttributesOf(target));
#endif
    if (ok) ok = ReplaceWith(temp, target, why);
    if (!ok) {
        std::filesystem::remove(temp, ec);
        error = commonstr::Args(commonstr::kCannotSave, {Display(path), why});
    }
    return ok;
}

}  // namespace tarvex
