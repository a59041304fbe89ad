#include "text/message_table.h"

namespace tidewell {

namespace {

constexpr MessageEntry kRows[] = {
#define TW_MESSAGE(id, name, category, english, chinese) {id, 0, #name, #category, english, chinese},
#include "text/messages.def"
#undef TW_MESSAGE
    {0, 0, "", "", "", ""},
};

std::size_t CountRows() {
    std::size_t n = 0;
    while (kRows[n].id != 0) {
        ++n;
    }
    return n + 1;
}

}  // namespace

std::span<const MessageEntry> MessageTable() {
    return std::span<const MessageEntry>(kRows);
}

std::size_t MessageCount() {
    static const std::size_t count = CountRows();
    return count;
}

const MessageEntry* FindMessage(int32_t id) {
    if (id == 0) {
        return nullptr;
    }
    for (const MessageEntry& row : kRows) {
        if (row.id == id) {
            return &row;
        }
    }
    return nullptr;
}

}  // namespace tidewell
