#pragma once

#include <string>
#include <string_view>

namespace tidewell {

// "folder/name"; a name that is empty gives the folder.
std::string JoinPath(std::string_view folder, std::string_view name);

// The folder part of a path: "." when it names none, "/" for a name in the root.
std::string FolderOf(std::string_view path);

// Without "." and ".." parts, repeated or trailing slashes; "/" stays "/".
std::string NormalPath(std::string_view path);

// The text with ASCII capitals made small, for names that compare without regard to letter case.
std::string AsciiLower(std::string_view text);

// Whether the file or folder at `path` and the missing folders above it could be made here: every
// name and the whole path within the file system's limits, and the nearest existing folder above
// it a folder, not a file. With `writable` that folder must also let this process add entries;
// without it, a folder that cannot be looked at counts as possible (making it will tell).
// A relative path counts from the working folder.
bool CanBeCreated(const std::string& path, bool writable = false);

}  // namespace tidewell
