#include "platform/paths.h"

#include "platform/files.h"
#include "platform/text.h"

#include <algorithm>
#include <filesystem>

namespace lumivel {

namespace {

std::size_t lastSeparator(std::string_view path) {
    auto it = std::find_if(path.rbegin(), path.rend(), isSeparator);
    return it == path.rend() ? std::string_view::npos : static_cast<std::size_t>(path.rend() - it - 1);
}

} // namespace

std::string withTrailingBackslash(std::string_view path) {
    std::string result(path);
    if (result.empty() || !isSeparator(result.back()))
        result += kSeparator;
    return result;
}

std::string parentFolderOf(std::string_view path) {
    auto at = lastSeparator(path);
    return at == std::string_view::npos ? std::string() : std::string(path.substr(0, at + 1));
}

std::string fileNameOf(std::string_view path) {
    auto at = lastSeparator(path);
    return std::string(at == std::string_view::npos ? path : path.substr(at + 1));
}

std::string extensionOf(std::string_view path) {
    auto dot = path.rfind('.');
    return dot == std::string_view::npos ? std::string() : std::string(path.substr(dot + 1));
}

std::string withoutExtension(std::string_view path) {
    auto dot = path.rfind('.');
    return std::string(dot == std::string_view::npos ? path : path.substr(0, dot));
}

bool isFolder(std::string_view path) {
    auto p = pathFromText(path);
    return files::isDirectory(p) || !files::exists(p);
}

std::string joinPath(std::string_view folder, std::initializer_list<std::string_view> names) {
    std::string result = withTrailingBackslash(folder);
    bool first = true;
    for (std::string_view name : names) {
        if (!first)
            result += kSeparator;
        result += name;
        first = false;
    }
    return result;
}

bool fileExistsIgnoringCase(std::string_view path) {
    auto p = pathFromText(path);
    if (files::exists(p) && !files::isDirectory(p))
        return true;
#ifdef _WIN32
    return false;
#else
    std::string folder = parentFolderOf(path);
    std::string name = fileNameOf(path);
    std::error_code ec;
    std::filesystem::directory_iterator it(folder.empty() ? std::filesystem::path(".") : pathFromText(folder), ec);
    for (; !ec && it != std::filesystem::directory_iterator(); it.increment(ec)) {
        if (equalsIgnoringAsciiCase(textFromPath(it->path().filename()), name) && !it->is_directory(ec))
            return true;
    }
    return false;
#endif
}

} // namespace lumivel
