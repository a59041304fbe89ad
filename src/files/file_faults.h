#pragma once

#include <functional>
#include <string>

namespace tidewell {

// The steps of the file toolkit that can be made to fail on purpose, so that the failure paths
// are reached whatever the rights of the user (root reads and writes every file).
enum class FileStep {
    read,    // opening or reading a whole file
    create,  // creating the staged file of a replacement
    write,   // writing the staged file
    rename,  // putting the staged file in the target's place
    link,    // a hard link (keeping a file aside)
};

// Answers 0 to let the step go on, or the errno it fails with.
using FileFaultHook = std::function<int(FileStep step, const std::string& path)>;

// Installs the hook (an empty one removes it). Without a hook nothing fails on purpose.
void SetFileFaultHook(FileFaultHook hook);

// The errno the hook gives the step, or 0; errno is set to it when it is not 0.
int InjectedFault(FileStep step, const std::string& path);

}  // namespace tidewell
