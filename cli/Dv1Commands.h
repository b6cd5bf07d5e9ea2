#pragma once
// The D.V.1 side of the commands that take either kind of document: dump and convert tell the
// kinds apart by the file's signature.

#include <string>

namespace tarvex::cli {

// True when the file begins with the signature of a D.V.1 file of any version.
bool IsFdvFile(const std::string& file);
int DumpFdv(const std::string& file);
int ConvertFdv(const std::string& in, const std::string& out);

}  // namespace tarvex::cli
