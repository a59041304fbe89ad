#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "config/locations.h"

namespace tidewell {

// The help pages are installed with the program: <folder>/help/<language>/index.html, in the
// program folder or in the installed data folder.
inline constexpr std::string_view kHelpFolderName = "help";
inline constexpr std::string_view kHelpPageName = "index.html";
inline constexpr std::string_view kHelpEnglishFolder = "en";
inline constexpr std::string_view kHelpChineseFolder = "zh_CN";

// The pages searched, in order, for the language id (2052: Chinese, else English).
std::vector<std::string> HelpPageCandidates(const Locations& locations, int32_t languageId);

// The first candidate that is a file, or empty when none is.
std::string FindHelpPage(const Locations& locations, int32_t languageId);

}  // namespace tidewell
