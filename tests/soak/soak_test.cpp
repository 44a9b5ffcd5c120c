// The soak: a long run of randomly chosen requests (fixed seed) on one sample installation:
// Applies of every kind (themes whole and partial, "[当前]", "[默认]", custom images, each
// text choice), backup recreation ("备份") and the previews of the current and the default
// look. After every request the files are checked against a small model of what they must
// hold, kept here without the program's code: the backup copies, the stores and the index as
// the backup's followed by the look's images, the dictionary, and the images a preview shows.
//
//   lumivel_soak_test --cli lumivel-cli --sample lumivel-sample --themes assets/themes --work DIR
//                     [--operations N] [--seed N] [--store-mb N]
#include "model/proof_setup.h"

#include <iostream>
#include <random>

namespace {

using namespace lumivel::model;

constexpr const char* kUsage =
    "usage: lumivel_soak_test --cli PATH --sample PATH --themes DIR --work DIR [--operations N] [--seed N]\n"
    "                         [--store-mb N]\n"
    "  --operations N  requests to run (default 2000)\n";

// What the model knows: the backup copies, the look applied on top of them, and the first
// backup that "备份" moved aside.
struct ModelState {
    bool backupMade = false;
    FileSet reference;                  ///< the backup copies (before the first backup: the live files)
    std::optional<FileSet> oldBackup;   ///< lumivel_BAK_old
    Look look;                          ///< images and text on top of the reference
};

class Soak {
public:
    explicit Soak(const ProofOptions& options) : m_options(options), m_random(options.seed) {
        Paths pristine = makePristine(options);
        m_paths = Paths{options.work / "installation"};
        copyTree(pristine.root, m_paths.root);
        m_state.reference = readLive(m_paths);
        makeThemes();
        makeImages();
    }

    // Runs `count` requests; returns the number of requests whose outcome disagreed with the model.
    int run(int count) {
        int failures = 0;
        std::map<std::string, int> kinds;
        for (int i = 1; i <= count; ++i) {
            std::string label;
            std::vector<std::string> problems = step(label);
            ++kinds[label.substr(0, label.find(' '))];
            if (reportProblems("request " + std::to_string(i) + ": " + label, problems) && ++failures >= 5) {
                std::cerr << "soak: stopped after 5 failing requests\n";
                break;
            }
        }
        std::cout << "soak: " << count << " requests (";
        for (auto it = kinds.begin(); it != kinds.end(); ++it)
            std::cout << (it == kinds.begin() ? "" : ", ") << it->first << " " << it->second;
        std::cout << "), " << failures << " disagreed with the model\n";
        return failures;
    }

private:
    void makeThemes() {
        m_themes = m_options.work / "themes";
        fs::create_directories(m_themes);
        for (const char* name : {"星夜", "晨光"})
            fs::copy(m_options.themes / name, m_themes / name, fs::copy_options::recursive);
        // A theme with only the 2x splash, and one with only a text of its own.
        fs::create_directories(m_themes / "高清启动图");
        fs::copy_file(m_options.themes / "晨光" / "loading_high.png", m_themes / "高清启动图" / "loading_high.png");
        fs::create_directories(m_themes / "只有文字");
        fs::copy_file(m_options.themes / "星夜" / "word.txt", m_themes / "只有文字" / "word.txt");
        m_themeNames = {"星夜", "晨光", "高清启动图", "只有文字"};
    }

    void makeImages() {
        fs::path folder = m_options.work / "images";
        fs::create_directories(folder);
        for (const char* theme : {"星夜", "晨光"})
            for (const SlotFacts& slot : kSlots)
                if (fs::exists(m_options.themes / theme / slot.themeFile)) {
                    fs::path copy = folder / (std::string(theme) + "-" + slot.themeFile);
                    fs::copy_file(m_options.themes / theme / slot.themeFile, copy);
                    m_images.push_back(copy);
                }
        writeAll(folder / "empty.png", {});
        m_images.push_back(folder / "empty.png");
        m_images.push_back(folder / "not-there.png"); // a slot whose file is missing keeps the backup's image
    }

