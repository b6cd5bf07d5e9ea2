#pragma once
// The SAD file format (.aef): writes the current layout "KTW-EHForm@2.10" and reads it and
// every older layout.

#include <cstdint>
#include <filesystem>
#include <span>
#include <string>
#include <vector>

namespace tarvex {

class CEinheitspapierDoc;

// Reads a document from the bytes of a file. The document is reset first. An unknown signature
// (status 18) or an export file of the oldest version (status 19) sets doc.m_nLoadStatus and
// still returns true; false with a message when the data are damaged.
bool ReadAef(std::span<const uint8_t> data, CEinheitspapierDoc& doc, std::string& error);
std::vector<uint8_t> WriteAef(CEinheitspapierDoc& doc);

// What a read found besides the document, for tools that show a file's contents.
struct AefReadInfo {
    std::string signature;     // the first 15 bytes as read; empty for a file shorter than that
    bool hasFormCode = false;  // false for layouts without a form code (1.10, 1.20, 1.41)
    uint32_t formCode = 0;
    size_t size = 0;  // bytes in the file
};
bool ReadAef(std::span<const uint8_t> data, CEinheitspapierDoc& doc, std::string& error, AefReadInfo* info);
bool LoadAefFile(const std::filesystem::path& path, CEinheitspapierDoc& doc, std::string& error,
                 AefReadInfo* info);

// The status with which the program opens a file it has read: a file that has bytes but no
// signature is someone else's file and is refused like an unknown format (18), so that no window
// can ever save over it; an empty file, as a desktop's "new document" makes it, opens as an empty
// form. Other statuses are the load status.
int AefOpenStatus(const CEinheitspapierDoc& doc, const AefReadInfo& read);

inline constexpr char kAefSignature[] = "KTW-EHForm@2.10";
inline constexpr size_t kAefSignatureLength = 15;

// The largest .aef that is read: 255 pages (154 + 254 × 214 boxes) with 512 characters in every
// box (no box holds more than a few hundred) and its formatting word make 56 MB; the program's own
// files are some kilobytes.
inline constexpr std::uintmax_t kMaxAefFileSize = 64u * 1024u * 1024u;

// File variants: the save is atomic (temporary file in the target folder, flush, sync,
// rename); a failed save leaves the old file as it was. error receives the cause.
bool LoadAefFile(const std::filesystem::path& path, CEinheitspapierDoc& doc, std::string& error);
bool SaveAefFile(const std::filesystem::path& path, CEinheitspapierDoc& doc, std::string& error);

}  // namespace tarvex
