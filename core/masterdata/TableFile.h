#pragma once
// The bytes under one dBase table: a file on disk shared with other processes, or a block of
// memory (fuzzing, tests that simulate a crash or a failing disk). Positional reads and writes
// only, so that no file pointer has to be kept in step and a read costs one system call.

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

namespace tarvex {

class CTableFile {
public:
    virtual ~CTableFile() = default;
    // Reads up to size bytes at offset; returns the number read (fewer only at the end of the
    // data) or -1 on an error.
    virtual int64_t ReadAt(uint64_t offset, void* data, size_t size) = 0;
    // Writes all bytes at offset, extending the data when needed; false on an error.
    virtual bool WriteAt(uint64_t offset, const void* data, size_t size) = 0;
    // Current length in bytes, -1 on an error.
    virtual int64_t Size() = 0;
    // Forces the written bytes to stable storage (the platform's flush of file buffers).
    virtual bool Flush() = 0;
    // Waits for the table's lock, shared for reading or exclusive for writing; false when the
    // lock cannot be had (then nothing may be written). Other instances of the program on other
    // computers take the same lock, so an append never overwrites another one's record.
    virtual bool Lock(bool exclusive) {
        (void)exclusive;
        return true;
    }
    virtual void Unlock() {}
};

// Holds a table's lock for one operation.
class CTableLock {
public:
    CTableLock(CTableFile& file, bool exclusive) : m_file(file), m_bLocked(file.Lock(exclusive)) {}
    ~CTableLock() {
        if (m_bLocked) m_file.Unlock();
    }
    CTableLock(const CTableLock&) = delete;
    CTableLock& operator=(const CTableLock&) = delete;
    bool IsLocked() const { return m_bLocked; }

private:
    CTableFile& m_file;
    bool m_bLocked;
};

// Opens an existing file for reading and writing, shared with other readers and writers (who
// coordinate through Lock). nullptr with the system's cause when that fails.
// readOnly: for reading only, so that a table the user may only read can be listed; every write
// (and the lock for writing) then fails.
std::unique_ptr<CTableFile> OpenDiskFile(const std::filesystem::path& path, std::string& cause,
                                         bool readOnly = false);
// Creates the file or truncates an existing one, read/write, shared.
std::unique_ptr<CTableFile> CreateDiskFile(const std::filesystem::path& path, std::string& cause);
// True when the path can be opened for reading (it is opened and closed again).
bool CanOpenForReading(const std::filesystem::path& path);

// Table bytes in memory. Tests can make every write after a given number fail, as if the
// process had died there (the data then hold exactly what a killed writer leaves behind).
class CMemoryFile : public CTableFile {
public:
    explicit CMemoryFile(std::vector<uint8_t> data = {}, size_t maxSize = size_t{64} << 20);

    int64_t ReadAt(uint64_t offset, void* data, size_t size) override;
    bool WriteAt(uint64_t offset, const void* data, size_t size) override;
    int64_t Size() override { return static_cast<int64_t>(m_data.size()); }
    bool Flush() override { return !m_failFlush; }

    const std::vector<uint8_t>& Data() const { return m_data; }
    int WriteCount() const { return m_writes; }
    // Writes number limit + 1 and later fail and change nothing; -1 = no limit.
    void SetWriteLimit(int limit) { m_writeLimit = limit; }
    void SetReadFailure(bool fail) { m_failReads = fail; }
    void SetFlushFailure(bool fail) { m_failFlush = fail; }

private:
    std::vector<uint8_t> m_data;
    size_t m_maxSize;
    int m_writes = 0;
    int m_writeLimit = -1;
    bool m_failReads = false;
    bool m_failFlush = false;
};

struct CDbfDate {
    int year = 1900;  // full year
    int month = 1;
    int day = 1;
};

// Today's date in the local time zone.
CDbfDate LocalToday();

}  // namespace tarvex