    RunResult cli(std::vector<std::string> words) {
        std::vector<std::string> args = cliPrefix(m_options, m_paths.root);
        args[5] = m_themes.string();
        args.insert(args.end(), words.begin(), words.end());
        return runProgram(m_options.cli, args);
    }

    std::size_t pick(std::size_t n) { return std::uniform_int_distribution<std::size_t>(0, n - 1)(m_random); }

    // The text flag: hidden, shown, or (themes only) what the theme's info.ini says.
    std::string textWord(bool allowDefault, bool& hidden, bool themeHides) {
        std::size_t choice = pick(allowDefault ? 3 : 2);
        hidden = choice == 0 || (choice == 2 && themeHides);
        return choice == 0 ? "--hide-text" : choice == 1 ? "--show-text" : "";
    }

    // Whether the text step restores Photoshop's text from a backup that holds a block of its
    // own (a backup made after a text was applied): the program then warns, and fails the run.
    // "[默认]" copies the backup back without looking at it.
    bool warnsOfBackup(const Look& look, bool fullReset) const {
        return !fullReset && look.text == Text::Photoshop && holdsCustomBlock(m_state.reference.at(Dictionary));
    }

    std::vector<std::string> step(std::string& label) {
        std::size_t kind = pick(10);
        Look next = m_state.look;
        std::vector<std::string> words;
        bool expectWarning = false;
        if (kind <= 2) {
            std::string name = m_themeNames[pick(m_themeNames.size())];
            bool hidden = false;
            // The info.ini of 星夜 and of 晨光 says "loadtext=no"; 墨竹's has no such key.
            std::string text = textWord(true, hidden, name == "星夜" || name == "晨光");
            words = {"apply", "--theme", name};
            if (!text.empty())
                words.push_back(text);
            next = themeLook(m_themes / name, hidden);
            label = "theme " + name + " " + (text.empty() ? "(its own text choice)" : text);
        } else if (kind == 3) {
            bool hidden = false;
            std::string text = textWord(false, hidden, false);
            words = {"apply", "--current", text};
            next.text = hidden ? Text::Hidden : Text::Photoshop;
            next.themeText.clear();
            label = "current " + text;
        } else if (kind == 4) {
            words = {"apply", "--default"};
            next = Look{};
            label = "default";
        } else if (kind <= 6) {
            bool hidden = false;
            std::string text = textWord(false, hidden, false);
            words = {"apply", "--images"};
            next = Look{};
            for (std::size_t s = 0; s < kSlots.size(); ++s) {
                if (pick(2) == 0)
                    continue;
                const fs::path& image = m_images[pick(m_images.size())];
                words.push_back(std::string(kSlots[s].cliName) + "=" + image.string());
                if (fs::exists(image))
                    next.images[s] = readAll(image);
            }
            if (words.size() == 2)
                words.push_back(std::string(kSlots[pick(kSlots.size())].cliName) + "=");
            words.push_back(text);
            next.text = hidden ? Text::Hidden : Text::Photoshop;
            label = "custom " + std::to_string(words.size() - 3) + " slots " + text;
        } else if (kind == 7) {
            return recreateBackup(label);
        } else {
            return preview(kind == 8 ? "current" : "default", label);
        }
        expectWarning = warnsOfBackup(next, kind == 4);

        RunResult run = cli(words);
        std::vector<std::string> problems;
        if (!run.exited || run.status != (expectWarning ? 1 : 0))
            problems.push_back("lumivel-cli ended with " + std::to_string(run.status) + (expectWarning ? " (expected 1)" : "") +
                               ":\n" + run.output);
        m_state.backupMade = true;
        m_state.look = next;
        for (auto& p : checkFiles())
            problems.push_back(p);
        return problems;
    }

