#pragma once
// The data-file options: the two table paths, the paper check switch and re-creating a table
// empty. The dialog shows and edits these values; reading and applying them lives here.

#include <filesystem>
#include <string>
#include <vector>

#include "core/masterdata/dBaseDocument.h"

namespace tarvex {

class Profile;

struct ProgramOptions {
    std::u16string addressPath;
    std::u16string articlePath;
    bool paperCheck = true;
    bool initAddresses = false;
    bool initArticles = false;
};

// The stored values; an empty path becomes the data folder plus "Adress1.dbf" or the article
// table's default name ("ARTIKEL1.DBF", with "Stammdaten" = 2 "ARTIKEL.DBF").
ProgramOptions ReadProgramOptions(Profile& profile, const std::filesystem::path& dataFolder);
// On OK: writes the three settings, then re-creates the article table and the address table when
// asked. Tables that could not be created are returned with the engine's error; the settings are
// written all the same.
std::vector<CTableError> ApplyProgramOptions(Profile& profile, const ProgramOptions& options,
                                             const std::filesystem::path& dataFolder);

}  // namespace tarvex
