#pragma once

#include <cstdint>
#include <vector>

namespace tidewell::testing {

struct ListedRow {
    int32_t id;
    const char* name;
    const char* category;
};

const std::vector<ListedRow>& ListedRows();

}  // namespace tidewell::testing
