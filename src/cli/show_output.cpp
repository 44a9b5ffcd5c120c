#include "cli/show_output.h"

#include "imaging/png_codec.h"
#include "imaging/preview_picture.h"
#include "platform/files.h"
#include "platform/paths.h"
#include "platform/text.h"

#include <array>
#include <iostream>
#include <string_view>

namespace lumivel::cli {

namespace {

bool writeImage(const std::string& out, std::string_view name, const Result<Bytes>& png) {
    std::string path = joinPath(out, {name});
    if (!png) {
        std::cerr << "lumivel-cli: " << path << "：" << png.error().message << "\n";
        return false;
    }
    auto written = files::writeFileAtomic(pathFromText(path), png.value());
    if (!written) {
        std::cerr << "lumivel-cli: " << written.error().message << "\n";
        return false;
    }
    std::cout << "已写出：" << path << "\n";
    return true;
}

} // namespace

bool writeShownLook(const CliView& view, const std::string& out) {
    auto folder = pathFromText(out);
    if (!files::isDirectory(folder) && !files::createFolder(folder)) {
        std::cerr << "lumivel-cli: 无法创建文件夹：" << out << "\n";
        return false;
    }
    bool written = true;
    const std::array<std::pair<std::string_view, const Bytes*>, 3> images = {{
        {"splash.png", &view.splash},
        {"dark.png", &view.darkIcon},
        {"light.png", &view.lightIcon},
    }};
    for (const auto& [name, bytes] : images) {
        if (!bytes->empty())
            written = writeImage(out, name, *bytes) && written;
    }

    // The same composition the preview window puts on the screen.
    PreviewPicture preview;
    preview.showSplash(view.splash);
    preview.showTextLayer(view.textLayerHidden);
    return writeImage(out, "preview.png", encodePng(preview.compose())) && written;
}

} // namespace lumivel::cli
