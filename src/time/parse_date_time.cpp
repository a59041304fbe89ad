#include <array>
#include <cctype>
#include <string_view>

#include "time/date_time.h"

namespace tidewell {
namespace {

constexpr std::array<std::string_view, 12> kMonthNames = {"january",   "february", "march",    "april",
                                                          "may",       "june",     "july",     "august",
                                                          "september", "october",  "november", "december"};

// A cursor over the text that reads only what it can check.
class Scanner {
public:
    explicit Scanner(std::string_view text) : m_text(text) {}

    bool AtEnd() const { return m_pos == m_text.size(); }
    void SkipBlanks() {
        while (m_pos < m_text.size() && (m_text[m_pos] == ' ' || m_text[m_pos] == '\t')) ++m_pos;
    }
    bool Take(char c) {
        if (m_pos < m_text.size() && m_text[m_pos] == c) {
            ++m_pos;
            return true;
        }
        return false;
    }
    // An unsigned number of minDigits..maxDigits digits.
    bool Number(int minDigits, int maxDigits, int& out) {
        int digits = 0;
        int value = 0;
        while (m_pos < m_text.size() && digits < maxDigits &&
               std::isdigit(static_cast<unsigned char>(m_text[m_pos]))) {
            value = value * 10 + (m_text[m_pos] - '0');
            ++m_pos;
            ++digits;
        }
        if (digits < minDigits) return false;
        if (m_pos < m_text.size() && std::isdigit(static_cast<unsigned char>(m_text[m_pos]))) return false;
        out = value;
        return true;
    }
    // A full English month name, any case: 1..12.
    bool MonthName(int& out) {
        size_t start = m_pos;
        while (m_pos < m_text.size() && std::isalpha(static_cast<unsigned char>(m_text[m_pos]))) ++m_pos;
        std::string_view word = m_text.substr(start, m_pos - start);
        for (size_t i = 0; i < kMonthNames.size(); ++i) {
            if (word.size() != kMonthNames[i].size()) continue;
            bool same = true;
            for (size_t k = 0; k < word.size() && same; ++k) {
                same = std::tolower(static_cast<unsigned char>(word[k])) == kMonthNames[i][k];
            }
            if (same) {
                out = static_cast<int>(i) + 1;
                return true;
            }
        }
        return false;
    }

private:
    std::string_view m_text;
    size_t m_pos = 0;
};

struct Parts {
    int year = 1899, month = 12, day = 30, hour = 0, minute = 0, second = 0;
};

bool ReadTime(Scanner& in, Parts& parts) {
    if (!in.Number(1, 2, parts.hour) || !in.Take(':') || !in.Number(2, 2, parts.minute)) return false;
    parts.second = 0;
    if (in.Take(':') && !in.Number(2, 2, parts.second)) return false;
    return true;
}

// "%Y-%m-%d" with an optional time, or a bare time.
bool ReadNumericForm(std::string_view text, Parts& parts) {
    Scanner in(text);
    int first = 0;
    if (!in.Number(1, 4, first)) return false;
    if (in.Take(':')) {
        // A bare time of day: start again and read it whole.
        Scanner time(text);
        return ReadTime(time, parts) && time.AtEnd();
    }
    parts.year = first;
    if (!in.Take('-') || !in.Number(1, 2, parts.month) || !in.Take('-') || !in.Number(1, 2, parts.day)) {
        return false;
    }
    if (in.AtEnd()) return true;
    in.SkipBlanks();
    return ReadTime(in, parts) && in.AtEnd();
}

// "%B %d, %Y"
bool ReadLongForm(std::string_view text, Parts& parts) {
    Scanner in(text);
    if (!in.MonthName(parts.month)) return false;
    in.SkipBlanks();
    if (!in.Number(1, 2, parts.day) || !in.Take(',')) return false;
    in.SkipBlanks();
    return in.Number(1, 4, parts.year) && in.AtEnd();
}

std::string_view Trimmed(std::string_view text) {
    size_t begin = text.find_first_not_of(" \t\r\n");
    if (begin == std::string_view::npos) return {};
    size_t end = text.find_last_not_of(" \t\r\n");
    return text.substr(begin, end - begin + 1);
}

}  // namespace

DateTime ParseDateTime(std::string_view text) {
    std::string_view trimmed = Trimmed(text);
    Parts parts;
    bool read = !trimmed.empty() &&
                (std::isdigit(static_cast<unsigned char>(trimmed.front())) ? ReadNumericForm(trimmed, parts)
                                                                           : ReadLongForm(trimmed, parts));
    if (!read) return DateTime::Invalid();
    DateTime value =
        DateTime::FromParts(parts.year, parts.month, parts.day, parts.hour, parts.minute, parts.second);
    return value.IsValid() ? value : DateTime::Invalid();
}

}  // namespace tidewell
