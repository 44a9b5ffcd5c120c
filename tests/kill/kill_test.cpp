// The kill test: runs lumivel-cli's Apply in its every form on a sample installation and
// kills it, at every kill point of the file layer (the start of each file operation, the
// moment a temporary file is complete, the middle of an append) and at random moments. After
// each kill the backup copies must still be the original files and every entry of the live
// index must point inside the live stores; the same Apply run again must succeed and give
// exactly the files of a run that was never killed, with no temporary file or probe folder
// left behind.
//
//   lumivel_kill_test --cli lumivel-cli --sample lumivel-sample --themes assets/themes --work DIR
//                     [--time-kills N] [--every N] [--seed N] [--store-mb N] [--two-stores]
#include "model/proof_setup.h"

#include <csignal>
#include <iostream>
#include <random>

namespace {

using namespace lumivel::model;

constexpr const char* kUsage =
    "usage: lumivel_kill_test --cli PATH --sample PATH --themes DIR --work DIR [--time-kills N] [--every N]\n"
    "                         [--seed N] [--store-mb N] [--two-stores]\n"
    "  --time-kills N  kills at random moments besides the kill points (default 60)\n"
    "  --every N       kill at every Nth kill point only (default 1: all of them)\n";

// One step of the sequence: the words after "apply" and what the files must then be.
struct Step {
    std::string label;
    std::vector<std::string> words;
    Look look;
};

std::vector<Step> stepsOf(const ProofOptions& options) {
    fs::path images = options.work / "images";
    fs::create_directories(images);
    fs::path starry = options.themes / "星夜", morning = options.themes / "晨光";
    fs::copy_file(morning / "loading_low.png", images / "splash.png");
    fs::copy_file(starry / "ico_dark_high.png", images / "dark@2x.png");
    writeAll(images / "empty.png", {});

    std::vector<Step> steps;
    steps.push_back({"theme 星夜 with its own text (the first Apply: makes the backup)",
                     {"--theme", "星夜", "--hide-text"}, themeLook(starry, true)});
    Look current = steps.back().look;
    current.text = Text::Hidden;
    steps.push_back({"[当前] with hidden text", {"--current", "--hide-text"}, current});
    Look custom;
    custom.images[0] = readAll(images / "splash.png");
    custom.images[3] = readAll(images / "dark@2x.png");
    custom.images[4] = Bytes{};
    steps.push_back({"custom images (one of them an empty file), text shown",
                     {"--images", "splash-low=" + (images / "splash.png").string(),
                      "dark-high=" + (images / "dark@2x.png").string(), "light-low=" + (images / "empty.png").string(),
                      "--show-text"},
                     custom});
    steps.push_back({"[默认]", {"--default"}, Look{}});
    steps.push_back({"theme 晨光 with hidden text (no text of its own)", {"--theme", "晨光", "--hide-text"},
                     themeLook(morning, true)});
    return steps;
}

struct Tally {
    int pointKills = 0;
    int timeKills = 0;
    int timeRunsFinished = 0;
    int failures = 0;
};

class KillTest {
public:
    explicit KillTest(const ProofOptions& options) : m_options(options), m_pristine(makePristine(options)) {
        m_originals = readLive(m_pristine);
        m_steps = stepsOf(options);
        m_run = Paths{options.work / "run"};
    }

    // Runs the sequence once without kills, checks each state against the model and keeps
    // it as the expected outcome of that step. False when the program or the model disagree.
    bool recordCleanRun() {
        copyTree(m_pristine.root, m_run.root);
        copyTree(m_pristine.root, stateFolder(0));
        for (std::size_t j = 0; j < m_steps.size(); ++j) {
            RunResult run = apply(j, RunOptions{0, std::nullopt});
            if (!run.exited || run.status != 0) {
                std::cerr << "FAIL clean run of " << m_steps[j].label << " ended with " << run.status << "\n" << run.output;
                return false;
            }
            m_points.push_back(run.killPoints);
            m_seconds.push_back(run.seconds);
            FileSet live = readLive(m_run);
            std::vector<std::string> problems = checkImages(live, m_originals, m_steps[j].look);
            for (auto& p : checkDictionary(live.at(Dictionary), m_originals.at(Dictionary), m_steps[j].look))
                problems.push_back(p);
            for (auto& p : checkInvariants(m_run, m_originals))
                problems.push_back(p);
            for (auto& p : leftovers(m_run.root))
                problems.push_back("left behind: " + p.string());
            if (reportProblems("clean run of " + m_steps[j].label, problems))
                return false;
            copyTree(m_run.root, stateFolder(j + 1));
            std::cout << "  step " << j + 1 << ": " << m_steps[j].label << ": " << run.killPoints << " kill points, "
                      << run.seconds << " s" << std::endl;
        }
        return true;
    }

