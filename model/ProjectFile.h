#pragma once
// Project files ("*.kpw"): a 64-byte header (program title and format version) followed by the
// project's fields in a fixed order, each in its memory image: little-endian Int32, 10-byte x87
// extended, 8-byte double, one-byte Boolean, texts as u16 length + bytes, the logo as i64 size +
// JPEG bytes. Items added after the first format version carry the version they appeared in; a
// file of an older version simply does not contain them.
//
// TKdData::SaveToFile and TKdData::LoadFromFile are the usual entry points; the functions below
// work on byte images so that tests and the fuzzer can use them without touching the disk.

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "model/KdClasses.h"

namespace vantrel {

inline constexpr std::string_view kFileTitle = "Quarnel Vantrel";
inline constexpr std::string_view kFileVersion = "1.18";
inline constexpr std::string_view kWrongFileFormat = "Wrong file format";
inline constexpr int kFileHeaderSize = 64;
// A level count beyond this marks a damaged file: the "Number of Anchors" field allows at most
// this many and no version of the program writes more.
inline constexpr int kMaxFileLevels = kMaxLevelCount;
// No project file or logo picture comes near this size; a larger file is not read into memory.
inline constexpr uint64_t kMaxFileBytes = 256u << 20;

// The number the version gates compare for a version text: "1.0" stands for 1.03, the decimal
// point is '.' whatever the locale. NaN when the text is not a number.
double FileVersionNumber(std::string_view versionText);

// The image of a project file. An older versionText leaves out the items that version did not
// have (used to produce files of older versions); texts longer than 255 bytes are cut to 255.
std::vector<uint8_t> EncodeProject(const TKdData& data, std::string_view versionText = kFileVersion);

// Replaces `data` by the project that `bytes` holds. Throws std::runtime_error("Wrong file
// format") for a foreign, unsupported, truncated or damaged image; `data` is then unchanged.
// The program folder of `data` is kept.
void DecodeProject(std::span<const uint8_t> bytes, TKdData& data);

// The whole content of a file. Throws std::runtime_error naming the file when it cannot be read
// or is larger than kMaxFileBytes; `what` says what the file is ("project file", "picture").
std::vector<uint8_t> ReadWholeFile(const std::string& fileName, std::string_view what);

// Whole days since 1899-12-30 of today's local date.
double TodayAsDateTime();

} // namespace vantrel
