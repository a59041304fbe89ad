#include "files/keep_aside.h"

#include <sys/stat.h>

#include "files/durable_file.h"
#include "files/whole_file.h"

namespace tidewell {

namespace {

constexpr int kMaxNames = 100;

enum class Placed { Done, Taken, Failed };

Placed PlaceCopy(const std::string& path, const std::string& name) {
    std::string bytes;
    if (!ReadWholeFile(path, bytes).ok()) {
        return Placed::Failed;
    }
    StagedFile copy;
    bool existed = false;
    if (!copy.Open(name).ok() || !copy.Write(bytes).ok() || !copy.CommitIfMissing(existed).ok()) {
        return Placed::Failed;
    }
    return existed ? Placed::Taken : Placed::Done;
}

}  // namespace

std::string KeptAsideName(const std::string& path, int number) {
    std::string name = path + std::string(kKeptAsideSuffix);
    if (number > 1) {
        name += '-';
        name += std::to_string(number);
    }
    return name;
}

Result KeepAside(const std::string& path, std::string& keptPath, const AsideName& nameFor) {
    keptPath.clear();
    const Result failed = Result::Fail(ErrorKind::io, CannotWriteFileMessage(path));
    struct stat file {};
    if (::lstat(path.c_str(), &file) != 0) {
        return Result::Fail(ErrorKind::notFound, CannotWriteFileMessage(path));
    }
    for (int number = 1; number <= kMaxNames; ++number) {
        const std::string name = nameFor(path, number);
        struct stat existing {};
        if (::lstat(name.c_str(), &existing) == 0) {
            if (existing.st_dev == file.st_dev && existing.st_ino == file.st_ino) {
                keptPath = name;  // kept by an earlier run or another process
                return Result::Ok();
            }
            continue;
        }
        bool existed = false;
        const Result linked = LinkIfFree(path, name, existed);
        Placed placed = existed ? Placed::Taken : Placed::Done;
        if (linked.kind() == ErrorKind::unavailable) {
            placed = PlaceCopy(path, name);
        } else if (!linked.ok()) {
            placed = Placed::Failed;
        }
        if (placed == Placed::Failed) {
            return failed;
        }
        if (placed == Placed::Done) {
            keptPath = name;
            return Result::Ok();
        }
    }
    return failed;
}

}  // namespace tidewell
