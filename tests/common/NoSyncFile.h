#pragma once
// A table's disk file without the flush to stable storage, for tests that append thousands of
// records from processes of their own: a killed process loses nothing that reached the kernel,
// and the lock between writers is passed through, so the sync decides none of these tests and
// without it an append takes microseconds instead of milliseconds.

#include <cstddef>
#include <cstdint>
#include <memory>
#include <utility>

#include "core/masterdata/TableFile.h"

namespace tarvex::testutil {

class CNoSyncFile : public CTableFile {
public:
    explicit CNoSyncFile(std::unique_ptr<CTableFile> file) : m_file(std::move(file)) {}
    int64_t ReadAt(uint64_t offset, void* data, size_t size) override {
        return m_file->ReadAt(offset, data, size);
    }
    bool WriteAt(uint64_t offset, const void* data, size_t size) override {
        return m_file->WriteAt(offset, data, size);
    }
    int64_t Size() override { return m_file->Size(); }
    bool Flush() override { return true; }
    bool Lock(bool exclusive) override { return m_file->Lock(exclusive); }
    void Unlock() override { m_file->Unlock(); }

private:
    std::unique_ptr<CTableFile> m_file;
};

}  // namespace tarvex::testutil
