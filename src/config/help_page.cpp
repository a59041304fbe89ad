#include "config/help_page.h"

#include <sys/stat.h>

#include "files/paths.h"
#include "text/language.h"

namespace tidewell {

std::vector<std::string> HelpPageCandidates(const Locations& locations, int32_t languageId) {
    const std::string_view language =
        languageId == kLcidSimplifiedChinese ? kHelpChineseFolder : kHelpEnglishFolder;
    std::vector<std::string> pages;
    for (const std::string* base : {&locations.programDir, &locations.installedDataDir}) {
        if (base->empty()) continue;
        pages.push_back(JoinPath(JoinPath(JoinPath(*base, kHelpFolderName), language), kHelpPageName));
    }
    return pages;
}

std::string FindHelpPage(const Locations& locations, int32_t languageId) {
    for (const std::string& page : HelpPageCandidates(locations, languageId)) {
        struct stat info {};
        if (stat(page.c_str(), &info) == 0 && S_ISREG(info.st_mode)) return page;
    }
    return {};
}

}  // namespace tidewell
