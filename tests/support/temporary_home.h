#pragma once

#include "support/scoped_variable.h"
#include "support/temp_dir.h"

namespace tidewell::testing {

// The tool finds the user's files below HOME: a temporary home for the test's lifetime.
class TemporaryHome {
private:
    TempDir m_dir;
    ScopedVariable m_home{"HOME", m_dir.Path().c_str()};
    ScopedVariable m_config{"XDG_CONFIG_HOME", nullptr};
    ScopedVariable m_data{"XDG_DATA_HOME", nullptr};
    ScopedVariable m_machine{"TIDEWELL_MACHINE_CONFIG_DIR", nullptr};
};

}  // namespace tidewell::testing
