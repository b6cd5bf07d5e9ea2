#include "core/masterdata/ProgramOptions.h"

#include "core/masterdata/AddressDatabase.h"
#include "core/masterdata/TarvexStammDaten.h"
#include "core/settings/Profile.h"
#include "core/settings/SettingsKeys.h"

namespace tarvex {

ProgramOptions ReadProgramOptions(Profile& profile, const std::filesystem::path& dataFolder) {
    ProgramOptions o;
    o.addressPath = settings::Get(profile, settings::kSettings, settings::kAdressdatenDatei);
    o.articlePath = settings::Get(profile, settings::kSettings, settings::kStammdatenDatei);
    o.paperCheck = settings::Get(profile, settings::kSettings, settings::kPrnPapielageCheck) != 0;
    if (o.addressPath.empty()) o.addressPath = (dataFolder / "Adress1.dbf").u16string();
    // The name the article dialog uses for an empty setting: on a file system that tells case
    // apart, "Artikel1.dbf" would be another, empty table than "ARTIKEL1.DBF".
    if (o.articlePath.empty())
        o.articlePath =
            (dataFolder / std::filesystem::path(ArticleTableFromSettings(profile).fileName)).u16string();
    return o;
}

std::vector<CTableError> ApplyProgramOptions(Profile& profile, const ProgramOptions& options,
                                             const std::filesystem::path& dataFolder) {
    using namespace settings;
    profile.WriteProfileString(kSettings, kAdressdatenDatei.name, options.addressPath);
    profile.WriteProfileString(kSettings, kStammdatenDatei.name, options.articlePath);
    profile.WriteProfileInt(kSettings, kPrnPapielageCheck.name, options.paperCheck ? 1 : 0);
    std::vector<CTableError> errors;
    if (options.initArticles) {
        const ArticleTableSetting where = ArticleTableFromSettings(profile);
        CTarvexStammDaten articles;
        articles.SetTablePath(where.folder, where.fileName, where.layout, dataFolder);
        if (articles.CreateArticleTable(1) != 1) errors.push_back(articles.Table().GetFileError());
    }
    if (options.initAddresses) {
        CTableError error;
        if (!CAddressDatabase::CreateAddressTable(std::filesystem::path(options.addressPath), 1, error))
            errors.push_back(error);
    }
    return errors;
}

}  // namespace tarvex