    void killAtEveryPoint(Tally& tally, int every) {
        for (std::size_t j = 0; j < m_steps.size(); ++j)
            for (int k = 1; k <= m_points[j]; k += every) {
                std::string where = m_steps[j].label + ", killed at kill point " + std::to_string(k);
                killAndRecover(j, RunOptions{k, std::nullopt}, where, tally, false);
            }
    }

    void killAtRandomMoments(Tally& tally, int count) {
        std::mt19937 random(m_options.seed);
        for (int i = 0; i < count; ++i) {
            std::size_t j = random() % m_steps.size();
            double delay = std::uniform_real_distribution<double>(0, m_seconds[j] * 1.1)(random);
            std::string where = m_steps[j].label + ", killed after " + std::to_string(delay) + " s";
            killAndRecover(j, RunOptions{std::nullopt, delay}, where, tally, true);
        }
    }

private:
    fs::path stateFolder(std::size_t j) const { return m_options.work / ("state-" + std::to_string(j)); }

    RunResult apply(std::size_t j, const RunOptions& run) {
        std::vector<std::string> args = cliPrefix(m_options, m_run.root);
        args.push_back("apply");
        args.insert(args.end(), m_steps[j].words.begin(), m_steps[j].words.end());
        return runProgram(m_options.cli, args, run);
    }

    void killAndRecover(std::size_t j, const RunOptions& kill, const std::string& where, Tally& tally, bool byTime) {
        copyTree(stateFolder(j), m_run.root, true);
        RunResult killed = apply(j, kill);
        bool wasKilled = !killed.exited && killed.status == SIGKILL;
        if (byTime) {
            (wasKilled ? tally.timeKills : tally.timeRunsFinished)++;
        } else if (!wasKilled) {
            ++tally.failures;
            std::cerr << "FAIL " << where << ": the run was not killed (status " << killed.status << ")\n" << killed.output;
            return;
        } else {
            ++tally.pointKills;
        }
        if (killed.exited && killed.status != 0) {
            ++tally.failures;
            std::cerr << "FAIL " << where << ": the run finished with status " << killed.status << "\n" << killed.output;
            return;
        }
        std::vector<std::string> problems = checkInvariants(m_run, m_originals);
        RunResult again = apply(j, RunOptions{});
        if (!again.exited || again.status != 0)
            problems.push_back("the next Apply failed with status " + std::to_string(again.status) + ": " + again.output);
        else
            for (auto& p : compareTrees(stateFolder(j + 1), m_run.root))
                problems.push_back("after the next Apply: " + p);
        if (reportProblems(where, problems))
            ++tally.failures;
    }

    ProofOptions m_options;
    Paths m_pristine;
    Paths m_run;
    FileSet m_originals;
    std::vector<Step> m_steps;
    std::vector<int> m_points;
    std::vector<double> m_seconds;
};

} // namespace

int main(int argc, char** argv) {
    ProofOptions options = parseProofOptions(argc, argv, {"--time-kills", "--every"}, kUsage);
    int timeKills = options.extra.count("--time-kills") ? std::stoi(options.extra["--time-kills"]) : 60;
    int every = options.extra.count("--every") ? std::max(1, std::stoi(options.extra["--every"])) : 1;

    std::cout << "kill test: " << (options.twoStores ? "two-store" : "four-store") << " sample with " << options.storeMb
              << " MiB of filler per 1x store, seed " << options.seed << "\n";
    KillTest test(options);
    if (!test.recordCleanRun())
        return 1;
    Tally tally;
    test.killAtEveryPoint(tally, every);
    test.killAtRandomMoments(tally, timeKills);
    std::cout << "kill test: " << tally.pointKills << " kills at kill points, " << tally.timeKills
              << " kills at random moments (" << tally.timeRunsFinished << " more runs ended before their kill), "
              << tally.failures << " failures\n";
    return tally.failures == 0 ? 0 : 1;
}
