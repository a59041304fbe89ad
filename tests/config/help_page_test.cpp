#include "config/help_page.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "support/temp_dir.h"
#include "text/language.h"

namespace tidewell::testing {
namespace {

TEST(HelpPageTest, TheProgramFolderFirstThenTheInstalledOneInTheUsersLanguage) {
    TempDir root;
    Locations locations;
    locations.programDir = root.File("bin");
    locations.installedDataDir = root.File("share/tidewell");
    EXPECT_EQ(HelpPageCandidates(locations, kLcidSimplifiedChinese),
              (std::vector<std::string>{root.File("bin/help/zh_CN/index.html"),
                                        root.File("share/tidewell/help/zh_CN/index.html")}));
    EXPECT_EQ(FindHelpPage(locations, kLcidEnglish), "");  // not installed

    std::filesystem::create_directories(root.File("share/tidewell/help/en"));
    WriteFileText(root.File("share/tidewell/help/en/index.html"), "<html></html>");
    EXPECT_EQ(FindHelpPage(locations, kLcidEnglish), root.File("share/tidewell/help/en/index.html"));
    EXPECT_EQ(FindHelpPage(locations, kLcidSimplifiedChinese), "");
    std::filesystem::create_directories(root.File("bin/help/en/index.html"));  // a folder is no page
    EXPECT_EQ(FindHelpPage(locations, kLcidEnglish), root.File("share/tidewell/help/en/index.html"));
}

}  // namespace
}  // namespace tidewell::testing
