#include "platform/argument_split.h"

namespace tidewell {
namespace {

bool IsBlank(char c) {
    return c == ' ' || c == '\t' || c == '\n';
}

bool EscapableInDoubleQuotes(char c) {
    return c == '"' || c == '\\' || c == '$' || c == '`';
}

class WordSplitter {
public:
    explicit WordSplitter(std::string_view text) : m_text(text) {}

    std::vector<std::string> Split() {
        while (m_pos < m_text.size()) {
            const char c = m_text[m_pos];
            if (IsBlank(c)) {
                EndWord();
                ++m_pos;
            } else if (c == '\'') {
                SingleQuoted();
            } else if (c == '"') {
                DoubleQuoted();
            } else if (c == '\\') {
                Escaped();
            } else {
                Append(c);
                ++m_pos;
            }
        }
        EndWord();
        return std::move(m_words);
    }

private:
    void Append(char c) {
        m_word += c;
        m_inWord = true;
    }

    void EndWord() {
        if (m_inWord) m_words.push_back(std::move(m_word));
        m_word.clear();
        m_inWord = false;
    }

    void SingleQuoted() {
        m_inWord = true;
        const size_t end = m_text.find('\'', m_pos + 1);
        const size_t stop = end == std::string_view::npos ? m_text.size() : end;
        m_word.append(m_text.substr(m_pos + 1, stop - m_pos - 1));
        m_pos = end == std::string_view::npos ? stop : stop + 1;
    }

    void DoubleQuoted() {
        m_inWord = true;
        ++m_pos;
        while (m_pos < m_text.size() && m_text[m_pos] != '"') {
            const char c = m_text[m_pos];
            if (c == '\\' && m_pos + 1 < m_text.size()) {
                const char next = m_text[m_pos + 1];
                if (next == '\n') {
                    m_pos += 2;
                    continue;
                }
                if (EscapableInDoubleQuotes(next)) {
                    m_word += next;
                    m_pos += 2;
                    continue;
                }
            }
            m_word += c;
            ++m_pos;
        }
        if (m_pos < m_text.size()) ++m_pos;  // the closing quote
    }

    void Escaped() {
        if (m_pos + 1 >= m_text.size()) {
            Append('\\');
            ++m_pos;
            return;
        }
        const char next = m_text[m_pos + 1];
        m_pos += 2;
        if (next != '\n') Append(next);
    }

    std::string_view m_text;
    size_t m_pos = 0;
    std::string m_word;
    bool m_inWord = false;
    std::vector<std::string> m_words;
};

}  // namespace

std::vector<std::string> SplitArguments(std::string_view text) {
    return WordSplitter(text).Split();
}

}  // namespace tidewell
