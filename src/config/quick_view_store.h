#pragma once

#include <cstddef>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "base/result.h"

namespace tidewell {

// The Quick View file: "qv.ini" in the user data directory, a settings text document with one
// section whose keys QV1, QV2, ... hold one stored Quick View line each, in list order. The
// store moves the lines; what a line means is read by the timing layer (timing/quick_view.h).
inline constexpr std::string_view kQuickViewFileName = "qv.ini";
inline constexpr std::string_view kQuickViewSection = "Quick View";
inline constexpr const char* kQuickViewKeyFormat = "QV%d";
// A larger file is not read.
inline constexpr std::size_t kQuickViewFileLimit = 1u << 20;

std::string QuickViewFilePath(std::string_view userDataDir);
// "QV1" for number 1.
std::string QuickViewKey(int number);

// The values of QV1, QV2, ... up to the first missing number. A missing file gives no lines and
// succeeds; a file that cannot be read, or is larger than the limit, fails and gives none.
Result LoadQuickViewLines(const std::string& path, std::vector<std::string>& lines);

// The bytes SaveQuickViewLines writes for these lines.
std::string QuickViewFileText(const std::vector<std::string>& lines);

// Says whether a stored line reads as a Quick View.
using QuickViewLineCheck = std::function<bool(std::string_view line)>;

// Rewrites the file with the lines as QV1..QVn, durably. A file on disk that holds more than
// these writes would give back from it (a line `readable` refuses, a key after a missing number,
// comments, other sections) is first kept aside as "<path>.damaged" (or "-2", "-3", ...), whose
// name `keptAside` receives; nothing a user put there is lost. When it cannot be kept aside the
// file is left alone and the save fails.
Result SaveQuickViewLines(const std::string& path, const std::vector<std::string>& lines,
                          const QuickViewLineCheck& readable, std::string* keptAside = nullptr);

}  // namespace tidewell
