#pragma once
// A second process of a test program that runs one role: a function of the test with string
// arguments (UTF-8). Clerks share tables between processes, so the tests need real processes.
// POSIX: fork, and the role runs in the child. Windows, which has no fork: the test program starts
// itself again with the role's name and arguments in its environment, and the role's registration
// (TARVEX_CHILD_ROLE, a static object) runs it before GoogleTest starts, then ends the process.

#include <cerrno>
#include <cstdlib>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#ifdef _WIN32
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>
#else
#include <signal.h>
#include <sys/types.h>
#include <sys/wait.h>
#include <unistd.h>
#endif

namespace tarvex::testutil {

using ChildRoleFn = int (*)(const std::vector<std::string>& args);

#ifdef _WIN32
inline constexpr wchar_t kChildRoleVariable[] = L"TARVEX_TEST_CHILD_ROLE";
// What a process ended by Kill() reports; no role returns it.
inline constexpr UINT kKilledExitCode = 0xDEAD;

inline std::wstring WideOf(std::string_view utf8) {
    if (utf8.empty()) return {};
    const int n = ::MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), nullptr, 0);
    std::wstring w(static_cast<size_t>(n), L'\0');
    ::MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), w.data(), n);
    return w;
}

inline std::string Utf8Of(std::wstring_view wide) {
    if (wide.empty()) return {};
    const int n = ::WideCharToMultiByte(CP_UTF8, 0, wide.data(), static_cast<int>(wide.size()), nullptr, 0,
                                        nullptr, nullptr);
    std::string s(static_cast<size_t>(n), '\0');
    ::WideCharToMultiByte(CP_UTF8, 0, wide.data(), static_cast<int>(wide.size()), s.data(), n, nullptr,
                          nullptr);
    return s;
}
#endif

// The role's name and its arguments, one per line (no argument holds a line break).
inline std::string JoinRole(std::string_view name, const std::vector<std::string>& args) {
    std::string s(name);
    for (const std::string& a : args) s += "\n" + a;
    return s;
}

class ChildProcess {
public:
    ChildProcess() = default;
    ChildProcess(const ChildProcess&) = delete;
    ChildProcess& operator=(const ChildProcess&) = delete;
    ~ChildProcess() {
        if (Started() && !m_waited) {
            Kill();
            Wait();
        }
    }

    // Starts `name` (registered with TARVEX_CHILD_ROLE(name, fn)) with args. false when no process
    // could be started.
    bool Start(std::string_view name, ChildRoleFn fn, const std::vector<std::string>& args) {
#ifdef _WIN32
        (void)fn;
        wchar_t self[32768];
        const DWORD len = ::GetModuleFileNameW(nullptr, self, 32768);
        if (len == 0 || len >= 32768) return false;
        std::wstring commandLine = L"\"" + std::wstring(self, len) + L"\"";
        // The child inherits the environment; the variable is set only around the start.
        const std::wstring role = WideOf(JoinRole(name, args));
        ::SetEnvironmentVariableW(kChildRoleVariable, role.c_str());
        STARTUPINFOW si{};
        si.cb = sizeof si;
        PROCESS_INFORMATION pi{};
        const BOOL ok = ::CreateProcessW(self, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                                         nullptr, &si, &pi);
        ::SetEnvironmentVariableW(kChildRoleVariable, nullptr);
        if (!ok) return false;
        ::CloseHandle(pi.hThread);
        m_process = pi.hProcess;
        return true;
#else
        (void)name;
        const pid_t pid = ::fork();
        if (pid < 0) return false;
        if (pid == 0) ::_exit(fn(args));
        m_pid = pid;
        return true;
#endif
    }

    bool Started() const {
#ifdef _WIN32
        return m_process != nullptr;
#else
        return m_pid > 0;
#endif
    }

    // True while the process runs.
    bool Running() {
        if (!Started() || m_waited) return false;
#ifdef _WIN32
        return ::WaitForSingleObject(m_process, 0) == WAIT_TIMEOUT;
#else
        int status = 0;
        const pid_t r = ::waitpid(m_pid, &status, WNOHANG);
        if (r == m_pid) Finish(status);
        return r == 0;
#endif
    }

    bool Kill() {
        if (m_waited) return false;
#ifdef _WIN32
        return Started() && ::TerminateProcess(m_process, kKilledExitCode);
#else
        return Started() && ::kill(m_pid, SIGKILL) == 0;
#endif
    }

    // Waits for the end: the role's exit code, nullopt when the process was killed (or never ran).
    std::optional<int> Wait() {
        if (!Started()) return std::nullopt;
        if (!m_waited) {
#ifdef _WIN32
            ::WaitForSingleObject(m_process, INFINITE);
            DWORD code = 0;
            ::GetExitCodeProcess(m_process, &code);
            ::CloseHandle(m_process);
            m_waited = true;
            if (code != kKilledExitCode) m_exitCode = static_cast<int>(code);
#else
            int status = 0;
            while (::waitpid(m_pid, &status, 0) < 0) {
                if (errno != EINTR) return std::nullopt;
            }
            Finish(status);
#endif
        }
        return m_exitCode;
    }

private:
#ifdef _WIN32
    HANDLE m_process = nullptr;
#else
    void Finish(int status) {
        m_waited = true;
        if (WIFEXITED(status)) m_exitCode = WEXITSTATUS(status);
    }
    pid_t m_pid = -1;
#endif
    bool m_waited = false;
    std::optional<int> m_exitCode;
};

// Runs the role when this process was started for it (Windows only; on POSIX the child runs it
// after fork).
struct ChildRoleRegistration {
    ChildRoleRegistration(std::string_view name, ChildRoleFn fn) {
#ifdef _WIN32
        wchar_t buf[32768];
        const DWORD n = ::GetEnvironmentVariableW(kChildRoleVariable, buf, 32768);
        if (n == 0 || n >= 32768) return;
        const std::string role = Utf8Of(std::wstring_view(buf, n));
        std::vector<std::string> parts;
        for (size_t start = 0;;) {
            const size_t end = role.find('\n', start);
            parts.push_back(role.substr(start, end - start));
            if (end == std::string::npos) break;
            start = end + 1;
        }
        if (parts.front() != name) return;
        parts.erase(parts.begin());
        ::ExitProcess(static_cast<UINT>(fn(parts)));
#else
        (void)name;
        (void)fn;
#endif
    }
};

}  // namespace tarvex::testutil

#define TARVEX_CHILD_ROLE_CAT2(a, b) a##b
#define TARVEX_CHILD_ROLE_CAT(a, b) TARVEX_CHILD_ROLE_CAT2(a, b)
// Registers fn as the role `name` of this test program's child processes.
#define TARVEX_CHILD_ROLE(name, fn)                                                                          \
    static const ::tarvex::testutil::ChildRoleRegistration TARVEX_CHILD_ROLE_CAT(childRole_, __LINE__)(name, \
                                                                                                       fn)
