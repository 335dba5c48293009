#include "base/file_path.h"

namespace {

bool EndsInSeparator(const std::filesystem::path& folder) {
    const std::filesystem::path::string_type& text = folder.native();
    return !text.empty() && (text.back() == '/' || text.back() == std::filesystem::path::preferred_separator);
}

}  // namespace

std::filesystem::path PathBelow(std::filesystem::path folder, std::string_view gbk_name) {
    if (!folder.empty() && !EndsInSeparator(folder)) folder += std::filesystem::path::preferred_separator;
    folder += PathFromGbk(gbk_name);
    return folder;
}
