#pragma once

#include <signal.h>
#include <sys/resource.h>

#include <map>
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

// Whole-file helpers for tests; writing makes the missing folders.
std::string ReadFileText(const std::string& path);
void WriteFileText(const std::string& path, const std::string& text);
// Names of the entries of a folder, sorted.
std::vector<std::string> FolderEntries(const std::string& path);
// Everything below a folder by relative name: files with their bytes (a hash when long), links
// with their targets, folders as "<folder>". Tells whether anything changed or was left behind.
std::map<std::string, std::string> FolderSnapshot(const std::string& folder);

// Lets a write fail part-way, also for a user whom folder permissions do not stop.
class FileSizeCap {
public:
    explicit FileSizeCap(rlim_t bytes) {
        getrlimit(RLIMIT_FSIZE, &m_saved);
        m_oldHandler = signal(SIGXFSZ, SIG_IGN);
        rlimit cap = m_saved;
        cap.rlim_cur = bytes;
        setrlimit(RLIMIT_FSIZE, &cap);
    }
    ~FileSizeCap() {
        setrlimit(RLIMIT_FSIZE, &m_saved);
        signal(SIGXFSZ, m_oldHandler);
    }

private:
    rlimit m_saved{};
    void (*m_oldHandler)(int);
};

}  // namespace tidewell::testing
