#include "core/masterdata/dBaseDocument.h"

#include <algorithm>
#include <cerrno>
#include <charconv>
#include <cmath>
#include <cstdarg>
#include <cstdio>
#include <cstring>
#include <limits>
#include <stdexcept>
#include <system_error>

#include "core/common/TextCodec.h"
#include "core/masterdata/dBaseStrings.h"

namespace tarvex {
namespace {

constexpr uint8_t kEndMark = 0x1A;
constexpr uint8_t kDescriptorEnd = 0x0D;
constexpr size_t kDescriptorSize = 32;
constexpr size_t kMaxFields = (0xFFFF - 33) / 32;  // 2046: what a 16-bit header length can describe
// Records read per block while the index is built.
constexpr size_t kIndexBlockBytes = 256 * 1024;

std::string Format(const char* fmt, ...) {
    char buf[512];
    va_list ap;
    va_start(ap, fmt);
    int n = std::vsnprintf(buf, sizeof buf, fmt, ap);
    va_end(ap);
    if (n < 0) return {};
    return std::string(buf, std::min<size_t>(static_cast<size_t>(n), sizeof buf - 1));
}

uint16_t Le16(const uint8_t* p) {
    return static_cast<uint16_t>(p[0] | (p[1] << 8));
}
uint32_t Le32(const uint8_t* p) {
    return static_cast<uint32_t>(p[0]) | (static_cast<uint32_t>(p[1]) << 8) |
           (static_cast<uint32_t>(p[2]) << 16) | (static_cast<uint32_t>(p[3]) << 24);
}
void PutLe16(uint8_t* p, uint16_t v) {
    p[0] = static_cast<uint8_t>(v);
    p[1] = static_cast<uint8_t>(v >> 8);
}
void PutLe32(uint8_t* p, uint32_t v) {
    for (int i = 0; i < 4; ++i) p[i] = static_cast<uint8_t>(v >> (8 * i));
}

std::string Utf8Path(const std::filesystem::path& path) {
    auto s = path.u8string();
    return std::string(s.begin(), s.end());
}

// Length of a C field's text: bytes up to the first zero byte or the width, without the trailing
// white space (the bytes that decode to the wide white-space class: TAB..CR and the space).
size_t TextLength(const uint8_t* field, size_t width) {
    const void* zero = std::memchr(field, 0, width);
    size_t n = zero ? static_cast<size_t>(static_cast<const uint8_t*>(zero) - field) : width;
    // Fields are mostly padding: skip spaces eight at a time.
    constexpr uint64_t kSpaces = 0x2020202020202020ull;
    while (n >= 8) {
        uint64_t w;
        std::memcpy(&w, field + n - 8, 8);
        if (w != kSpaces) break;
        n -= 8;
    }
    while (n > 0 && (field[n - 1] == ' ' || (field[n - 1] >= 0x09 && field[n - 1] <= 0x0D))) --n;
    return n;
}

// Windows-1252 to UTF-16 by table, into a string the caller may reuse (no allocation when its
// capacity suffices).
void DecodeInto(const uint8_t* bytes, size_t n, std::u16string& out) {
    static const std::array<char16_t, 256> table = [] {
        std::array<char16_t, 256> t{};
        for (int b = 0; b < 256; ++b) {
            char c = static_cast<char>(b);
            t[b] = DecodeWindows1252(std::string_view(&c, 1))[0];
        }
        return t;
    }();
    out.resize(n);
    for (size_t i = 0; i < n; ++i) out[i] = table[bytes[i]];
}

// Bytes up to the first zero byte (the C-string view the original's number parsing had).
std::string_view CString(const uint8_t* field, size_t width) {
    const void* zero = std::memchr(field, 0, width);
    size_t n = zero ? static_cast<size_t>(static_cast<const uint8_t*>(zero) - field) : width;
    return {reinterpret_cast<const char*>(field), n};
}

bool IsCSpace(char c) {
    return c == ' ' || (c >= '\t' && c <= '\r');
}

// atol: leading white space, an optional sign, digits; saturates like strtol on a 32-bit long.
int32_t ParseLong(std::string_view s) {
    size_t i = 0;
    while (i < s.size() && IsCSpace(s[i])) ++i;
    bool negative = false;
    if (i < s.size() && (s[i] == '+' || s[i] == '-')) negative = s[i++] == '-';
    int64_t v = 0;
    for (; i < s.size() && s[i] >= '0' && s[i] <= '9'; ++i) {
        v = v * 10 + (s[i] - '0');
        if (v > int64_t{1} << 32) v = int64_t{1} << 32;  // far enough past either limit
    }
    if (negative) v = -v;
    return static_cast<int32_t>(
        std::clamp<int64_t>(v, std::numeric_limits<int32_t>::min(), std::numeric_limits<int32_t>::max()));
}

// atof in the "C" locale, independent of the process locale.
double ParseDouble(std::string_view s) {
    size_t i = 0;
    while (i < s.size() && IsCSpace(s[i])) ++i;
    if (i < s.size() && s[i] == '+') {
        ++i;
        if (i < s.size() && s[i] == '-') return 0.0;
    }
    double v = 0.0;
    auto [end, ec] = std::from_chars(s.data() + i, s.data() + s.size(), v, std::chars_format::general);
    if (ec == std::errc::result_out_of_range) {
        // strtod: overflow gives HUGE_VAL with the sign, underflow a value near zero.
        std::string_view rest = s.substr(i);
        size_t e = rest.find_first_of("eE");
        bool underflow = e != std::string_view::npos && e + 1 < rest.size() && rest[e + 1] == '-';
        bool negative = !rest.empty() && rest[0] == '-';
        if (underflow) return negative ? -0.0 : 0.0;
        return negative ? -HUGE_VAL : HUGE_VAL;
    }
    if (ec != std::errc()) return 0.0;
    return v;
}

// _wtoi on a part of a date text.
int32_t ParseWideInt(std::u16string_view s) {
    size_t i = 0;
    while (i < s.size() && IsWideSpace(s[i])) ++i;
    bool negative = false;
    if (i < s.size() && (s[i] == u'+' || s[i] == u'-')) negative = s[i++] == u'-';
    int64_t v = 0;
    for (; i < s.size() && s[i] >= u'0' && s[i] <= u'9'; ++i) {
        v = v * 10 + (s[i] - u'0');
        if (v > int64_t{1} << 32) v = int64_t{1} << 32;
    }
    if (negative) v = -v;
    return static_cast<int32_t>(
        std::clamp<int64_t>(v, std::numeric_limits<int32_t>::min(), std::numeric_limits<int32_t>::max()));
}

std::u16string Ascii(std::string_view s) {
    return std::u16string(s.begin(), s.end());
}

char16_t UpperLatin1(char16_t c) {
    if (c >= u'a' && c <= u'z') return static_cast<char16_t>(c - 0x20);
    if (c >= 0xE0 && c <= 0xFE && c != 0xF7) return static_cast<char16_t>(c - 0x20);
    if (c == 0xFF) return 0x0178;
    return c;
}

// The index compares keys in ordinal UTF-16 order. A byte of Windows-1252 decodes to exactly one
// code unit and no two bytes to the same one, so comparing the bytes by the rank of their code
// unit gives the same order; keys are kept as rank bytes and compared with memcmp.
struct RankTables {
    std::array<uint8_t, 256> rank{};
    std::array<uint8_t, 256> byteOfRank{};
};

const RankTables& Ranks() {
    static const RankTables tables = [] {
        RankTables t;
        std::array<std::pair<char16_t, uint8_t>, 256> units;
        for (int b = 0; b < 256; ++b) {
            char c = static_cast<char>(b);
            units[b] = {DecodeWindows1252(std::string_view(&c, 1))[0], static_cast<uint8_t>(b)};
        }
        std::sort(units.begin(), units.end());
        for (int r = 0; r < 256; ++r) {
            t.rank[units[r].second] = static_cast<uint8_t>(r);
            t.byteOfRank[r] = units[r].second;
        }
        return t;
    }();
    return tables;
}

// Checks what the engine needs of a field list: every field inside a record of at most 4000
// bytes, numeric fields narrow enough for the number parsers.
bool CheckLayout(const std::vector<std::u16string>& names, const std::vector<char>& types,
                 const std::vector<uint16_t>& lengths, const std::vector<uint16_t>& decimals,
                 uint32_t recordLength, std::string& cause) {
    if (recordLength == 0 || recordLength > kDbfMaxRecordLength) {
        cause = Format(dbfstr::kRecordLengthFmt, recordLength);
        return false;
    }
    uint32_t end = 1;
    for (size_t i = 0; i < types.size(); ++i) {
        end += lengths[i];
        if (end > recordLength) {
            cause = Format(dbfstr::kFieldPastRecord, ToUtf8(names[i]).c_str(), static_cast<unsigned>(i + 1),
                           recordLength);
            return false;
        }
        if (types[i] == 'N' && lengths[i] > (decimals[i] > 0 ? 29 : 19)) {
            cause =
                Format(dbfstr::kNumericTooWide, ToUtf8(names[i]).c_str(), static_cast<unsigned>(lengths[i]));
            return false;
        }
    }
    return true;
}

}  // namespace

std::string CTableError::Text() const {
    std::string s = Utf8Path(path) + ": " + message;
    if (!cause.empty()) s += " " + cause;
    return s;
}

CdBaseDocument::CdBaseDocument() = default;

CdBaseDocument::~CdBaseDocument() {
    CloseFile();
}

// ------------------------------------------------------------------------------------------------
// Definition and lifecycle

void CdBaseDocument::ResetDefinition() {
    m_fieldNames.clear();
    m_fieldTypes.clear();
    m_fieldLengths.clear();
    m_fieldDecimals.clear();
    m_fieldOffsets.clear();
    m_nFieldCount = 0;
    m_index.clear();
    m_indexKeys.clear();
    m_nRecordCount = 0;
    m_nCurrentRecord = 0;
    m_bWriteThrough = 0;
    m_bModified = 0;
    m_bLayoutFromFile = false;
    m_headerBytes.clear();
}

int CdBaseDocument::AddField(std::u16string_view name, char type, uint16_t length, uint16_t decimals) {
    std::u16string upper(name);
    for (auto& c : upper) c = UpperLatin1(c);
    m_fieldNames.push_back(std::move(upper));
    m_fieldTypes.push_back(type);
    m_fieldLengths.push_back(length);
    m_fieldDecimals.push_back(decimals);
    m_nFieldCount = static_cast<uint16_t>(m_fieldNames.size());
    m_bLayoutFromFile = false;  // the header write computes the lengths again
    RecomputeOffsets();
    return m_nFieldCount;
}

void CdBaseDocument::RecomputeOffsets() {
    m_fieldOffsets.resize(m_fieldLengths.size());
    uint32_t offset = 1;
    for (size_t i = 0; i < m_fieldLengths.size(); ++i) {
        m_fieldOffsets[i] = offset;
        offset += m_fieldLengths[i];
    }
}

bool CdBaseDocument::ValidDefinition(std::string& cause) const {
    if (m_fieldNames.size() > kMaxFields) {
        cause = Format(dbfstr::kBadDefinition, dbfstr::kTooManyFields);
        return false;
    }
    uint32_t recordLength = 1;
    for (size_t i = 0; i < m_fieldNames.size(); ++i) {
        std::string name = ToUtf8(m_fieldNames[i]);
        size_t bytes = TextToBytes(m_fieldNames[i]).size();
        if (bytes < 1 || bytes > 10) {
            cause = Format(dbfstr::kBadDefinition, Format(dbfstr::kBadFieldName, name.c_str()).c_str());
            return false;
        }
        if (m_fieldLengths[i] < 1 || m_fieldLengths[i] > 255) {
            cause =
                Format(dbfstr::kBadDefinition,
                       Format(dbfstr::kBadFieldLength, name.c_str(), unsigned{m_fieldLengths[i]}).c_str());
            return false;
        }
        if (m_fieldDecimals[i] > 255) {
            cause = Format(dbfstr::kBadDefinition,
                           Format(dbfstr::kBadDecimals, name.c_str(), unsigned{m_fieldDecimals[i]}).c_str());
            return false;
        }
        recordLength += m_fieldLengths[i];
    }
    return CheckLayout(m_fieldNames, m_fieldTypes, m_fieldLengths, m_fieldDecimals, recordLength, cause);
}

void CdBaseDocument::CloseFile() {
    // Closing the file releases its lock; an operation still open then has nothing to release.
    m_pFile.reset();
    m_nReadDepth = 0;
    DropReadBlock();
    m_readBlock = {};
}

bool CdBaseDocument::BeginRead() {
    if (!m_pFile) return false;
    if (m_nReadDepth > 0) {
        ++m_nReadDepth;
        return true;
    }
    if (!m_pFile->Lock(false)) return false;
    m_nReadDepth = 1;
    // Count and size once under the lock: nobody else can change either until it goes.
    ReadHeader(nullptr);
    const int64_t size = m_pFile->Size();
    const int64_t inFile = size > m_nHeaderLength ? (size - m_nHeaderLength) / m_nRecordLength : 0;
    m_nReadable = static_cast<int32_t>(std::min<int64_t>(std::max<int32_t>(m_nRecordCount, 0), inFile));
    DropReadBlock();
    m_nLastRead = 0;
    return true;
}

void CdBaseDocument::EndRead() {
    if (m_nReadDepth <= 0 || --m_nReadDepth > 0) return;
    DropReadBlock();
    // A large block is not kept between operations.
    if (m_readBlock.size() > kDbfMaxRecordLength * 4u) m_readBlock = {};
    if (m_pFile) m_pFile->Unlock();
}

int CdBaseDocument::CreateTable(const std::filesystem::path& path, int overwrite) {
    CloseFile();
    if (CanOpenForReading(path) && overwrite != 1) return 0;
    std::string cause;
    if (!ValidDefinition(cause)) {
        // Not checked by the original (the caller's duty); refused here before a file is touched.
        m_fileError = {path, dbfstr::kOpenFailed, cause};
        return 0;
    }
    auto file = CreateDiskFile(path, cause);
    if (!file) {
        m_fileError = {path, dbfstr::kOpenFailed, cause};
        return 0;
    }
    return CreateTable(std::move(file), path);
}

int CdBaseDocument::CreateTable(std::unique_ptr<CTableFile> file, const std::filesystem::path& path) {
    CloseFile();
    std::string cause;
    if (!ValidDefinition(cause)) {
        m_fileError = {path, dbfstr::kOpenFailed, cause};
        return 0;
    }
    m_pFile = std::move(file);
    m_nVersion = 3;
    m_nRecordCount = 0;
    m_bLayoutFromFile = false;
    bool written;
    {
        CTableLock lock(*m_pFile, true);
        written = lock.IsLocked() && WriteHeader();
    }
    if (!written) {
        m_fileError = {path, dbfstr::kOpenFailed, dbfstr::kHeaderNotWritten};
        CloseFile();
        return 0;
    }
    m_strTablePath = path;
    m_fileError = {};
    return 1;
}

int CdBaseDocument::OpenTable(const std::filesystem::path& path) {
    return OpenDiskTable(path, false);
}

int CdBaseDocument::OpenTableReadOnly(const std::filesystem::path& path) {
    return OpenDiskTable(path, true);
}

int CdBaseDocument::OpenDiskTable(const std::filesystem::path& path, bool readOnly) {
    CloseFile();
    ResetDefinition();
    std::string cause;
    auto file = OpenDiskFile(path, cause, readOnly);
    if (!file) {
        m_fileError = {path, dbfstr::kOpenFailed, cause};
        return 0;
    }
    return AttachTable(std::move(file), path);
}

int CdBaseDocument::OpenTable(std::unique_ptr<CTableFile> file, const std::filesystem::path& path) {
    CloseFile();
    ResetDefinition();
    return AttachTable(std::move(file), path);
}

int CdBaseDocument::AttachTable(std::unique_ptr<CTableFile> file, const std::filesystem::path& path) {
    m_pFile = std::move(file);
    std::string cause;
    int version;
    {
        // A header is never read while another instance is half-way through writing it.
        CTableLock lock(*m_pFile, false);
        version = ReadHeader(&cause);
    }
    if (version == 0) {
        m_fileError = {path, dbfstr::kUnexpectedFormat, cause};
        CloseFile();
        return 0;
    }
    m_bModified = 0;
    m_strTablePath = path;
    m_fileError = {};
    return 1;
}

void CdBaseDocument::CloseTable() {
    CloseFile();
    ResetDefinition();
}

// ------------------------------------------------------------------------------------------------
// Header

int CdBaseDocument::ReadHeader(std::string* cause) {
    auto refuse = [&](std::string text) {
        if (cause) *cause = std::move(text);
        return 0;
    };
    if (!m_pFile) return 0;
    // One read normally covers header and descriptors: as many as the last header had.
    size_t want = kDescriptorSize * (1 + m_fieldNames.size()) + 1;
    if (want < 64) want = 64;
    m_scratch.resize(want);
    int64_t got = m_pFile->ReadAt(0, m_scratch.data(), want);
    if (got < 0) return refuse(std::generic_category().message(EIO));
    if (got < 1) return refuse(dbfstr::kEmptyFile);
    const uint8_t version = m_scratch[0];
    if (version != 0x03 && version != 0x83) return refuse(Format(dbfstr::kVersionFmt, unsigned{version}));
    if (got < 32) return refuse(Format(dbfstr::kShortHeader, static_cast<size_t>(got)));
    const uint8_t* h = m_scratch.data();
    const uint16_t headerLength = Le16(h + 8);
    const uint16_t recordLength = Le16(h + 10);
    if (headerLength < 33) return refuse(Format(dbfstr::kHeaderLengthFmt, unsigned{headerLength}));
    const size_t fieldCount = (headerLength - 33u) / 32u;
    const size_t need = kDescriptorSize * (1 + fieldCount);
    if (static_cast<size_t>(got) < need && static_cast<size_t>(got) == want) {
        m_scratch.resize(need);
        int64_t more = m_pFile->ReadAt(want, m_scratch.data() + want, need - want);
        if (more < 0) return refuse(std::generic_category().message(EIO));
        got += more;
        h = m_scratch.data();
    }
    if (static_cast<size_t>(got) < need)
        return refuse(Format(dbfstr::kDescriptorsPastEnd, static_cast<unsigned>(fieldCount), need));
    if (recordLength == 0 || recordLength > kDbfMaxRecordLength)
        return refuse(Format(dbfstr::kRecordLengthFmt, unsigned{recordLength}));

    auto takeScalars = [&] {
        m_nVersion = version;
        m_nUpdateYear = h[1];
        m_nUpdateMonth = h[2];
        m_nUpdateDay = h[3];
        // A count beyond the signed range claims more records than any file holds.
        m_nRecordCount = static_cast<int32_t>(std::min<uint32_t>(Le32(h + 4), 0x7FFFFFFF));
    };
    // Re-read by GetRecordCount with the same layout: only the count and the date can differ.
    if (m_bLayoutFromFile && headerLength == m_nHeaderLength && recordLength == m_nRecordLength &&
        fieldCount == m_fieldNames.size() && m_headerBytes.size() == need - kDescriptorSize &&
        std::equal(m_headerBytes.begin(), m_headerBytes.end(), h + kDescriptorSize)) {
        takeScalars();
        return version;
    }

    std::vector<std::u16string> names(fieldCount);
    std::vector<char> types(fieldCount);
    std::vector<uint16_t> lengths(fieldCount), decimals(fieldCount);
    for (size_t i = 0; i < fieldCount; ++i) {
        const uint8_t* d = h + kDescriptorSize * (i + 1);
        const void* zero = std::memchr(d, 0, 11);
        size_t nameLength = zero ? static_cast<size_t>(static_cast<const uint8_t*>(zero) - d) : 11;
        names[i] = DecodeWindows1252(std::string_view(reinterpret_cast<const char*>(d), nameLength));
        types[i] = static_cast<char>(d[11]);
        lengths[i] = d[16];
        decimals[i] = d[17];
    }
    std::string layoutCause;
    if (!CheckLayout(names, types, lengths, decimals, recordLength, layoutCause)) return refuse(layoutCause);

    takeScalars();
    m_nHeaderLength = headerLength;
    m_nRecordLength = recordLength;
    m_fieldNames = std::move(names);
    m_fieldTypes = std::move(types);
    m_fieldLengths = std::move(lengths);
    m_fieldDecimals = std::move(decimals);
    m_nFieldCount = static_cast<uint16_t>(fieldCount);
    RecomputeOffsets();
    m_bLayoutFromFile = true;
    m_headerBytes.assign(h + kDescriptorSize, h + need);
    return version;
}

bool CdBaseDocument::WriteHeader() {
    if (!m_pFile || (m_nVersion != 0x03 && m_nVersion != 0x83)) return false;
    // A field list changed after the table was opened would give lengths the record buffer cannot
    // hold (and no longer the file's own): such a header is not written.
    std::string cause;
    if (!m_bLayoutFromFile && !ValidDefinition(cause)) return false;
    if (!m_pFile->Flush()) return false;
    const CDbfDate today = m_today ? m_today() : LocalToday();
    m_nUpdateYear = static_cast<int16_t>(today.year - 1900);
    m_nUpdateMonth = static_cast<int16_t>(today.month);
    m_nUpdateDay = static_cast<int16_t>(today.day);
    const size_t fieldCount = m_fieldNames.size();
    if (!m_bLayoutFromFile) {
        uint32_t recordLength = 1;
        for (uint16_t l : m_fieldLengths) recordLength += l;
        m_nHeaderLength = static_cast<uint16_t>(32 * fieldCount + 33);
        m_nRecordLength = static_cast<uint16_t>(recordLength);
    }
    // Header, descriptors and end byte in one write: the count never stands in the file before the
    // lengths it belongs to (the original wrote 32 zero bytes first and the count after them).
    std::vector<uint8_t> bytes(kDescriptorSize * (fieldCount + 1) + 1, 0);
    bytes[0] = 0x03;
    bytes[1] = static_cast<uint8_t>(m_nUpdateYear);
    bytes[2] = static_cast<uint8_t>(m_nUpdateMonth);
    bytes[3] = static_cast<uint8_t>(m_nUpdateDay);
    PutLe32(&bytes[4], static_cast<uint32_t>(m_nRecordCount));
    PutLe16(&bytes[8], m_nHeaderLength);
    PutLe16(&bytes[10], m_nRecordLength);
    for (size_t i = 0; i < fieldCount; ++i) {
        uint8_t* d = &bytes[kDescriptorSize * (i + 1)];
        std::string name = TextToBytes(m_fieldNames[i]);
        std::memcpy(d, name.data(), std::min<size_t>(name.size(), 11));
        d[11] = static_cast<uint8_t>(m_fieldTypes[i]);
        d[16] = static_cast<uint8_t>(m_fieldLengths[i]);
        d[17] = static_cast<uint8_t>(m_fieldDecimals[i]);
    }
    bytes.back() = kDescriptorEnd;
    if (!m_pFile->WriteAt(0, bytes.data(), bytes.size())) return false;
    if (!m_pFile->Flush()) return false;
    m_bLayoutFromFile = true;
    m_headerBytes.assign(bytes.begin() + kDescriptorSize, bytes.end() - 1);
    return true;
}

int32_t CdBaseDocument::GetRecordCount() {
    // Inside a read operation the count read when it started still holds.
    if (m_pFile && m_nReadDepth == 0) {
        CTableLock lock(*m_pFile, false);
        ReadHeader(nullptr);
    }
    return m_nRecordCount;
}

int CdBaseDocument::GetFieldInfo(int position, std::u16string& name, char& type, uint16_t& length,
                                 uint16_t& decimals) const {
    if (position < 0 || position >= m_nFieldCount) return -1;
    name = m_fieldNames[position];
    type = m_fieldTypes[position];
    length = m_fieldLengths[position];
    decimals = m_fieldDecimals[position];
    return position;
}

// ------------------------------------------------------------------------------------------------
// Records

int64_t CdBaseDocument::ReadInOperation(int32_t n) {
    const size_t length = m_nRecordLength;
    // A record that was not wholly in the file when the operation began is not read.
    if (n > m_nReadable) return -1;
    if (n < m_nBlockFirst || n >= m_nBlockFirst + m_nBlockRecords) {
        if (n != m_nLastRead + 1) {
            // Jumps (an index order) read just the record: a block would mostly go unused.
            m_nLastRead = n;
            return m_pFile->ReadAt(RecordOffset(n), m_recordBuffer.data(), length);
        }
        const int32_t perBlock = static_cast<int32_t>(std::max<size_t>(1, kIndexBlockBytes / length));
        const int32_t wanted = std::min(perBlock, m_nReadable - n + 1);
        m_readBlock.resize(static_cast<size_t>(wanted) * length);
        DropReadBlock();
        const int64_t got = m_pFile->ReadAt(RecordOffset(n), m_readBlock.data(), m_readBlock.size());
        if (got < 0) return -1;
        m_nBlockFirst = n;
        m_nBlockRecords = static_cast<int32_t>(static_cast<size_t>(got) / length);
        if (m_nBlockRecords == 0) return got;
    }
    m_nLastRead = n;
    std::memcpy(m_recordBuffer.data(), m_readBlock.data() + static_cast<size_t>(n - m_nBlockFirst) * length,
                length);
    return static_cast<int64_t>(length);
}

int CdBaseDocument::ReadRecord(int32_t n) {
    if (!m_pFile || n < 1 || n > m_nRecordCount) return -1;
    if (m_nCurrentRecord > 0 && m_bModified) WriteRecord(m_nCurrentRecord);
    const size_t length = m_nRecordLength;
    m_nCurrentRecord = 0;
    // One positional read; a record that is not wholly in the file (a header that claims more
    // records than there are) is not read.
    int64_t got;
    if (m_nReadDepth > 0) {
        got = ReadInOperation(n);
    } else {
        CTableLock lock(*m_pFile, false);
        got = m_pFile->ReadAt(RecordOffset(n), m_recordBuffer.data(), length);
    }
    if (got != static_cast<int64_t>(length)) {
        std::memset(m_recordBuffer.data(), 0, length + 1);
        return -1;
    }
    m_recordBuffer[length] = 0;
    m_nCurrentRecord = n;
    m_bModified = 0;
    m_bCurrentActive = m_recordBuffer[0] == ' ';
    return n;
}

int CdBaseDocument::WriteRecord(int32_t n) {
    if (!m_pFile || n < 1 || static_cast<int64_t>(n) > static_cast<int64_t>(m_nRecordCount) + 1) return -1;
    // Another instance may append to the same table: the count is read, the record appended and
    // the count written under one lock, and an append goes after the records the file holds now
    // (not after those this object last saw), so no record overwrites another one's.
    CTableLock lock(*m_pFile, true);
    if (!lock.IsLocked()) return -1;
    if (n > m_nRecordCount) {
        // A field list changed since the table was opened is not the file's: its header is never
        // written (see WriteHeader), and neither is a buffer laid out for another record length.
        if (!m_bLayoutFromFile) return -1;
        const uint16_t headerLength = m_nHeaderLength, recordLength = m_nRecordLength;
        if (ReadHeader(nullptr) == 0 || headerLength != m_nHeaderLength || recordLength != m_nRecordLength)
            return -1;
        n = m_nRecordCount + 1;
    }
    m_recordBuffer[0] = ' ';
    DropReadBlock();
    const size_t length = m_nRecordLength;
    const uint64_t offset = RecordOffset(n);
    // Never write a record that would start past the end of the file: only a damaged header that
    // claims records the file does not hold leads there, and the write would leave a hole.
    const int64_t size = m_pFile->Size();
    if (size < 0 || offset > static_cast<uint64_t>(size)) return -1;
    if (n > m_nRecordCount) {
        // Append: record and end mark in one write, then the header with the new count, so that a
        // process killed between the writes leaves a table whose counted records are all there.
        m_recordBuffer[length] = kEndMark;
        bool ok = m_pFile->WriteAt(offset, m_recordBuffer.data(), length + 1);
        m_recordBuffer[length] = 0;
        if (!ok) return -1;
        ++m_nRecordCount;
        if (!WriteHeader()) {
            --m_nRecordCount;  // the file still says the old count
            return -1;
        }
    } else if (!m_pFile->WriteAt(offset, m_recordBuffer.data(), length)) {
        return -1;
    }
    if (!m_pFile->Flush()) return -1;
    m_bModified = 0;
    m_nCurrentRecord = n;
    m_bCurrentActive = 1;
    if (m_nReadDepth > 0) m_nReadable = std::max(m_nReadable, n);
    return n;
}

int CdBaseDocument::DeleteRecord(int32_t n) {
    if (!m_pFile || n < 1 || n > m_nRecordCount) return -1;
    if (m_nCurrentRecord > 0 && m_bModified) WriteRecord(m_nCurrentRecord);
    {
        CTableLock lock(*m_pFile, true);
        if (!lock.IsLocked()) return -1;
        if (ReadRecord(n) != n) return -1;
        m_recordBuffer[0] = '*';
        m_bCurrentActive = 0;
        DropReadBlock();
        if (!m_pFile->WriteAt(RecordOffset(n), m_recordBuffer.data(), m_nRecordLength)) return -1;
        if (!m_pFile->Flush()) return -1;
        m_bModified = 0;
    }
    return ReadRecord(1);
}

int32_t CdBaseDocument::NewRecord() {
    if (!m_pFile) return -1;
    if (m_nCurrentRecord > 0 && m_bModified) WriteRecord(m_nCurrentRecord);
    std::memset(m_recordBuffer.data(), ' ', m_nRecordLength);
    m_recordBuffer[m_nRecordLength] = 0;
    m_nCurrentRecord = m_nRecordCount + 1;
    m_bModified = 0;
    m_bCurrentActive = 1;
    return m_nCurrentRecord;
}

int64_t CdBaseDocument::AppendRecords(const std::vector<uint8_t>& records) {
    if (!m_pFile || !m_bLayoutFromFile || m_nRecordLength == 0 || records.size() % m_nRecordLength != 0)
        return -1;
    const int64_t count = static_cast<int64_t>(records.size() / m_nRecordLength);
    if (m_nCurrentRecord > 0 && m_bModified) WriteRecord(m_nCurrentRecord);
    CTableLock lock(*m_pFile, true);
    if (!lock.IsLocked()) return -1;
    const uint16_t headerLength = m_nHeaderLength, recordLength = m_nRecordLength;
    if (ReadHeader(nullptr) == 0 || headerLength != m_nHeaderLength || recordLength != m_nRecordLength)
        return -1;
    if (count == 0) return 0;
    if (m_nRecordCount + count > std::numeric_limits<int32_t>::max()) return -1;
    const uint64_t offset = RecordOffset(static_cast<int64_t>(m_nRecordCount) + 1);
    const int64_t size = m_pFile->Size();
    if (size < 0 || offset > static_cast<uint64_t>(size)) return -1;
    std::vector<uint8_t> block;
    block.reserve(records.size() + 1);
    block.insert(block.end(), records.begin(), records.end());
    for (int64_t r = 0; r < count; ++r) block[static_cast<size_t>(r) * m_nRecordLength] = ' ';
    block.push_back(kEndMark);
    // The records are on the disk before the count that names them.
    if (!m_pFile->WriteAt(offset, block.data(), block.size()) || !m_pFile->Flush()) return -1;
    // Bytes 12..31 of the header, where other dBase programs keep the code-page mark (byte 29): the
    // header write zeroes them, and the table is to stay marked as it was.
    uint8_t reserved[20] = {};
    const bool marked =
        m_pFile->ReadAt(12, reserved, sizeof reserved) == static_cast<int64_t>(sizeof reserved) &&
        std::any_of(std::begin(reserved), std::end(reserved), [](uint8_t b) { return b != 0; });
    const int32_t before = m_nRecordCount;
    m_nRecordCount = static_cast<int32_t>(before + count);
    if (!WriteHeader()) {
        m_nRecordCount = before;
        return -1;
    }
    if (marked && m_pFile->WriteAt(12, reserved, sizeof reserved)) m_pFile->Flush();
    m_bModified = 0;
    m_nCurrentRecord = 0;
    return count;
}

std::unique_ptr<CTableLock> CdBaseDocument::LockForWriting() {
    if (!m_pFile) return nullptr;
    auto lock = std::make_unique<CTableLock>(*m_pFile, true);
    if (!lock->IsLocked()) return nullptr;
    return lock;
}

// ------------------------------------------------------------------------------------------------
// Field accessors

void CdBaseDocument::CheckPosition(int position) const {
    if (position < 0 || position >= m_nFieldCount)
        throw std::invalid_argument("dBase field position " + std::to_string(position) +
                                    " outside the field list (" + std::to_string(m_nFieldCount) + " fields)");
    // A field added after the table was opened lies outside the file's records.
    if (m_fieldOffsets[position] + m_fieldLengths[position] > m_nRecordLength)
        throw std::invalid_argument("dBase field " + std::to_string(position) + " outside the record");
}

int CdBaseDocument::CheckAccess(int position, char type) const {
    if (m_nCurrentRecord == 0) return kDbfNoRecord;
    CheckPosition(position);
    if (m_fieldTypes[position] != type) return kDbfWrongType;
    return 0;
}

void CdBaseDocument::StoreDone() {
    m_bModified = 1;
    if (m_bWriteThrough) WriteRecord(m_nCurrentRecord);
}

void CdBaseDocument::PutField(int position, std::string_view bytes, char pad) {
    // bytes fit the width (checked by the caller); left-aligned with pad after, or, for pad '\0',
    // right-aligned after spaces.
    uint8_t* f = Field(position);
    const size_t width = m_fieldLengths[position];
    if (pad == '\0') {
        std::memset(f, ' ', width - bytes.size());
        std::memcpy(f + width - bytes.size(), bytes.data(), bytes.size());
    } else {
        std::memcpy(f, bytes.data(), bytes.size());
        std::memset(f + bytes.size(), pad, width - bytes.size());
    }
}

int CdBaseDocument::GetString(int position, std::u16string& value) const {
    int rc = CheckAccess(position, 'C');
    if (rc != 0) {
        value.clear();
        return rc;
    }
    const uint8_t* f = Field(position);
    DecodeInto(f, TextLength(f, m_fieldLengths[position]), value);
    return 0;
}

int CdBaseDocument::SetString(int position, std::u16string_view value) {
    int rc = CheckAccess(position, 'C');
    if (rc != 0) return rc;
    std::string bytes = TextToBytes(value);
    if (bytes.size() > m_fieldLengths[position]) return kDbfTooWide;
    PutField(position, bytes, ' ');
    StoreDone();
    return 0;
}

int32_t CdBaseDocument::ParseInteger(int position) const {
    return ParseLong(CString(Field(position), m_fieldLengths[position]));
}

int CdBaseDocument::GetInteger(int position, int32_t& value) const {
    int rc = CheckAccess(position, 'N');
    if (rc != 0) return rc;
    if (m_fieldDecimals[position] > 0) return kDbfHasDecimals;
    value = ParseInteger(position);
    return 0;
}

int CdBaseDocument::SetInteger(int position, int32_t value) {
    int rc = CheckAccess(position, 'N');
    if (rc != 0) return rc;
    if (m_fieldDecimals[position] > 0) return kDbfHasDecimals;
    // "%<width>.i": precision 0, so a zero prints as spaces only.
    char buf[16];
    size_t n = 0;
    if (value != 0) n = static_cast<size_t>(std::to_chars(buf, buf + sizeof buf, value).ptr - buf);
    if (n > m_fieldLengths[position]) return kDbfTooWide;
    PutField(position, std::string_view(buf, n), '\0');
    StoreDone();
    return 0;
}

int CdBaseDocument::GetDouble(int position, double& value) const {
    int rc = CheckAccess(position, 'N');
    if (rc != 0) return rc;
    value = ParseDouble(CString(Field(position), m_fieldLengths[position]));
    return 0;
}

int CdBaseDocument::SetDouble(int position, double value) {
    int rc = CheckAccess(position, 'N');
    if (rc != 0) return rc;
    const int decimals = m_fieldDecimals[position];
    if (decimals == 0) return kDbfNoDecimals;
    // "%<width>.<decimals>f" in the "C" locale.
    char buf[1024];
    auto [end, ec] = std::to_chars(buf, buf + sizeof buf, value, std::chars_format::fixed, decimals);
    if (ec != std::errc()) return kDbfTooWide;
    size_t n = static_cast<size_t>(end - buf);
    if (n > m_fieldLengths[position]) return kDbfTooWide;
    PutField(position, std::string_view(buf, n), '\0');
    StoreDone();
    return 0;
}

std::u16string CdBaseDocument::NormaliseDate(std::u16string_view text) {
    size_t first = text.find(u'.');
    std::u16string_view dayPart = text.substr(0, first), monthPart, yearPart;
    if (first != std::u16string_view::npos) {
        size_t second = text.find(u'.', first + 1);
        monthPart = text.substr(
            first + 1, second == std::u16string_view::npos ? std::u16string_view::npos : second - first - 1);
        if (second != std::u16string_view::npos) yearPart = text.substr(second + 1);
    }
    int32_t day = ParseWideInt(dayPart), month = ParseWideInt(monthPart), year = ParseWideInt(yearPart);
    if (day <= 0 || month <= 0 || year <= 0) return {};
    return Ascii(Format("%02d.%02d.%04d", day, month, year));
}

int CdBaseDocument::GetDate(int position, std::u16string& value) const {
    value.clear();
    int rc = CheckAccess(position, 'D');
    if (rc != 0) return rc;
    // The field's 8 bytes (a narrower field reads as if zero bytes followed it), presented as
    // "%2s.%2s.%4s" of bytes 7-8, 5-6 and 1-4, then normalised.
    char b[8] = {};
    std::memcpy(b, Field(position), std::min<size_t>(8, m_fieldLengths[position]));
    auto part = [&](size_t from, size_t count, int width) {
        std::string_view s(b + from, count);
        s = s.substr(0, s.find('\0'));
        std::u16string u = DecodeWindows1252(s);
        if (u.size() < static_cast<size_t>(width)) u.insert(0, width - u.size(), u' ');
        return u;
    };
    std::u16string text = part(6, 2, 2) + u"." + part(4, 2, 2) + u"." + part(0, 4, 4);
    value = NormaliseDate(text);
    return 0;
}

int CdBaseDocument::SetDate(int position, int day, int month, int year) {
    int rc = CheckAccess(position, 'D');
    if (rc != 0) return rc;
    std::string text = day < 1 ? std::string(8, ' ') : Format("%04d%02d%02d", year, month, day);
    // Exactly the field's width (no range check); a wider field is padded with spaces.
    const size_t width = m_fieldLengths[position];
    if (text.size() > width) text.resize(width);
    PutField(position, text, ' ');
    StoreDone();
    return 0;
}

int CdBaseDocument::SetDate(int position, std::u16string_view dayMonthYear) {
    int rc = CheckAccess(position, 'D');
    if (rc != 0) return rc;
    std::u16string text = NormaliseDate(dayMonthYear);
    std::u16string_view t = text;
    int32_t day = ParseWideInt(t.substr(0, 2));
    int32_t month = t.size() > 3 ? ParseWideInt(t.substr(3, 2)) : 0;
    int32_t year = ParseWideInt(t.size() >= 4 ? t.substr(t.size() - 4) : t);
    if (day < 1) return SetDate(position, 0, 0, 0);
    if (day > 31 || month < 1 || month > 12 || year < 1900) return kDbfBadDate;
    return SetDate(position, day, month, year);
}

int CdBaseDocument::GetLogical(int position) const {
    int rc = CheckAccess(position, 'L');
    if (rc != 0) return rc;
    if (m_fieldDecimals[position] != 0) return kDbfLogicalDecimals;
    if (m_fieldLengths[position] == 0) return 0;
    uint8_t c = *Field(position);
    return (c == 'T' || c == 't' || c == 'J' || c == 'j') ? 1 : 0;
}

int CdBaseDocument::SetLogical(int position, int flag) {
    int rc = CheckAccess(position, 'L');
    if (rc != 0) return rc;
    if (m_fieldDecimals[position] != 0) return kDbfLogicalDecimals;
    if (m_fieldLengths[position] > 0) *Field(position) = flag == 1 ? 'T' : 'F';
    StoreDone();
    return 0;
}

// ------------------------------------------------------------------------------------------------
// In-memory index

int64_t CdBaseDocument::ScanRecords(const std::function<bool(int32_t n, const uint8_t* record)>& visit) {
    if (!m_pFile) return -1;
    if (m_nCurrentRecord > 0 && m_bModified) WriteRecord(m_nCurrentRecord);
    CReadOperation operation(*this);
    const int32_t count = m_nRecordCount;
    if (count <= 0) return 0;
    const size_t length = m_nRecordLength;
    // Blocks no larger than the records the file holds (a header may claim far more).
    const int64_t inFile = operation.IsLocked() ? m_nReadable : count;
    const size_t perBlock = static_cast<size_t>(
        std::max<int64_t>(1, std::min<int64_t>(inFile, static_cast<int64_t>(kIndexBlockBytes / length))));
    std::vector<uint8_t> block(perBlock * length);
    int64_t handed = 0;
    for (int64_t first = 1; first <= count;) {
        const size_t wanted = static_cast<size_t>(std::min<int64_t>(perBlock, count - first + 1));
        const int64_t got = m_pFile->ReadAt(RecordOffset(first), block.data(), wanted * length);
        if (got < 0) return handed > 0 ? handed : -1;
        const size_t full = static_cast<size_t>(got) / length;
        for (size_t r = 0; r < full; ++r) {
            ++handed;
            if (!visit(static_cast<int32_t>(first + static_cast<int64_t>(r)), block.data() + r * length))
                return handed;
        }
        if (full < wanted) break;
        first += static_cast<int64_t>(wanted);
    }
    return handed;
}

int CdBaseDocument::GetStringOf(const uint8_t* record, int position, std::u16string& value) const {
    CheckPosition(position);
    value.clear();
    if (m_fieldTypes[position] != 'C') return kDbfWrongType;
    const uint8_t* f = record + m_fieldOffsets[position];
    DecodeInto(f, TextLength(f, m_fieldLengths[position]), value);
    return 0;
}

int CdBaseDocument::BuildIndex(int position) {
    if (position < 0 || position >= m_nFieldCount)
        throw std::invalid_argument("dBase field position " + std::to_string(position) +
                                    " outside the field list");
    if ((m_fieldTypes[position] != 'C' && m_fieldTypes[position] != 'N') || m_nRecordCount <= 0 || !m_pFile)
        return -1;
    CheckPosition(position);

    // Reading record by record would write a modified buffer back with the first read; the
    // block read does the same first (before the shared lock: a write inside it would have to
    // turn it into the exclusive one, which two instances doing the same would wait on for ever).
    if (m_nCurrentRecord > 0 && m_bModified) WriteRecord(m_nCurrentRecord);
    CReadOperation operation(*this);
    // The header read again under the lock may describe other fields.
    if (position >= m_nFieldCount) return -1;
    const char type = m_fieldTypes[position];
    if ((type != 'C' && type != 'N') || m_nRecordCount <= 0) return -1;
    CheckPosition(position);
    const int32_t remembered = m_nCurrentRecord;
    const int32_t count = m_nRecordCount;
    m_index.clear();
    m_indexKeys.clear();
    m_index.push_back(IndexEntry{{0, 0}, 0, 0, 0});

    // The record area is read in large blocks instead of one read per record; a record that is not
    // wholly in the file is skipped, as a failed read of it would be.
    const auto& rank = Ranks().rank;
    const size_t length = m_nRecordLength;
    const size_t offset = m_fieldOffsets[position];
    const size_t width = m_fieldLengths[position];
    const bool numericHasDecimals = type == 'N' && m_fieldDecimals[position] > 0;
    // Blocks no larger than the records the file holds (a header may claim far more).
    const int64_t inFile = operation.IsLocked() ? m_nReadable : count;
    const size_t perBlock = static_cast<size_t>(
        std::max<int64_t>(1, std::min<int64_t>(inFile, static_cast<int64_t>(kIndexBlockBytes / length))));
    std::vector<uint8_t> block(perBlock * length);
    m_index.reserve(static_cast<size_t>(inFile) + 1);
    m_indexKeys.reserve(static_cast<size_t>(inFile) * 16);
    bool anyRead = false;
    {
        for (int64_t first = 1; first <= count;) {
            const size_t wanted = static_cast<size_t>(std::min<int64_t>(perBlock, count - first + 1));
            int64_t got = m_pFile->ReadAt(RecordOffset(first), block.data(), wanted * length);
            if (got < 0) break;
            const size_t full = static_cast<size_t>(got) / length;
            for (size_t r = 0; r < full; ++r) {
                const uint8_t* record = block.data() + r * length;
                if (record[0] != ' ') continue;
                const uint8_t* field = record + offset;
                IndexEntry entry{
                    {0, 0}, m_indexKeys.size(), 0, static_cast<uint32_t>(first + static_cast<int64_t>(r))};
                if (type == 'C') {
                    const size_t n = TextLength(field, width);
                    entry.length = static_cast<uint32_t>(n);
                    m_indexKeys.resize(entry.offset + n);
                    char* key = m_indexKeys.data() + entry.offset;
                    for (size_t i = 0; i < n; ++i) key[i] = static_cast<char>(rank[field[i]]);
                } else {
                    // The integer accessor refuses a field with decimals; its key is then "0".
                    int32_t v = numericHasDecimals ? 0 : ParseLong(CString(field, width));
                    char buf[16];
                    char* end = std::to_chars(buf, buf + sizeof buf, v).ptr;
                    entry.length = static_cast<uint32_t>(end - buf);
                    m_indexKeys.append(buf, end);  // digits and '-': their ranks are the bytes
                }
                // Big-endian packing of the first 16 rank bytes, zero after the end: rank 0 is the
                // zero byte, which never stands inside a key, so the packed values order as the keys.
                const auto* k = reinterpret_cast<const uint8_t*>(m_indexKeys.data()) + entry.offset;
                for (size_t i = 0; i < 16; ++i) {
                    uint64_t byte = i < entry.length ? k[i] : 0;
                    entry.prefix[i / 8] |= byte << (8 * (7 - i % 8));
                }
                m_index.push_back(entry);
            }
            anyRead = anyRead || full > 0;
            if (full < wanted) break;
            first += static_cast<int64_t>(wanted);
        }
    }
    if (anyRead) m_bModified = 0;

    // Ordinal and stable: an element moves only past strictly greater keys. Equal keys keep the
    // order of their records, which is the order they were collected in, so a sort by key and
    // then record number gives the stable order.
    const char* keys = m_indexKeys.data();
    std::sort(m_index.begin() + 1, m_index.end(), [keys](const IndexEntry& a, const IndexEntry& b) {
        if (a.prefix[0] != b.prefix[0]) return a.prefix[0] < b.prefix[0];
        if (a.prefix[1] != b.prefix[1]) return a.prefix[1] < b.prefix[1];
        if (a.length > 16 && b.length > 16) {
            int c =
                std::memcmp(keys + a.offset + 16, keys + b.offset + 16, std::min(a.length, b.length) - 16);
            if (c != 0) return c < 0;
        }
        if (a.length != b.length) return a.length < b.length;
        return a.record < b.record;
    });

    // A record-by-record pass ends on the last record; then the remembered one is read again
    // (which fails for "no record" and leaves the last record current).
    if (remembered >= 1 && remembered <= m_nRecordCount)
        ReadRecord(remembered);
    else
        ReadRecord(count);
    return static_cast<int>(m_index.size() - 1);
}

int CdBaseDocument::GotoIndex(int i) {
    if (i < 0 || static_cast<size_t>(i) >= m_index.size()) return -1;
    return ReadRecord(static_cast<int32_t>(m_index[i].record));
}

std::u16string CdBaseDocument::GetIndexKey(int i) const {
    if (i < 0 || static_cast<size_t>(i) >= m_index.size()) return {};
    const auto& byteOfRank = Ranks().byteOfRank;
    std::string bytes = m_indexKeys.substr(m_index[i].offset, m_index[i].length);
    for (auto& c : bytes) c = static_cast<char>(byteOfRank[static_cast<uint8_t>(c)]);
    return DecodeWindows1252(bytes);
}

int64_t CdBaseDocument::GetIndexRecord(int i) const {
    if (i < 0 || static_cast<size_t>(i) >= m_index.size()) return -1;
    return m_index[i].record;
}

}  // namespace tarvex
