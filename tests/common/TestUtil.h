#pragma once
// Helpers shared by the GoogleTest programs: a temporary folder, file bytes and one way to run
// the tarvex program. (The Qt Test programs use QTemporaryDir.)

#include <atomic>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>
#include <string>
#include <vector>

#ifdef _WIN32
#include <process.h>
#define popen _popen
#define pclose _pclose
#else
#include <sys/wait.h>
#include <unistd.h>
#endif

namespace tarvex::testutil {

// MinGW's C++ library makes no symbolic links (and Windows needs a privilege for them), and Windows
// has no POSIX modes and owners: the tests of those say so there and skip.
#ifdef _WIN32
inline constexpr bool kSymlinksAndModes = false;
#else
inline constexpr bool kSymlinksAndModes = true;
#endif
inline constexpr char kNoSymlinksAndModes[] = "no symbolic links and POSIX modes on Windows";

inline long CurrentPid() {
#ifdef _WIN32
    return _getpid();
#else
    return static_cast<long>(::getpid());
#endif
}

// A folder of its own under the system's temporary folder, removed with the object. The name
// holds the process id and a counter, so that tests running in parallel never share one.
class TempDir {
public:
    TempDir() {
        static std::atomic<int> counter{0};
        const auto base = std::filesystem::temp_directory_path();
        for (int i = 0;; ++i) {
            m_path = base / ("tarvex-test-" + std::to_string(CurrentPid()) + "-" + std::to_string(counter++) +
                             "-" + std::to_string(i));
            if (std::filesystem::create_directory(m_path)) break;
        }
    }
    ~TempDir() {
        std::error_code ec;
        std::filesystem::remove_all(m_path, ec);
    }
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    const std::filesystem::path& Path() const { return m_path; }
    std::filesystem::path operator/(const std::string& name) const { return m_path / name; }

private:
    std::filesystem::path m_path;
};

inline std::vector<uint8_t> ReadBytes(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

inline std::string ReadText(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

inline void WriteBytes(const std::filesystem::path& path, const std::vector<uint8_t>& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

// One argument for the shell's command line.
inline std::string QuoteArg(const std::string& s) {
#ifdef _WIN32
    return "\"" + s + "\"";
#else
    std::string q = "'";
    for (char c : s) q += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return q + "'";
#endif
}

struct CliRun {
    int exitCode = -1;
    std::string out, err;
};

#ifdef TARVEX_CLI_PATH
// Runs `tarvex ARGS` (ARGS quoted with QuoteArg) as a user would. Its settings live in
// `scratch`/settings, never in the user's own; its standard error goes through a file there.
inline CliRun RunTarvex(const std::string& args, const std::filesystem::path& scratch) {
    const std::string errFile = (scratch / "stderr.txt").string();
#ifdef _WIN32
    _putenv_s("TARVEX_SETTINGS_DIR", (scratch / "settings").string().c_str());
#else
    ::setenv("TARVEX_SETTINGS_DIR", (scratch / "settings").string().c_str(), 1);
#endif
    std::string command = QuoteArg(TARVEX_CLI_PATH) + " " + args + " 2>" + QuoteArg(errFile);
#ifdef _WIN32
    command = "\"" + command + "\"";  // cmd /c takes off the outer pair of quotes
#endif
    CliRun r;
    FILE* pipe = popen(command.c_str(), "r");
    if (!pipe) return r;
    char buf[65536];
    size_t n;
    while ((n = std::fread(buf, 1, sizeof buf, pipe)) > 0) r.out.append(buf, n);
    const int status = pclose(pipe);
#ifdef _WIN32
    r.exitCode = status;
#else
    r.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
#endif
    r.err = ReadText(errFile);
    return r;
}
#endif

}  // namespace tarvex::testutil