    std::vector<std::string> recreateBackup(std::string& label) {
        label = "backup (备份)";
        FileSet live = readLive(m_paths); // what the copies must hold; "备份" changes no live file
        RunResult run = cli({"backup"});
        std::vector<std::string> problems;
        if (!run.exited || run.status != 0)
            problems.push_back("lumivel-cli backup ended with " + std::to_string(run.status) + ":\n" + run.output);
        if (m_state.backupMade && !m_state.oldBackup)
            m_state.oldBackup = m_state.reference;
        m_state.backupMade = true;
        m_state.reference = live;
        m_state.look = Look{};
        for (auto& p : checkFiles())
            problems.push_back(p);
        return problems;
    }

    std::vector<std::string> preview(const std::string& which, std::string& label) {
        label = "show " + which;
        if (!m_state.backupMade && which == "default") {
            label += " (skipped: no backup yet)";
            return {};
        }
        fs::path out = m_options.work / "shown";
        fs::remove_all(out);
        RunResult run = cli({"show", which, "--out", out.string()});
        std::vector<std::string> problems;
        if (!run.exited || run.status != 0)
            problems.push_back("lumivel-cli show ended with " + std::to_string(run.status) + ":\n" + run.output);
        const Look& look = which == "current" ? m_state.look : Look{};
        const std::pair<const char*, const char*> shown[] = {
            {"splash.png", "Splash1080Background"}, {"dark.png", "PS_OWL_appbar_dark_win"}, {"light.png", "PS_OWL_appbar_light_win"}};
        for (const auto& [file, entry] : shown) {
            Bytes expected = imageShown(m_state.reference, look, entry, 0);
            Bytes actual = fs::exists(out / file) ? readAll(out / file) : Bytes{};
            if (actual != expected)
                problems.push_back(std::string("the preview shows another image as ") + file);
        }
        if (which == "current") {
            bool hidden = holdsCustomBlock(readAll(m_paths.live(Dictionary)));
            if (run.output.find(hidden ? "启动文字：隐藏" : "启动文字：显示") == std::string::npos)
                problems.push_back("the preview's text switch does not follow the dictionary");
        }
        for (auto& p : checkFiles())
            problems.push_back(p);
        return problems;
    }

    std::vector<std::string> checkFiles() {
        FileSet live = readLive(m_paths);
        std::vector<std::string> problems = checkImages(live, m_state.reference, m_state.look);
        for (auto& p : checkDictionary(live.at(Dictionary), m_state.reference.at(Dictionary), m_state.look))
            problems.push_back(p);
        if (m_state.backupMade) {
            for (auto& p : checkInvariants(m_paths, m_state.reference))
                problems.push_back(p);
            FileSet backup = readBackup(m_paths);
            for (int f = 0; f < kFileCount; ++f)
                if (backup.files[f] != m_state.reference.files[f])
                    problems.push_back("the backup copy of " + fileName(FileId(f)) + " is not the model's");
        }
        if (m_state.oldBackup)
            for (int f = 0; f < kFileCount; ++f)
                if (m_state.oldBackup->files[f] &&
                    (!fs::exists(m_paths.oldBackup(FileId(f))) || readAll(m_paths.oldBackup(FileId(f))) != m_state.oldBackup->at(FileId(f))))
                    problems.push_back("lumivel_BAK_old does not hold the first backup's " + fileName(FileId(f)));
        for (auto& p : leftovers(m_paths.root))
            problems.push_back("left behind: " + p.string());
        return problems;
    }

    ProofOptions m_options;
    std::mt19937 m_random;
    Paths m_paths;
    ModelState m_state;
    fs::path m_themes;
    std::vector<std::string> m_themeNames;
    std::vector<fs::path> m_images;
};

} // namespace

int main(int argc, char** argv) {
    ProofOptions options = parseProofOptions(argc, argv, {"--operations"}, kUsage);
    int operations = options.extra.count("--operations") ? std::stoi(options.extra["--operations"]) : 2000;
    std::cout << "soak: " << operations << " requests, seed " << options.seed << ", " << options.storeMb
              << " MiB of filler per 1x store" << std::endl;
    Soak soak(options);
    return soak.run(operations) == 0 ? 0 : 1;
}
