#pragma once

#include <string>

#include "text/result.h"

namespace tidewell::cli {

// A private folder under the system temporary folder ($TMPDIR, else /tmp) for the
// protected form of a file, removed with its contents when the value goes.
class PrivateFolder {
public:
    PrivateFolder() = default;
    ~PrivateFolder();
    PrivateFolder(const PrivateFolder&) = delete;
    PrivateFolder& operator=(const PrivateFolder&) = delete;

    // Creates the folder; fails with a message naming the temporary folder that is unusable.
    Result Create();
    const std::string& Path() const { return m_path; }

private:
    std::string m_path;
};

}  // namespace tidewell::cli
