#pragma once

#include <optional>
#include <string>

#include "base/result.h"

namespace tidewell {

// Makes the program's private temporary folder (mode 0700) or closes an existing one of ours
// again; a link, a file or a folder of another user in its place is refused with the "cannot
// create the folder" message.
Result CreatePrivateFolder(const std::string& path);

// A file of the program's private temporary folder, named "temp%d.tps" with
// the first free number, created exclusively (mode 0600) so that a name taken
// by someone else is never opened. Removed when the value goes.
class TemporaryFile {
public:
    static std::optional<TemporaryFile> Create(const std::string& folder, int firstNumber = 0);

    TemporaryFile(TemporaryFile&& other) noexcept;
    TemporaryFile& operator=(TemporaryFile&& other) noexcept;
    TemporaryFile(const TemporaryFile&) = delete;
    TemporaryFile& operator=(const TemporaryFile&) = delete;
    ~TemporaryFile();

    const std::string& Path() const { return m_path; }

private:
    explicit TemporaryFile(std::string path) : m_path(std::move(path)) {}
    std::string m_path;
};

}  // namespace tidewell
