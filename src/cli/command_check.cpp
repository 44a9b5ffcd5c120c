#include "cli/cli_ui.h"
#include "cli/commands.h"
#include "app/live_index.h"
#include "imaging/png_codec.h"
#include "installation/installation.h"
#include "platform/paths.h"
#include "platform/files.h"
#include "platform/text.h"
#include "themes/theme.h"

#include <iostream>
#include <optional>
#include <string>

namespace lumivel::cli {

namespace {

struct PixelSize {
    std::uint32_t width = 0, height = 0;
};

std::string shown(PixelSize size) { return std::to_string(size.width) + " x " + std::to_string(size.height); }

// Decodes the whole image with the decoder the window uses, so that a file whose header is
// fine but whose data is damaged (or that would decode to an absurd size) is caught too.
std::optional<PixelSize> decodedSize(ByteView png) {
    std::optional<Image> image = decodePng(png);
    if (!image)
        return std::nullopt;
    return PixelSize{static_cast<std::uint32_t>(image->width()), static_cast<std::uint32_t>(image->height())};
}

// The index Photoshop's own images are found through: the backup copy when there is one,
// else the live index; nothing while no installation is known.
bool loadPhotoshopsOwnIndex(AppState& state) {
    if (!state.isLocated())
        return false;
    std::string backupIndex = joinPath(Installation(state.photoshopRoot).resourcesBackupFolder(), {kIndexFileName});
    return loadIndexFile(state, files::exists(pathFromText(backupIndex)) ? backupIndex : state.indexPath).ok();
}

// "word.txt" as the dictionary takes it: UTF-16LE without a byte-order mark, every line a
// quoted "$$$/key=value" pair. Gives what is wrong, or nothing.
std::optional<std::string> textFileProblem(ByteView bytes) {
    if (bytes.size() >= 2 && bytes[0] == 0xFF && bytes[1] == 0xFE)
        return "以字节顺序标记（BOM）开头，词典里不能有它";
    if (bytes.size() % 2 != 0)
        return "字节数为奇数，不是 UTF-16LE 文本";
    std::u16string units(bytes.size() / 2, u'\0');
    for (std::size_t i = 0; i < units.size(); ++i)
        units[i] = static_cast<char16_t>(bytes[2 * i] | bytes[2 * i + 1] << 8);
    std::string text = utf16ToUtf8(units);
    std::size_t lineNumber = 0, lines = 0;
    for (std::size_t start = 0; start <= text.size();) {
        std::size_t end = text.find('\n', start);
        std::string line = text.substr(start, end == std::string::npos ? std::string::npos : end - start);
        start = end == std::string::npos ? text.size() + 1 : end + 1;
        ++lineNumber;
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        if (line.empty())
            continue;
        if (!line.starts_with("\"$$$/") || line.find('=') == std::string::npos || line.size() < 2 || line.back() != '"')
            return "第 " + std::to_string(lineNumber) + " 行不是 \"$$$/...=...\" 形式的词典行：" + line;
        ++lines;
    }
    if (lines == 0)
        return "没有词典行";
    return std::nullopt;
}

} // namespace

// Every file of a theme as Lumivel and Photoshop will read it: each PNG decoded, with its
// size beside the size of Photoshop's own image for that slot, and "word.txt" checked.
int runCheck(CommandContext& context) {
    if (context.args.positional.size() != 1)
        return kUsageError;
    const std::string& name = context.args.positional.front();
    Theme theme = Theme::read(context.state.themesRoot, name);
    if (!files::isDirectory(theme.folder)) {
        std::cerr << "lumivel-cli: 没有这个主题：" << textFromPath(theme.folder) << "\n";
        return kFailed;
    }
    bool photoshopsOwn = loadPhotoshopsOwnIndex(context.state);
    bool failed = false;
    for (const ImageSlotInfo& slot : kImageSlots) {
        std::filesystem::path file = theme.imageFile(slot);
        std::cout << slot.themeFile << "：";
        if (!files::exists(file)) {
            std::cout << "没有\n";
            continue;
        }
        auto size = decodedSize(files::readFileOrEmpty(file));
        failed = failed || !size;
        std::cout << (size ? "可以解码，" + shown(*size) : std::string("无法解码"));
        if (photoshopsOwn) {
            auto own = decodedSize(readEntryImage(context.state, slot.entryName, slot.density));
            std::cout << "（Photoshop 自己的图片：" << (own ? shown(*own) : std::string("无法读取")) << "）";
        }
        std::cout << "\n";
    }
    std::cout << kThemeTextFile << "：";
    if (!files::exists(theme.textFile())) {
        std::cout << "没有\n";
    } else if (auto problem = textFileProblem(files::readFileOrEmpty(theme.textFile()))) {
        std::cout << *problem << "\n";
        failed = true;
    } else {
        std::cout << "UTF-16LE 词典行，没有 BOM\n";
    }
    return failed ? kFailed : kSucceeded;
}

} // namespace lumivel::cli
