#pragma once
// Binary archive encodings shared by the document formats and the field-store block:
// little-endian integers, counts with a 0xFFFF escape, length-prefixed strings
// (UTF-16 with the FF FE FF marker, or 8-bit Windows-1252 text without it) and lists.

#include <cstddef>
#include <cstdint>
#include <span>
#include <stdexcept>
#include <string>
#include <vector>

namespace tarvex {

// Raised by CArchiveReader when the input is shorter than what it announces or is otherwise
// malformed. Never escapes the core's public load functions.
class ArchiveError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

class CArchiveWriter {
public:
    void WriteByte(uint8_t v) { m_data.push_back(v); }
    void WriteWord(uint16_t v);
    void WriteDWord(uint32_t v);
    void WriteCount(uint32_t n);
    void WriteString(const std::u16string& s);
    void WriteStringList(const std::vector<std::u16string>& list);
    void WriteWordList(const std::vector<uint16_t>& list);
    void WriteByteList(const std::vector<uint8_t>& list);
    void WriteRaw(const void* data, size_t size);

    const std::vector<uint8_t>& Data() const { return m_data; }
    std::vector<uint8_t>& Data() { return m_data; }

private:
    std::vector<uint8_t> m_data;
};

// The most texts a string list of the program's files holds unless its reader says otherwise: far
// more than any form has boxes on one sheet (and than the 54 356 of 254 SAD continuation sheets).
inline constexpr uint32_t kMaxTextsInList = 0xFFFF;

class CArchiveReader {
public:
    explicit CArchiveReader(std::span<const uint8_t> data) : m_data(data) {}

    uint8_t ReadByte();
    uint16_t ReadWord();
    uint32_t ReadDWord();
    uint32_t ReadCount();
    std::u16string ReadString();
    // Lists check the announced count against the bytes that remain before reserving anything;
    // every element needs at least minBytesPerItem bytes.
    // A text object takes some 32 bytes however short its text, against one byte in the file: the
    // count is also bounded by maxCount (the most texts a list of the format can hold), so that a
    // crafted count cannot make memory grow far beyond the file's size.
    std::vector<std::u16string> ReadStringList(uint32_t maxCount = kMaxTextsInList);
    std::vector<uint16_t> ReadWordList();
    std::vector<uint8_t> ReadByteList();
    void ReadRaw(void* out, size_t size);
    void Skip(size_t size);

    size_t Position() const { return m_pos; }
    size_t Remaining() const { return m_data.size() - m_pos; }
    bool AtEnd() const { return m_pos == m_data.size(); }

private:
    void Need(size_t n, const char* what) const;

    std::span<const uint8_t> m_data;
    size_t m_pos = 0;
};

}  // namespace tarvex
