#include "cli/cli.h"

#include "app/start_up.h"
#include "cli/cli_ui.h"
#include "cli/commands.h"
#include "platform/paths.h"
#include "platform/text.h"

#include <array>
#include <iostream>
#include <optional>

namespace lumivel::cli {

namespace {

constexpr std::array kCommands = {
    Command{"locate", "EXE [--dictionary FILE]", "检查并记住 Photoshop 的位置（EXE 为 Photoshop.exe）", runLocate},
    Command{"entries", "", "列出图标索引的布局和每个条目（位置、名称、1x 偏移、1x 长度、2x 偏移、2x 长度）", runEntries},
    Command{"extract", "NAME --density low|high -o FILE", "把一个条目的图片写到文件", runExtract},
    Command{"backup", "", "重新备份 Photoshop 的文件（旧备份保留为 lumivel_BAK_old）", runBackup},
    Command{"show", "current|default [--out DIR]", "显示当前或默认的启动画面；--out 写出 splash.png、dark.png、light.png", runShow},
    Command{"apply", "--theme NAME | --current | --default | --images SLOT=PATH ... [--hide-text | --show-text]",
            "应用主题、[当前]、[默认] 或自定义图片（SLOT：splash-low splash-high dark-low dark-high light-low light-high）",
            runApply},
};

constexpr std::array<std::string_view, 3> kValueOptions = {"--photoshop", "--settings", "--themes"};

// Options every command understands, and the options that take a value.
bool takesValue(std::string_view option, const std::vector<std::string>& commandValueOptions) {
    for (auto o : kValueOptions)
        if (o == option)
            return true;
    for (const auto& o : commandValueOptions)
        if (o == option)
            return true;
    return false;
}

// Options a command takes a value for besides the global ones.
const std::vector<std::string> kCommandValueOptions = {"--dictionary", "--density", "-o", "--out", "--theme", "--images"};

std::optional<Arguments> parse(const std::vector<std::string>& words, std::string& problem) {
    Arguments args;
    for (std::size_t i = 0; i < words.size(); ++i) {
        const std::string& word = words[i];
        if (word.size() > 1 && word[0] == '-') {
            if (!takesValue(word, kCommandValueOptions)) {
                args.options.emplace(word, "");
                continue;
            }
            if (i + 1 >= words.size()) {
                problem = word + " 需要一个值";
                return std::nullopt;
            }
            args.options.emplace(word, words[++i]);
            // --images takes every SLOT=PATH word that follows.
            while (word == "--images" && i + 1 < words.size() && words[i + 1].find('=') != std::string::npos &&
                   words[i + 1][0] != '-')
                args.options.emplace(word, words[++i]);
        } else {
            args.positional.push_back(word);
        }
    }
    return args;
}

void printHelp(std::ostream& out) {
    out << "用法：lumivel-cli [全局选项] 命令 [参数]\n\n"
           "全局选项：\n"
           "  --photoshop ROOT   Photoshop.exe 所在的文件夹（默认：setting.ini 中记住的位置）\n"
           "  --settings FILE    设置文件（默认：程序旁的 setting.ini）\n"
           "  --themes DIR       主题文件夹（默认：程序旁的 LumivelTheme）\n"
           "  --help             显示本说明\n\n"
           "命令：\n";
    for (const Command& command : kCommands)
        out << "  " << command.name << (command.usage.empty() ? "" : " ") << command.usage << "\n      "
            << command.summary << "\n";
    out << "\n退出状态：0 成功，1 失败或中止，2 用法错误。\n";
}

const Command* findCommand(std::string_view name) {
    for (const Command& command : kCommands)
        if (command.name == name)
            return &command;
    return nullptr;
}

// The Photoshop location as the program would have it at start-up, without dialogs:
// --photoshop when given, else the stored location.
void restoreLocation(AppState& state, const Arguments& args) {
    std::string root = args.has("--photoshop") ? args.value("--photoshop") : std::string();
    if (root.empty()) {
        restorePhotoshopPath(state);
        return;
    }
    state.setPhotoshopRoot(withTrailingBackslash(root));
    state.view.setPathText(state.photoshopRoot);
}

} // namespace

std::string Arguments::value(std::string_view option) const {
    auto it = options.find(std::string(option));
    return it == options.end() ? std::string() : it->second;
}

std::vector<std::string> Arguments::values(std::string_view option) const {
    std::vector<std::string> result;
    auto [first, last] = options.equal_range(std::string(option));
    for (auto it = first; it != last; ++it)
        result.push_back(it->second);
    return result;
}

int run(const std::vector<std::string>& words, const std::filesystem::path& executable) {
    std::string problem;
    auto args = parse(words, problem);
    if (!args) {
        std::cerr << "lumivel-cli: " << problem << "\n";
        return kUsageError;
    }
    if (args->has("--help") || args->positional.empty()) {
        printHelp(args->has("--help") ? std::cout : std::cerr);
        return args->has("--help") ? kSucceeded : kUsageError;
    }
    const Command* command = findCommand(args->positional.front());
    if (!command) {
        std::cerr << "lumivel-cli: 未知的命令 " << args->positional.front() << "\n";
        return kUsageError;
    }
    args->positional.erase(args->positional.begin());

    CliUi ui(std::cout);
    CliView view;
    std::filesystem::path programFolder = std::filesystem::absolute(executable).parent_path();
    AppState state(ui, view, programFolder);
    if (args->has("--settings"))
        state.settingsFile = pathFromText(args->value("--settings"));
    if (args->has("--themes"))
        state.themesRoot = pathFromText(args->value("--themes"));
    // The locator finds its own installation; every other command starts where the GUI would.
    if (command->name != "locate")
        restoreLocation(state, *args);

    CommandContext context{state, ui, view, *args};
    int status = command->run(context);
    // A command that finds its words off says why, if anything; the usage comes from the table.
    if (status == kUsageError)
        std::cerr << "用法：lumivel-cli " << command->name << (command->usage.empty() ? "" : " ") << command->usage << "\n";
    return status;
}

} // namespace lumivel::cli
