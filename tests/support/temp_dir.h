#pragma once

#include <string>
#include <vector>

namespace tidewell::testing {

// A fresh folder under the system temporary folder, removed with everything
// in it when the value goes.
class TempDir {
public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    const std::string& Path() const { return m_path; }
    std::string File(const std::string& name) const { return m_path + "/" + name; }

private:
    std::string m_path;
};

// Whole-file helpers for tests.
std::string ReadFileText(const std::string& path);
void WriteFileText(const std::string& path, const std::string& text);
// Names of the entries of a folder, sorted.
std::vector<std::string> FolderEntries(const std::string& path);

}  // namespace tidewell::testing
