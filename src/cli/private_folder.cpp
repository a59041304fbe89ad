#include "cli/private_folder.h"

#include <stdlib.h>

#include <cstdlib>
#include <filesystem>

#include "text/messages.h"
#include "text/text_util.h"

namespace tidewell::cli {
namespace {

constexpr const char* kTemporaryPattern = "/tidewell-cli-XXXXXX";
constexpr const char* kDefaultTemporaryRoot = "/tmp";

std::string WithPath(int32_t id, const std::string& path) {
    return ReplaceAll(LoadMessage(id), "#1", path);
}

}  // namespace

PrivateFolder::~PrivateFolder() {
    std::error_code error;
    if (!m_path.empty()) std::filesystem::remove_all(m_path, error);
}

Result PrivateFolder::Create() {
    const char* variable = std::getenv("TMPDIR");
    std::string root = variable != nullptr && *variable != '\0' ? variable : kDefaultTemporaryRoot;
    std::error_code error;
    if (!std::filesystem::is_directory(root, error)) {
        return Result::Fail(ErrorKind::notFound,
                            WithPath(IDS_ERROR_FILE_PATH_IS_NOT_AN_EXISTING_DIRECTORY, root));
    }
    std::string pattern = root + kTemporaryPattern;
    if (mkdtemp(pattern.data()) == nullptr) {
        return Result::Fail(ErrorKind::io,
                            WithPath(IDS_ERROR_FILE_CAN_NOT_CREATE_DIR, root + kTemporaryPattern));
    }
    m_path = pattern;
    return Result::Ok();
}

}  // namespace tidewell::cli
