#pragma once

#include <cstddef>
#include <cstdint>
#include <span>

namespace tidewell {

// Every message id of the table, named as its row.
enum MessageId : int32_t {
#define TW_MESSAGE(id, name, category, english, chinese) name = id,
#include "text/messages.def"
#undef TW_MESSAGE
};

// One row of the built-in table. The last row is the terminator: id 0, empty strings.
struct MessageEntry {
    int32_t id;
    int32_t reserved;  // always 0
    const char* idName;
    const char* category;
    const char* english;  // UTF-8
    const char* chinese;  // UTF-8, Simplified Chinese
};

// All rows including the terminating row.
std::span<const MessageEntry> MessageTable();

// Number of rows including the terminator, found by scanning for id 0.
std::size_t MessageCount();

// First row with the id, or nullptr. Id 0 finds nothing.
const MessageEntry* FindMessage(int32_t id);

}  // namespace tidewell
