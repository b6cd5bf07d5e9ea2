#pragma once
// The D.V.1 file format (.fdv): writes "KTW-DV1Form@3.00" and reads it and the old versions
// 1.00, 1.01 and 1.10.

#include <cstdint>
#include <filesystem>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace tarvex {

class CDV1_Doc;

inline constexpr char kFdvSignature[] = "KTW-DV1Form@3.00";
inline constexpr size_t kFdvSignatureLength = 16;
inline constexpr char kFdvFamily[] = "KTW-DV1Form@";  // the first 12 bytes of every version
inline constexpr size_t kFdvFamilyLength = 12;
inline constexpr uint16_t kFdvVersion = 300;

// Who saved the file: written into every file, never read back.
struct FdvOrigin {
    std::u16string computer, user;
};
// The computer and user name from the environment; empty where it has none.
FdvOrigin FdvOriginFromEnvironment();

// What a read found besides the document, for tools that show a file's contents.
struct FdvReadInfo {
    std::string signature;            // the first 16 bytes as read; empty for a shorter file
    std::optional<uint16_t> version;  // the version word of a 3.x file
    size_t size = 0;                  // bytes in the file
};

// Reads a document from the bytes of a file. The document is reset first. A file of another
// kind or version sets doc.m_nLoadMessage (18, 19, 20) and takes nothing over; a file shorter than
// a signature opens as an empty D.V.1. Both return true. false with a message when the data are
// damaged; the document is then an empty D.V.1 again.
bool ReadFdv(std::span<const uint8_t> data, CDV1_Doc& doc, std::string& error, FdvReadInfo* info = nullptr);
std::vector<uint8_t> WriteFdv(CDV1_Doc& doc, const FdvOrigin& origin);

// The message with which the program opens a file it has read: a file that has bytes but no
// signature is someone else's file and is refused like an unknown format (18), so that no save
// can ever overwrite it; an empty file opens as an empty form.
int FdvOpenMessage(const CDV1_Doc& doc, const FdvReadInfo& read);
// The text of load message 18, 19 or 20; empty for any other id.
std::u16string FdvLoadMessageText(int id);

// True when the bytes begin with the signature of some D.V.1 version.
bool HasFdvFamilySignature(std::span<const uint8_t> data);

// File variants: the save is atomic (temporary file in the target folder, flush, sync, rename)
// and writes the origin from the environment; a failed save leaves the old file as it was.
bool LoadFdvFile(const std::filesystem::path& path, CDV1_Doc& doc, std::string& error,
                 FdvReadInfo* info = nullptr);
bool SaveFdvFile(const std::filesystem::path& path, CDV1_Doc& doc, std::string& error);

}  // namespace tarvex
