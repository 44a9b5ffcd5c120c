#include "model/proof_setup.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <iostream>

namespace lumivel::model {

ProofOptions parseProofOptions(int argc, char** argv, const std::vector<std::string>& ownOptions, const char* usage) {
    ProofOptions options;
    auto fail = [&](const std::string& why) {
        std::cerr << argv[0] << ": " << why << "\n" << usage;
        std::exit(2);
    };
    for (int i = 1; i < argc; ++i) {
        std::string name = argv[i];
        if (name == "--two-stores") {
            options.twoStores = true;
            continue;
        }
        if (i + 1 >= argc)
            fail(name + " needs a value");
        std::string value = argv[++i];
        if (name == "--cli") options.cli = value;
        else if (name == "--sample") options.sample = value;
        else if (name == "--themes") options.themes = value;
        else if (name == "--work") options.work = value;
        else if (name == "--seed") options.seed = static_cast<unsigned>(std::stoul(value));
        else if (name == "--store-mb") options.storeMb = std::stoi(value);
        else if (std::find(ownOptions.begin(), ownOptions.end(), name) != ownOptions.end()) options.extra[name] = value;
        else fail("unknown option " + name);
    }
    if (options.cli.empty() || options.sample.empty() || options.themes.empty() || options.work.empty())
        fail("--cli, --sample, --themes and --work are needed");
    options.cli = fs::absolute(options.cli);
    options.sample = fs::absolute(options.sample);
    options.themes = fs::absolute(options.themes);
    options.work = fs::absolute(options.work);
    return options;
}

Paths makePristine(const ProofOptions& options) {
    fs::remove_all(options.work);
    fs::create_directories(options.work);
    Paths pristine{options.work / "pristine"};
    std::vector<std::string> args = {pristine.root.string(), "--store-mb", std::to_string(options.storeMb)};
    if (options.twoStores)
        args.push_back("--two-stores");
    RunResult made = runProgram(options.sample, args);
    if (!made.exited || made.status != 0) {
        std::cerr << "lumivel-sample failed:\n" << made.output;
        std::exit(1);
    }
    return pristine;
}

std::vector<std::string> cliPrefix(const ProofOptions& options, const fs::path& root) {
    return {"--photoshop", root.string(), "--settings", (options.work / "setting.ini").string(), "--themes",
            options.themes.string()};
}

Look themeLook(const fs::path& themeFolder, bool textHidden) {
    Look look;
    for (std::size_t s = 0; s < kSlots.size(); ++s)
        if (fs::is_regular_file(themeFolder / kSlots[s].themeFile))
            look.images[s] = readAll(themeFolder / kSlots[s].themeFile);
    bool hasText = fs::is_regular_file(themeFolder / "word.txt");
    look.text = !textHidden ? Text::Photoshop : hasText ? Text::Theme : Text::Hidden;
    if (look.text == Text::Theme)
        look.themeText = readAll(themeFolder / "word.txt");
    return look;
}

bool reportProblems(const std::string& heading, const std::vector<std::string>& problems) {
    if (problems.empty())
        return false;
    std::cerr << "FAIL " << heading << "\n";
    for (std::size_t i = 0; i < problems.size() && i < 8; ++i)
        std::cerr << "    " << problems[i] << "\n";
    if (problems.size() > 8)
        std::cerr << "    ... and " << problems.size() - 8 << " more\n";
    return true;
}

} // namespace lumivel::model
