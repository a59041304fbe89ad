#pragma once

#include <string>
#include <string_view>

namespace tidewell {

// UTF-8 text with every character replaced by its simple case folding (one character for one:
// "Ö" and "ö" both give "ö", "Σ" and "ς" both give "σ", "ẞ" gives "ß", never "ss"), so that two
// texts that differ only in letter case fold to the same bytes in every script. Bytes that are
// not well-formed UTF-8 are kept as they are.
std::string FoldCase(std::string_view text);

}  // namespace tidewell
