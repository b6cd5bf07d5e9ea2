#pragma once
// tarvex dbf import / dbf export: the address and article tables to and from CSV.

#include <string>
#include <vector>

namespace tarvex::cli {

// args without the word "import" / "export".
int RunDbfImport(const std::vector<std::string>& args);
int RunDbfExport(const std::vector<std::string>& args);

}  // namespace tarvex::cli
