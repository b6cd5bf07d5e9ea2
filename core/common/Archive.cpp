#include "core/common/Archive.h"

#include <cstring>
#include <string>

#include "core/common/CommonStrings.h"
#include "core/common/TextCodec.h"

namespace tarvex {

void CArchiveWriter::WriteWord(uint16_t v) {
    m_data.push_back(static_cast<uint8_t>(v));
    m_data.push_back(static_cast<uint8_t>(v >> 8));
}

void CArchiveWriter::WriteDWord(uint32_t v) {
    for (int i = 0; i < 4; ++i) m_data.push_back(static_cast<uint8_t>(v >> (8 * i)));
}

void CArchiveWriter::WriteCount(uint32_t n) {
    if (n < 0xFFFF) {
        WriteWord(static_cast<uint16_t>(n));
    } else {
        WriteWord(0xFFFF);
        WriteDWord(n);
    }
}

void CArchiveWriter::WriteString(const std::u16string& s) {
    // Always the wide form: marker FF FE FF, then the length in UTF-16 code units.
    WriteByte(0xFF);
    WriteWord(0xFFFE);
    const size_t n = s.size();
    if (n < 0xFF) {
        WriteByte(static_cast<uint8_t>(n));
    } else if (n < 0xFFFE) {
        WriteByte(0xFF);
        WriteWord(static_cast<uint16_t>(n));
    } else {
        WriteByte(0xFF);
        WriteWord(0xFFFF);
        WriteDWord(static_cast<uint32_t>(n));
    }
    for (char16_t c : s) WriteWord(static_cast<uint16_t>(c));
}

void CArchiveWriter::WriteStringList(const std::vector<std::u16string>& list) {
    WriteCount(static_cast<uint32_t>(list.size()));
    for (const auto& s : list) WriteString(s);
}

void CArchiveWriter::WriteWordList(const std::vector<uint16_t>& list) {
    WriteCount(static_cast<uint32_t>(list.size()));
    for (uint16_t w : list) WriteWord(w);
}

void CArchiveWriter::WriteByteList(const std::vector<uint8_t>& list) {
    WriteCount(static_cast<uint32_t>(list.size()));
    m_data.insert(m_data.end(), list.begin(), list.end());
}

void CArchiveWriter::WriteRaw(const void* data, size_t size) {
    const auto* p = static_cast<const uint8_t*>(data);
    m_data.insert(m_data.end(), p, p + size);
}

void CArchiveReader::Need(size_t n, const char* what) const {
    if (n > Remaining()) {
        throw ArchiveError(commonstr::Args(commonstr::kUnexpectedEnd, {what}));
    }
}

uint8_t CArchiveReader::ReadByte() {
    Need(1, "Byte");
    return m_data[m_pos++];
}

uint16_t CArchiveReader::ReadWord() {
    Need(2, "Wort");
    uint16_t v = static_cast<uint16_t>(m_data[m_pos] | (m_data[m_pos + 1] << 8));
    m_pos += 2;
    return v;
}

uint32_t CArchiveReader::ReadDWord() {
    Need(4, "Doppelwort");
    uint32_t v = 0;
    for (int i = 3; i >= 0; --i) v = (v << 8) | m_data[m_pos + i];
    m_pos += 4;
    return v;
}

uint32_t CArchiveReader::ReadCount() {
    uint16_t w = ReadWord();
    if (w != 0xFFFF) return w;
    return ReadDWord();
}

std::u16string CArchiveReader::ReadString() {
    // Length forms: one byte below 0xFF; FF + WORD below 0xFFFE; FF FFFF + DWORD.
    // FF FEFF is the wide marker, after which the length counts UTF-16 code units.
    auto readLength = [this](bool& wide) -> uint32_t {
        for (;;) {
            uint8_t b = ReadByte();
            if (b < 0xFF) return b;
            uint16_t w = ReadWord();
            if (w == 0xFFFE && !wide) {
                wide = true;
                continue;
            }
            if (w < 0xFFFF) return w;
            return ReadDWord();
        }
    };
    bool wide = false;
    const uint32_t len = readLength(wide);
    std::u16string s;
    if (wide) {
        Need(static_cast<size_t>(len) * 2, "Zeichenkette");
        s.resize(len);
        for (uint32_t i = 0; i < len; ++i) {
            s[i] = static_cast<char16_t>(m_data[m_pos] | (m_data[m_pos + 1] << 8));
            m_pos += 2;
        }
    } else {
        Need(len, "Zeichenkette");
        s = DecodeWindows1252(std::string_view(reinterpret_cast<const char*>(m_data.data() + m_pos), len));
        m_pos += len;
    }
    return s;
}

std::vector<std::u16string> CArchiveReader::ReadStringList(uint32_t maxCount) {
    const uint32_t n = ReadCount();
    if (n > maxCount)
        throw ArchiveError(
            commonstr::Args(commonstr::kListTooLong, {std::to_string(n), std::to_string(maxCount)}));
    Need(n, "Textliste");  // every string needs at least its length byte
    std::vector<std::u16string> list;
    list.reserve(n);
    for (uint32_t i = 0; i < n; ++i) list.push_back(ReadString());
    return list;
}

std::vector<uint16_t> CArchiveReader::ReadWordList() {
    const uint32_t n = ReadCount();
    Need(static_cast<size_t>(n) * 2, "Wortliste");
    std::vector<uint16_t> list(n);
    for (uint32_t i = 0; i < n; ++i) list[i] = ReadWord();
    return list;
}

std::vector<uint8_t> CArchiveReader::ReadByteList() {
    const uint32_t n = ReadCount();
    Need(n, "Byteliste");
    std::vector<uint8_t> list(m_data.begin() + m_pos, m_data.begin() + m_pos + n);
    m_pos += n;
    return list;
}

void CArchiveReader::ReadRaw(void* out, size_t size) {
    Need(size, "Daten");
    std::memcpy(out, m_data.data() + m_pos, size);
    m_pos += size;
}

void CArchiveReader::Skip(size_t size) {
    Need(size, "Daten");
    m_pos += size;
}

}  // namespace tarvex
