#pragma once

#include <cstdint>
#include <span>

namespace tidewell {

// Windows character-set values, as fonts of the controls take them.
inline constexpr int kAnsiCharSet = 0;
inline constexpr int kDefaultCharSet = 1;
inline constexpr int kShiftJisCharSet = 128;
inline constexpr int kHangulCharSet = 129;
inline constexpr int kGb2312CharSet = 134;
inline constexpr int kChineseBig5CharSet = 136;
inline constexpr int kGreekCharSet = 161;
inline constexpr int kTurkishCharSet = 162;
inline constexpr int kVietnameseCharSet = 163;
inline constexpr int kHebrewCharSet = 177;
inline constexpr int kArabicCharSet = 178;
inline constexpr int kBalticCharSet = 186;
inline constexpr int kRussianCharSet = 204;
inline constexpr int kThaiCharSet = 222;
inline constexpr int kEastEuropeCharSet = 238;

// One Windows locale: its code pages and the character set of its fonts.
struct LocaleCodePages {
    int32_t lcid;
    int ansiCodePage;
    int macCodePage;
    int oemCodePage;
    int charSet;
};

std::span<const LocaleCodePages> LocaleCodePageTable();

// The row of the locale, or nullptr.
const LocaleCodePages* FindLocaleCodePages(int32_t lcid);

// The font character set of a language; kDefaultCharSet for a locale the table lacks.
int FontCharSetFor(int32_t lcid);

}  // namespace tidewell
