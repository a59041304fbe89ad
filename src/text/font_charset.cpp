#include "text/font_charset.h"

namespace tidewell {

namespace {

// lcid, ANSI, Macintosh, OEM code page, character set.
constexpr LocaleCodePages kLocales[] = {
    {1025, 1256, 10004, 720, kArabicCharSet},       // Arabic (Saudi Arabia)
    {1026, 1251, 10007, 866, kRussianCharSet},      // Bulgarian
    {1027, 1252, 10000, 850, kAnsiCharSet},         // Catalan
    {1028, 950, 10002, 950, kChineseBig5CharSet},   // Chinese (Taiwan)
    {1029, 1250, 10029, 852, kEastEuropeCharSet},   // Czech
    {1030, 1252, 10000, 850, kAnsiCharSet},         // Danish
    {1031, 1252, 10000, 850, kAnsiCharSet},         // German (Germany)
    {1032, 1253, 10006, 737, kGreekCharSet},        // Greek
    {1033, 1252, 10000, 437, kAnsiCharSet},         // English (United States)
    {1034, 1252, 10000, 850, kAnsiCharSet},         // Spanish (traditional sort)
    {1035, 1252, 10000, 850, kAnsiCharSet},         // Finnish
    {1036, 1252, 10000, 850, kAnsiCharSet},         // French (France)
    {1037, 1255, 10005, 862, kHebrewCharSet},       // Hebrew
    {1038, 1250, 10029, 852, kEastEuropeCharSet},   // Hungarian
    {1039, 1252, 10079, 850, kAnsiCharSet},         // Icelandic
    {1040, 1252, 10000, 850, kAnsiCharSet},         // Italian (Italy)
    {1041, 932, 10001, 932, kShiftJisCharSet},      // Japanese
    {1042, 949, 10003, 949, kHangulCharSet},        // Korean
    {1043, 1252, 10000, 850, kAnsiCharSet},         // Dutch (Netherlands)
    {1044, 1252, 10000, 850, kAnsiCharSet},         // Norwegian (Bokmal)
    {1045, 1250, 10029, 852, kEastEuropeCharSet},   // Polish
    {1046, 1252, 10000, 850, kAnsiCharSet},         // Portuguese (Brazil)
    {1048, 1250, 10029, 852, kEastEuropeCharSet},   // Romanian
    {1049, 1251, 10007, 866, kRussianCharSet},      // Russian
    {1050, 1250, 10082, 852, kEastEuropeCharSet},   // Croatian
    {1051, 1250, 10029, 852, kEastEuropeCharSet},   // Slovak
    {1052, 1250, 10029, 852, kEastEuropeCharSet},   // Albanian
    {1053, 1252, 10000, 850, kAnsiCharSet},         // Swedish
    {1054, 874, 10021, 874, kThaiCharSet},          // Thai
    {1055, 1254, 10081, 857, kTurkishCharSet},      // Turkish
    {1056, 1256, 10004, 720, kArabicCharSet},       // Urdu
    {1057, 1252, 10000, 850, kAnsiCharSet},         // Indonesian
    {1058, 1251, 10017, 866, kRussianCharSet},      // Ukrainian
    {1059, 1251, 10007, 866, kRussianCharSet},      // Belarusian
    {1060, 1250, 10029, 852, kEastEuropeCharSet},   // Slovenian
    {1061, 1257, 10029, 775, kBalticCharSet},       // Estonian
    {1062, 1257, 10029, 775, kBalticCharSet},       // Latvian
    {1063, 1257, 10029, 775, kBalticCharSet},       // Lithuanian
    {1065, 1256, 10004, 720, kArabicCharSet},       // Persian
    {1066, 1258, 10000, 1258, kVietnameseCharSet},  // Vietnamese
    {1069, 1252, 10000, 850, kAnsiCharSet},         // Basque
    {1071, 1251, 10007, 866, kRussianCharSet},      // Macedonian
    {1078, 1252, 10000, 850, kAnsiCharSet},         // Afrikaans
    {1086, 1252, 10000, 850, kAnsiCharSet},         // Malay (Malaysia)
    {1089, 1252, 10000, 437, kAnsiCharSet},         // Swahili
    {2049, 1256, 10004, 720, kArabicCharSet},       // Arabic (Iraq)
    {2052, 936, 0, 936, kGb2312CharSet},            // Chinese (PRC)
    {2055, 1252, 10000, 850, kAnsiCharSet},         // German (Switzerland)
    {2057, 1252, 10000, 850, kAnsiCharSet},         // English (United Kingdom)
    {2058, 1252, 10000, 850, kAnsiCharSet},         // Spanish (Mexico)
    {2060, 1252, 10000, 850, kAnsiCharSet},         // French (Belgium)
    {2064, 1252, 10000, 850, kAnsiCharSet},         // Italian (Switzerland)
    {2067, 1252, 10000, 850, kAnsiCharSet},         // Dutch (Belgium)
    {2068, 1252, 10000, 850, kAnsiCharSet},         // Norwegian (Nynorsk)
    {2070, 1252, 10000, 850, kAnsiCharSet},         // Portuguese (Portugal)
    {2074, 1250, 10029, 852, kEastEuropeCharSet},   // Serbian (Latin)
    {3073, 1256, 10004, 720, kArabicCharSet},       // Arabic (Egypt)
    {3076, 950, 10002, 950, kChineseBig5CharSet},   // Chinese (Hong Kong SAR)
    {3079, 1252, 10000, 850, kAnsiCharSet},         // German (Austria)
    {3081, 1252, 10000, 850, kAnsiCharSet},         // English (Australia)
    {3082, 1252, 10000, 850, kAnsiCharSet},         // Spanish (modern sort)
    {3084, 1252, 10000, 850, kAnsiCharSet},         // French (Canada)
    {3098, 1251, 10007, 855, kRussianCharSet},      // Serbian (Cyrillic)
    {4100, 936, 10008, 936, kGb2312CharSet},        // Chinese (Singapore)
    {4105, 1252, 10000, 850, kAnsiCharSet},         // English (Canada)
    {5124, 950, 10002, 950, kChineseBig5CharSet},   // Chinese (Macao SAR)
    {5129, 1252, 10000, 850, kAnsiCharSet},         // English (New Zealand)
    {6153, 1252, 10000, 850, kAnsiCharSet},         // English (Ireland)
};

}  // namespace

std::span<const LocaleCodePages> LocaleCodePageTable() {
    return std::span<const LocaleCodePages>(kLocales);
}

const LocaleCodePages* FindLocaleCodePages(int32_t lcid) {
    for (const LocaleCodePages& row : kLocales) {
        if (row.lcid == lcid) {
            return &row;
        }
    }
    return nullptr;
}

int FontCharSetFor(int32_t lcid) {
    const LocaleCodePages* row = FindLocaleCodePages(lcid);
    return row != nullptr ? row->charSet : kDefaultCharSet;
}

}  // namespace tidewell
