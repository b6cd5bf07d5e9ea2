#pragma once
// Whole-file reading and atomic replacing of a file: the new contents go to a temporary file in
// the target folder, are flushed and synced, and only then renamed over the target, so that a
// failed save never leaves a half-written document behind.

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <memory>
#include <span>
#include <string>
#include <vector>

namespace tarvex {

// Files larger than this are refused by ReadFileBytes: no document of the program comes near it,
// and a reader must not be driven into allocating whatever a damaged file system reports.
inline constexpr std::uintmax_t kMaxDocumentFileSize = 256u * 1024u * 1024u;

// Reads the whole file. false with a message when it cannot be opened or read, is no regular file
// (a pipe, a device: refused before a byte is read, so a reader never waits for one) or is larger
// than maxSize (refused by the size the file system gives, unread). When headAccepted is given
// and says no to the first headLength bytes, only those are read: a file of another kind is not
// read to its end to be refused. fileSize receives the size the file system gives.
bool ReadFileBytes(const std::filesystem::path& path, std::vector<uint8_t>& out, std::string& error,
                   std::uintmax_t maxSize = kMaxDocumentFileSize, size_t headLength = 0,
                   const std::function<bool(std::span<const uint8_t>)>& headAccepted = {},
                   std::uintmax_t* fileSize = nullptr);

// True for a file name that Windows refuses or takes for something else: a device ("CON",
// "lpt1.aef"), a reserved character ("a:b" names a hidden stream of "a"), a trailing dot or blank
// (dropped, so "Beleg." would overwrite "Beleg"). Saving and reading on Windows refuse such names.
bool IsNameWindowsForbids(const std::filesystem::path& name);

#ifdef _WIN32
// The system's text for a Windows error code in UTF-8 (the ANSI code page would garble umlauts);
// a file held open by another program gets the program's own words.
std::string WindowsErrorText(unsigned long code);
#endif

// Replaces path with data atomically. On failure the old file (if any) is unchanged, the
// temporary file is removed and error says why. An existing target keeps its permissions.
bool WriteFileAtomic(const std::filesystem::path& path, std::span<const uint8_t> data, std::string& error);

// The same for output made piece by piece (a PDF of any length): the pieces go into the temporary
// file as they come, so that memory does not grow with the output, and Commit syncs it and renames
// it over the target. Without a successful Commit (a failed write, a cancelled job, the writer
// destroyed) the temporary file is removed and the target stays as it was.
class CAtomicFileWriter {
public:
    CAtomicFileWriter();
    ~CAtomicFileWriter();
    CAtomicFileWriter(const CAtomicFileWriter&) = delete;
    CAtomicFileWriter& operator=(const CAtomicFileWriter&) = delete;

    // Checks the target as WriteFileAtomic does and creates the temporary file; false with the
    // message when the target cannot be written.
    bool Open(const std::filesystem::path& path, std::string& error);
    bool IsOpen() const;
    // Appends data. false once a write has failed; Commit then fails and says why.
    bool Write(std::span<const uint8_t> data);
    // Makes the written bytes the target's contents; false with the message otherwise (the
    // temporary file is gone either way).
    bool Commit(std::string& error);
    // Drops what was written.
    void Abandon();

private:
    static constexpr size_t kBufferSize = 16 * 1024;
    struct Temp;
    bool FlushBuffer();

    std::filesystem::path m_path, m_target, m_tempPath;
    std::unique_ptr<Temp> m_temp;
    std::vector<uint8_t> m_buffer;
    std::string m_why;  // the first failed write's cause
};

}  // namespace tarvex
