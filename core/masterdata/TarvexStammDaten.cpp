#include "core/masterdata/TarvexStammDaten.h"

#include <algorithm>

#include "core/common/TextCodec.h"
#include "core/masterdata/MasterDataStrings.h"
#include "core/masterdata/MasterDataText.h"
#include "core/settings/Profile.h"
#include "core/settings/SettingsKeys.h"

namespace tarvex {

namespace {

constexpr const char16_t* kCodeFieldNames[kArticleCodes] = {u"WNR1", u"WNR2",  u"WNR3", u"WNR4",
                                                            u"WNR5", u"LAND1", u"LAND2"};
constexpr const char16_t* kCodeBoxNames[kArticleCodes] = {u"33 A", u"33 B", u"33 C", u"33 D",
                                                          u"33 E", u"34 A", u"34 B"};

// FNV-1a over a record's bytes: tells whether a record still holds what was read from it.
uint64_t RecordStamp(const uint8_t* record, size_t length) {
    uint64_t h = 14695981039346656037ull;
    for (size_t i = 0; i < length; ++i) {
        h ^= record[i];
        h *= 1099511628211ull;
    }
    return h;
}

}  // namespace

void SplitTablePath(std::u16string_view path, std::u16string& folder, std::u16string& fileName) {
    const size_t cut = path.find_last_of(u"\\/");
    if (cut == std::u16string_view::npos) {
        folder.clear();
        fileName = std::u16string(path);
    } else {
        folder = std::u16string(path.substr(0, cut));
        fileName = std::u16string(path.substr(cut + 1));
    }
}

ArticleTableSetting ArticleTableFromSettings(Profile& profile) {
    ArticleTableSetting s;
    s.layout = settings::Get(profile, settings::kSettings, settings::kStammdaten) == 2 ? kLayout14 : kLayout8;
    const std::u16string path = settings::Get(profile, settings::kSettings, settings::kStammdatenDatei);
    if (path.size() > 2) {
        std::u16string folder;
        SplitTablePath(path, folder, s.fileName);
        s.folder = std::filesystem::path(folder);
    } else {
        s.fileName = s.layout == kLayout14 ? u"ARTIKEL.DBF" : u"ARTIKEL1.DBF";
    }
    return s;
}

std::u16string ArticleCodeText(const CArticle& article) {
    std::u16string t = article.codes[0];
    for (int k = 1; k < 5; ++k) {
        t += u'-';
        t += article.codes[k];
    }
    return t;
}

std::u16string ArticleFirstLine(std::u16string_view description) {
    const size_t end = description.find_first_of(u"\r\n");
    return std::u16string(description.substr(0, end));
}

CTarvexStammDaten::~CTarvexStammDaten() {
    m_table.CloseTable();
}

void CTarvexStammDaten::ResizeArticles(size_t count) {
    m_description.resize(count);
    for (auto& c : m_codes) c.resize(count);
    m_changed.resize(count);
    m_records.resize(count);
    m_stamps.resize(count);
    m_searchText.clear();
}

int CTarvexStammDaten::SetTablePath(const std::filesystem::path& folder, const std::u16string& fileName,
                                    uint8_t layout, const std::filesystem::path& dataFolder) {
    m_strTablePath = (folder.empty() ? dataFolder : folder) / std::filesystem::path(fileName);
    m_nLayout = layout;
    return 0;
}

int CTarvexStammDaten::CreateArticleTable(int overwrite) {
    // The layout the "Stammdaten" setting asks for: a program that shares the 14-field table
    // must find it again, and this program reads it back with the same setting.
    m_table.ResetDefinition();
    if (m_nLayout == kLayout14) {
        for (int f = 0; f < kDescriptionFields14; ++f)
            m_table.AddField(u"WBESCH" + MdNumber(f + 1), 'C', kDescriptionLineWidth14, 0);
    } else {
        m_table.AddField(u"WBESCH1", 'C', kDescriptionWidth, 0);
    }
    for (int k = 0; k < kArticleCodes; ++k) m_table.AddField(kCodeFieldNames[k], 'C', kCodeWidths[k], 0);
    return m_table.CreateTable(m_strTablePath, overwrite);
}

bool CTarvexStammDaten::CheckLayout() {
    const auto textFields = [this](int needed) {
        if (m_table.GetFieldCount() < needed) return false;
        for (int i = 0; i < needed; ++i) {
            std::u16string name;
            char type = 0;
            uint16_t length = 0, decimals = 0;
            m_table.GetFieldInfo(i, name, type, length, decimals);
            if (type != 'C') return false;
        }
        return true;
    };
    constexpr int kFields8 = 1 + kArticleCodes, kFields14 = kDescriptionFields14 + kArticleCodes;
    // A table of exactly 8 or 14 text fields says which layout it has, whatever the setting; a
    // table with more fields is read the way the setting says.
    const int count = m_table.GetFieldCount();
    if (count == kFields8 && textFields(kFields8)) {
        m_nLayout = kLayout8;
        return true;
    }
    if (count == kFields14 && textFields(kFields14)) {
        m_nLayout = kLayout14;
        return true;
    }
    if (textFields(m_nLayout == kLayout14 ? kFields14 : kFields8)) return true;
    m_layoutMessage = MdArgs(mdstr::kWrongArticleLayoutFmt,
                             {m_strTablePath.u16string(), MdNumber(kFields8), MdNumber(kFields14)});
    return false;
}

int CTarvexStammDaten::LoadArticles(const std::function<void(int64_t, int64_t)>& progress) {
    ResizeArticles(0);
    m_bWritable = false;
    m_loadError = {};
    m_layoutMessage.clear();
    m_table.CloseTable();
    // Only a missing table is created: one that exists but cannot be read now (no rights, held by
    // another program) must never be replaced by an empty one.
    std::error_code ec;
    if (!std::filesystem::exists(m_strTablePath, ec) && !ec) {
        CreateArticleTable(0);
        m_table.CloseTable();
    }
    if (m_table.OpenTable(m_strTablePath) != 1) {
        m_loadError = m_table.GetFileError();
        return -1;
    }
    if (!CheckLayout()) return -1;
    const int32_t count = m_table.GetRecordCount();
    m_description.reserve(static_cast<size_t>(count));
    for (auto& c : m_codes) c.reserve(static_cast<size_t>(count));
    const bool fourteen = m_nLayout == kLayout14;
    const int firstCode = fourteen ? kDescriptionFields14 : 1;
    std::u16string line;
    m_records.reserve(static_cast<size_t>(count));
    m_stamps.reserve(static_cast<size_t>(count));
    const size_t recordLength = m_table.GetRecordLength();
    m_table.ScanRecords([&](int32_t n, const uint8_t* record) {
        m_records.push_back(n);
        m_stamps.push_back(RecordStamp(record, recordLength));
        std::u16string description;
        m_table.GetStringOf(record, 0, description);
        if (fourteen) {
            for (int f = 1; f < kDescriptionFields14; ++f) {
                m_table.GetStringOf(record, f, line);
                description += u"\r\n";
                description += line;
            }
        }
        m_description.push_back(std::move(description));
        for (int k = 0; k < kArticleCodes; ++k) {
            m_codes[k].emplace_back();
            m_table.GetStringOf(record, firstCode + k, m_codes[k].back());
        }
        if (progress && (n % 4096) == 0) progress(n, count);
        return true;
    });
    m_changed.assign(m_description.size(), 0);
    m_bWritable = true;
    return 0;
}

std::vector<uint16_t> CTarvexStammDaten::FieldWidths() const {
    std::vector<uint16_t> widths;
    if (m_table.IsOpen() && m_bWritable) {
        for (int i = 0; i < m_table.GetFieldCount(); ++i) {
            std::u16string name;
            char type = 0;
            uint16_t length = 0, decimals = 0;
            m_table.GetFieldInfo(i, name, type, length, decimals);
            widths.push_back(length);
        }
        return widths;
    }
    widths.push_back(kDescriptionWidth);
    widths.insert(widths.end(), kCodeWidths.begin(), kCodeWidths.end());
    return widths;
}

std::vector<std::u16string> CTarvexStammDaten::FitProblems(const CArticle& article) const {
    std::vector<std::u16string> problems;
    const std::vector<uint16_t> widths = FieldWidths();
    const bool fourteen = m_nLayout == kLayout14 && widths.size() >= kDescriptionFields14 + kArticleCodes;
    const int firstCode = fourteen ? kDescriptionFields14 : 1;
    if (fourteen) {
        std::vector<std::u16string> lines = MdSplitLines(article.description);
        while (lines.size() > 1 && TrimmedRight(lines.back()).empty()) lines.pop_back();
        if (lines.size() > kDescriptionFields14)
            problems.push_back(MdArgs(mdstr::kFitTooManyLinesFmt,
                                      {MdNumber(kDescriptionFields14 + 1), MdNumber(kDescriptionFields14)}));
        for (size_t i = 0; i < lines.size() && i < kDescriptionFields14; ++i)
            if (size_t b = TableBytes(TrimmedRight(lines[i])); b > widths[i])
                problems.push_back(MdArgs(mdstr::kFitLineTooLongFmt,
                                          {MdNumber(static_cast<long long>(i + 1)),
                                           MdNumber(static_cast<long long>(b)), MdNumber(widths[i])}));
    } else if (size_t b = TableBytes(article.description); b > widths[0]) {
        problems.push_back(
            MdArgs(mdstr::kFitFieldTooLongFmt,
                   {mdstr::kFitDescription, MdNumber(static_cast<long long>(b)), MdNumber(widths[0])}));
    }
    for (int k = 0; k < kArticleCodes; ++k)
        if (size_t b = TableBytes(article.codes[k]); b > widths[firstCode + k])
            problems.push_back(
                MdArgs(mdstr::kFitFieldTooLongFmt,
                       {MdArgs(mdstr::kFitCodeFmt, {kCodeBoxNames[k]}), MdNumber(static_cast<long long>(b)),
                        MdNumber(widths[firstCode + k])}));
    return problems;
}

CArticle CTarvexStammDaten::Fitted(const CArticle& article) const {
    CArticle r = article;
    const std::vector<uint16_t> widths = FieldWidths();
    const bool fourteen = m_nLayout == kLayout14 && widths.size() >= kDescriptionFields14 + kArticleCodes;
    const int firstCode = fourteen ? kDescriptionFields14 : 1;
    if (fourteen) {
        std::vector<std::u16string> lines = MdSplitLines(article.description);
        while (lines.size() > 1 && TrimmedRight(lines.back()).empty()) lines.pop_back();
        if (lines.size() > kDescriptionFields14) lines.resize(kDescriptionFields14);
        for (size_t i = 0; i < lines.size(); ++i) lines[i] = FitToBytes(TrimmedRight(lines[i]), widths[i]);
        r.description = MdJoinLines(lines);
    } else {
        r.description = FitToBytes(article.description, widths[0]);
        // Never end on half a line break.
        if (!r.description.empty() && r.description.back() == u'\r') r.description.pop_back();
    }
    for (int k = 0; k < kArticleCodes; ++k) r.codes[k] = FitToBytes(article.codes[k], widths[firstCode + k]);
    return r;
}

CArticle CTarvexStammDaten::GetArticle(size_t i) const {
    CArticle a;
    a.description = m_description[i];
    for (int k = 0; k < kArticleCodes; ++k) a.codes[k] = m_codes[k][i];
    return a;
}

size_t CTarvexStammDaten::AddArticle(const CArticle& article) {
    m_description.push_back(article.description);
    for (int k = 0; k < kArticleCodes; ++k) m_codes[k].push_back(article.codes[k]);
    m_changed.push_back(1);
    m_records.push_back(0);
    m_stamps.push_back(0);
    m_searchText.clear();
    return m_description.size() - 1;
}

void CTarvexStammDaten::SetArticle(size_t i, const CArticle& article) {
    m_description[i] = article.description;
    for (int k = 0; k < kArticleCodes; ++k) m_codes[k][i] = article.codes[k];
    m_changed[i] = 1;
    m_searchText.clear();
}

int CTarvexStammDaten::SaveArticles() {
    bool any = false;
    for (uint8_t c : m_changed) any = any || c != 0;
    if (!any) return 0;
    if (!m_bWritable || !m_table.IsOpen()) return -1;
    // One lock for the whole save: each record is compared and written, and each new one counted
    // and appended, without another instance in between.
    const std::unique_ptr<CTableLock> lock = m_table.LockForWriting();
    if (!lock) return -1;
    const bool fourteen = m_nLayout == kLayout14;
    for (size_t i = 0; i < m_changed.size(); ++i) {
        if (!m_changed[i]) continue;
        const CArticle a = GetArticle(i);
        // Only what fits is stored; the dialog has asked before cutting anything.
        if (!FitProblems(a).empty()) return -1;
        std::vector<std::u16string> values;
        if (fourteen) {
            std::vector<std::u16string> lines = MdSplitLines(a.description);
            lines.resize(kDescriptionFields14);
            for (auto& l : lines) values.push_back(TrimmedRight(l));
        } else {
            values.push_back(a.description);
        }
        values.insert(values.end(), a.codes.begin(), a.codes.end());

        const int32_t count = m_table.GetRecordCount();  // as the file says now
        int32_t record = m_records[i];
        if (record == 0) {
            // A new entry goes after whatever the table holds now, never into a record another
            // instance has filled since this list was read.
            if (m_table.NewRecord() < 1) return -1;
            record = count + 1;
        } else if (record > count || m_table.ReadRecord(record) != record ||
                   RecordStamp(m_table.RecordBuffer(), m_table.GetRecordLength()) != m_stamps[i]) {
            m_table.DiscardBuffer();
            return kArticleChangedElsewhere;
        }
        bool ok = true;
        for (size_t f = 0; ok && f < values.size(); ++f)
            ok = m_table.SetString(static_cast<int>(f), values[f]) == 0;
        const int32_t written = ok ? m_table.WriteRecord(record) : -1;
        if (written < 1) {
            m_table.DiscardBuffer();
            return -1;
        }
        m_records[i] = written;
        m_stamps[i] = RecordStamp(m_table.RecordBuffer(), m_table.GetRecordLength());
        m_changed[i] = 0;
    }
    return 0;
}

std::vector<int> CTarvexStammDaten::OrderByDescription() const {
    std::vector<std::u16string_view> first(m_description.size());
    for (size_t i = 0; i < m_description.size(); ++i) {
        const std::u16string_view d = m_description[i];
        first[i] = d.substr(0, d.find_first_of(u"\r\n"));
    }
    return SortedOrder(first);
}

std::vector<int> CTarvexStammDaten::OrderByCode() const {
    std::vector<std::u16string> codes(m_description.size());
    for (size_t i = 0; i < m_description.size(); ++i) {
        std::u16string& t = codes[i];
        t = m_codes[0][i];
        for (int k = 1; k < 5; ++k) {
            t += u'-';
            t += m_codes[k][i];
        }
    }
    return SortedOrder(codes);
}

std::vector<uint8_t> CTarvexStammDaten::MatchMask(std::u16string_view text) const {
    const std::u16string needle = SearchFold(TrimmedRight(text));
    std::vector<uint8_t> mask(m_description.size(), 1);
    if (needle.empty()) return mask;
    if (m_searchText.size() != m_description.size()) {
        m_searchText.resize(m_description.size());
        for (size_t i = 0; i < m_description.size(); ++i) {
            std::u16string s = m_description[i];
            s += u'\n';
            std::u16string digits;
            for (int k = 0; k < 5; ++k) {
                s += m_codes[k][i];
                s += k < 4 ? u'-' : u'\n';
                digits += m_codes[k][i];
            }
            s += digits;
            s += u'\n';
            s += m_codes[5][i];
            m_searchText[i] = SearchFold(s);
        }
    }
    for (size_t i = 0; i < mask.size(); ++i) mask[i] = m_searchText[i].find(needle) != std::u16string::npos;
    return mask;
}

std::vector<int> CTarvexStammDaten::Narrow(const std::vector<int>& order, const std::vector<uint8_t>& mask) {
    std::vector<int> hits;
    hits.reserve(order.size());
    for (int i : order)
        if (static_cast<size_t>(i) < mask.size() && mask[static_cast<size_t>(i)]) hits.push_back(i);
    return hits;
}

std::vector<int> CTarvexStammDaten::Filter(const std::vector<int>& order, std::u16string_view text) const {
    return Narrow(order, MatchMask(text));
}

}  // namespace tarvex
