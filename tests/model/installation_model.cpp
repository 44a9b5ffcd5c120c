#include "model/installation_model.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <fstream>
#include <set>
#include <signal.h>
#include <spawn.h>
#include <stdexcept>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

extern char** environ;

namespace lumivel::model {

Bytes readAll(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in)
        throw std::runtime_error("cannot read " + path.string());
    in.seekg(0, std::ios::end);
    Bytes bytes(static_cast<std::size_t>(std::streamoff(in.tellg())));
    in.seekg(0);
    in.read(reinterpret_cast<char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    if (!in)
        throw std::runtime_error("cannot read " + path.string());
    return bytes;
}

void writeAll(const fs::path& path, const Bytes& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    if (!out)
        throw std::runtime_error("cannot write " + path.string());
}

namespace {

std::int32_t int32At(const Bytes& bytes, std::size_t at) {
    std::uint32_t v = 0;
    for (int i = 3; i >= 0; --i)
        v = (v << 8) | bytes[at + static_cast<std::size_t>(i)];
    return static_cast<std::int32_t>(v);
}

void setInt32At(Bytes& bytes, std::size_t at, std::int32_t value) {
    auto v = static_cast<std::uint32_t>(value);
    for (int i = 0; i < 4; ++i)
        bytes[at + static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(v >> (8 * i));
}

constexpr char kSignature[] = "Photoshop Icon Resource Index 1.0\n";
constexpr std::size_t kSignatureLength = sizeof kSignature - 1;
constexpr std::size_t kNameField = 128;
constexpr std::size_t kFieldSlot = 32;

struct Shape {
    std::size_t header, record, offsets, lengths;
};
Shape shapeFor(std::size_t storeCount) {
    return storeCount == 4 ? Shape{546, 368, 112, 240} : Shape{290, 208, 80, 144};
}

Bytes utf16(const std::string& ascii) {
    Bytes out;
    for (char c : ascii) {
        out.push_back(static_cast<std::uint8_t>(c));
        out.push_back(0);
    }
    return out;
}

Bytes concat(std::initializer_list<const Bytes*> parts) {
    Bytes out;
    for (const Bytes* p : parts)
        out.insert(out.end(), p->begin(), p->end());
    return out;
}

bool startsWith(const Bytes& bytes, const Bytes& prefix) {
    return bytes.size() >= prefix.size() && std::equal(prefix.begin(), prefix.end(), bytes.begin());
}

bool endsWith(const Bytes& bytes, const Bytes& suffix) {
    return bytes.size() >= suffix.size() && std::equal(suffix.begin(), suffix.end(), bytes.end() - static_cast<std::ptrdiff_t>(suffix.size()));
}

bool contains(const Bytes& bytes, const Bytes& part) {
    return std::search(bytes.begin(), bytes.end(), part.begin(), part.end()) != bytes.end();
}

const Bytes kOpening = utf16("\r\n//Lumivel v1.0---\r\n");
const Bytes kClosing = utf16("\r\n\r\n//Lumivel_End---");

std::string describe(const Bytes& a, const Bytes& b) {
    auto mismatch = std::mismatch(a.begin(), a.end(), b.begin(), b.end());
    return "(" + std::to_string(a.size()) + " against " + std::to_string(b.size()) + " bytes, first difference at " +
           std::to_string(mismatch.first - a.begin()) + ")";
}

} // namespace

std::size_t IndexFile::fieldAt(std::size_t record, int density, bool lengthField) const {
    Shape shape = shapeFor(storeCount);
    return headerLength + record * recordLength + (lengthField ? shape.lengths : shape.offsets) +
           static_cast<std::size_t>(density) * kFieldSlot;
}

std::optional<std::size_t> IndexFile::find(const std::string& name) const {
    for (std::size_t i = 0; i < records.size(); ++i)
        if (records[i].name == name)
            return i;
    return std::nullopt;
}

std::optional<IndexFile> parseIndex(const Bytes& bytes, std::string* why) {
    auto refuse = [&](const std::string& reason) -> std::optional<IndexFile> {
        if (why)
            *why = reason;
        return std::nullopt;
    };
    if (bytes.size() < kSignatureLength || std::memcmp(bytes.data(), kSignature, kSignatureLength) != 0)
        return refuse("no index signature");
    // The third store name field says whether the X stores take part.
    const char* xLow = "PSIconsXLowRes.dat";
    std::size_t third = kSignatureLength + 2 * kNameField;
    bool four = bytes.size() >= third + std::strlen(xLow) && std::memcmp(bytes.data() + third, xLow, std::strlen(xLow)) == 0;
    IndexFile index;
    index.storeCount = four ? 4 : 2;
    Shape shape = shapeFor(index.storeCount);
    index.headerLength = shape.header;
    index.recordLength = shape.record;
    if (bytes.size() < shape.header || (bytes.size() - shape.header) % shape.record != 0)
        return refuse("length " + std::to_string(bytes.size()) + " is no whole number of records");
    for (std::size_t at = shape.header; at < bytes.size(); at += shape.record) {
        IndexRecord record;
        auto nameEnd = std::find(bytes.begin() + static_cast<std::ptrdiff_t>(at),
                                 bytes.begin() + static_cast<std::ptrdiff_t>(at + shape.offsets), 0);
        record.name.assign(bytes.begin() + static_cast<std::ptrdiff_t>(at), nameEnd);
        for (int d = 0; d < 2; ++d) {
            record.offset[d] = int32At(bytes, at + shape.offsets + d * kFieldSlot);
            record.length[d] = int32At(bytes, at + shape.lengths + d * kFieldSlot);
        }
        index.records.push_back(record);
    }
    return index;
}

std::string fileName(FileId file) {
    static const char* names[] = {"IconResources.idx", "PSIconsHighRes.dat", "PSIconsLowRes.dat",
                                  "PSIconsXHighRes.dat", "PSIconsXLowRes.dat", "tw10428.dat"};
    return names[file];
}

bool isXStore(FileId file) { return file == XHighStore || file == XLowStore; }

fs::path Paths::live(FileId file) const {
    return (file == Dictionary ? dictionaryFolder() : resources()) / fileName(file);
}
fs::path Paths::backup(FileId file) const {
    return (file == Dictionary ? dictionaryFolder() : resources()) / "lumivel_BAK" / fileName(file);
}
fs::path Paths::oldBackup(FileId file) const {
    return (file == Dictionary ? dictionaryFolder() : resources()) / "lumivel_BAK_old" / fileName(file);
}

namespace {

FileSet readSet(const Paths& paths, bool backup) {
    FileSet set;
    for (int f = 0; f < kFileCount; ++f) {
        fs::path path = backup ? paths.backup(FileId(f)) : paths.live(FileId(f));
        if (fs::is_regular_file(path))
            set.files[f] = readAll(path);
    }
    return set;
}

// The store file of density 0 (LowRes) or 1 (HighRes).
FileId storeOf(int density) { return density == 0 ? LowStore : HighStore; }

Bytes slice(const Bytes& store, std::int32_t offset, std::int32_t length) {
    if (offset < 0 || length < 0 || std::size_t(offset) + std::size_t(length) > store.size())
        return {};
    return Bytes(store.begin() + offset, store.begin() + offset + length);
}

} // namespace

FileSet readLive(const Paths& paths) { return readSet(paths, false); }
FileSet readBackup(const Paths& paths) { return readSet(paths, true); }

const std::array<SlotFacts, 6> kSlots = {{
    {"splash-low", "loading_low.png", "Splash1080Background", 0},
    {"splash-high", "loading_high.png", "Splash1080Background", 1},
    {"dark-low", "ico_dark_low.png", "PS_OWL_appbar_dark_win", 0},
    {"dark-high", "ico_dark_high.png", "PS_OWL_appbar_dark_win", 1},
    {"light-low", "ico_light_low.png", "PS_OWL_appbar_light_win", 0},
    {"light-high", "ico_light_high.png", "PS_OWL_appbar_light_win", 1},
}};

std::vector<std::string> checkImages(const FileSet& live, const FileSet& reference, const Look& look) {
    std::vector<std::string> problems;
    auto expectEqual = [&](FileId file, const Bytes& expected) {
        if (!live.files[file])
            problems.push_back(fileName(file) + " is missing");
        else if (live.at(file) != expected)
            problems.push_back(fileName(file) + " differs from the model " + describe(live.at(file), expected));
    };
    for (FileId x : {XHighStore, XLowStore})
        if (reference.files[x])
            expectEqual(x, reference.at(x));

    auto index = parseIndex(reference.at(Index));
    if (!index) {
        problems.push_back("the reference index does not parse");
        return problems;
    }
    Bytes expectedIndex = reference.at(Index);
    std::array<Bytes, 2> expectedStores = {reference.at(LowStore), reference.at(HighStore)};
    for (std::size_t s = 0; s < kSlots.size(); ++s) {
        if (!look.images[s])
            continue;
        const SlotFacts& slot = kSlots[s];
        auto record = index->find(slot.entry);
        if (!record) {
            problems.push_back(std::string("the reference index has no entry ") + slot.entry);
            continue;
        }
        Bytes& store = expectedStores[slot.density];
        setInt32At(expectedIndex, index->fieldAt(*record, slot.density, false), static_cast<std::int32_t>(store.size()));
        setInt32At(expectedIndex, index->fieldAt(*record, slot.density, true), static_cast<std::int32_t>(look.images[s]->size()));
        store.insert(store.end(), look.images[s]->begin(), look.images[s]->end());
    }
    expectEqual(LowStore, expectedStores[0]);
    expectEqual(HighStore, expectedStores[1]);
    expectEqual(Index, expectedIndex);
    return problems;
}

std::vector<std::string> checkDictionary(const Bytes& live, const Bytes& reference, const Look& look) {
    switch (look.text) {
    case Text::Photoshop:
        if (live != reference)
            return {"the dictionary is not Photoshop's own text " + describe(live, reference)};
        return {};
    case Text::Theme: {
        Bytes expected = concat({&reference, &kOpening, &look.themeText, &kClosing});
        if (live != expected)
            return {"the dictionary is not the text followed by the theme's block " + describe(live, expected)};
        return {};
    }
    case Text::Hidden: {
        Bytes start = concat({&reference, &kOpening});
        bool whole = startsWith(live, start) && endsWith(live, kClosing) &&
                     live.size() > start.size() + kClosing.size();
        Bytes middle = whole ? Bytes(live.begin() + static_cast<std::ptrdiff_t>(start.size()),
                                     live.end() - static_cast<std::ptrdiff_t>(kClosing.size()))
                             : Bytes{};
        if (!whole || !contains(middle, utf16("\"$$$/Splash/ScanningForPlugIns=\"\r\n")) ||
            contains(middle, kOpening))
            return {"the dictionary is not the text followed by one hidden-text block"};
        return {};
    }
    }
    return {};
}

Bytes imageShown(const FileSet& reference, const Look& look, const std::string& entry, int density) {
    for (std::size_t s = 0; s < kSlots.size(); ++s)
        if (look.images[s] && kSlots[s].entry == entry && kSlots[s].density == density)
            return *look.images[s];
    auto index = parseIndex(reference.at(Index));
    auto record = index ? index->find(entry) : std::nullopt;
    if (!record)
        return {};
    const IndexRecord& r = index->records[*record];
    return slice(reference.at(storeOf(density)), r.offset[density], r.length[density]);
}

bool holdsCustomBlock(const Bytes& dictionary) { return contains(dictionary, utf16("//Lumivel v1.0---")); }

std::vector<std::string> checkInvariants(const Paths& paths, const FileSet& originals) {
    std::vector<std::string> problems;
    for (int f = 0; f < kFileCount; ++f) {
        fs::path copy = paths.backup(FileId(f));
        if (!fs::exists(copy))
            continue;
        if (!originals.files[f])
            problems.push_back("a backup copy of a file the installation never had: " + copy.string());
        else if (!fs::is_regular_file(copy) || readAll(copy) != originals.at(FileId(f)))
            problems.push_back("the backup copy differs from the original: " + copy.string());
    }
    std::string why;
    fs::path indexFile = paths.live(Index);
    auto index = fs::is_regular_file(indexFile) ? parseIndex(readAll(indexFile), &why) : std::nullopt;
    if (!index) {
        problems.push_back("the live index is not a whole index: " + (why.empty() ? "missing" : why));
        return problems;
    }
    std::array<std::uintmax_t, 2> sizes{};
    for (int d = 0; d < 2; ++d) {
        std::error_code ec;
        sizes[d] = fs::file_size(paths.live(storeOf(d)), ec);
        if (ec)
            problems.push_back("a live store is missing: " + paths.live(storeOf(d)).string());
    }
    for (const IndexRecord& r : index->records)
        for (int d = 0; d < 2; ++d)
            if (r.length[d] > 0 && (r.offset[d] < 0 || std::uintmax_t(r.offset[d]) + std::uintmax_t(r.length[d]) > sizes[d]))
                problems.push_back("the live entry " + r.name + " points past the end of " + fileName(storeOf(d)));
    return problems;
}

std::vector<fs::path> leftovers(const fs::path& root) {
    std::vector<fs::path> found;
    for (const auto& entry : fs::recursive_directory_iterator(root)) {
        std::string name = entry.path().filename().string();
        bool temporary = name.size() > 12 && name.ends_with(".lumivel-tmp");
        bool probe = entry.is_directory() && entry.path().parent_path().filename() == "lumivel_BAK" &&
                     (name == "TEST" || name.starts_with("TEST-"));
        if (temporary || probe)
            found.push_back(entry.path());
    }
    return found;
}

namespace {

std::set<fs::path> relativeEntries(const fs::path& root) {
    std::set<fs::path> entries;
    for (const auto& entry : fs::recursive_directory_iterator(root))
        entries.insert(fs::relative(entry.path(), root));
    return entries;
}

} // namespace

std::vector<std::string> compareTrees(const fs::path& expected, const fs::path& actual) {
    std::vector<std::string> problems;
    auto want = relativeEntries(expected), have = relativeEntries(actual);
    for (const auto& p : want)
        if (!have.count(p))
            problems.push_back("missing: " + p.string());
    for (const auto& p : have)
        if (!want.count(p))
            problems.push_back("not expected: " + p.string());
    for (const auto& p : want) {
        if (!have.count(p) || !fs::is_regular_file(expected / p))
            continue;
        if (!fs::is_regular_file(actual / p)) {
            problems.push_back("not a file: " + p.string());
            continue;
        }
        Bytes a = readAll(expected / p), b = readAll(actual / p);
        if (a != b)
            problems.push_back("different bytes: " + p.string() + " " + describe(b, a));
    }
    return problems;
}

void copyTree(const fs::path& from, const fs::path& to, bool linkBackupCopies) {
    fs::remove_all(to);
    fs::create_directories(to);
    for (const auto& entry : fs::recursive_directory_iterator(from)) {
        fs::path target = to / fs::relative(entry.path(), from);
        if (entry.is_directory())
            fs::create_directory(target);
        else if (linkBackupCopies && entry.path().parent_path().filename() == "lumivel_BAK")
            fs::create_hard_link(entry.path(), target);
        else
            fs::copy_file(entry.path(), target);
    }
}

RunResult runProgram(const fs::path& program, const std::vector<std::string>& args, const RunOptions& options) {
    char outputName[] = "/tmp/lumivel-model-run-XXXXXX";
    int outputFd = mkstemp(outputName);
    if (outputFd < 0)
        throw std::runtime_error("cannot make a temporary file for the program's output");

    std::vector<std::string> words = {program.string()};
    words.insert(words.end(), args.begin(), args.end());
    std::vector<char*> argv;
    for (auto& w : words)
        argv.push_back(w.data());
    argv.push_back(nullptr);

    std::vector<std::string> environment;
    for (char** e = environ; *e; ++e)
        if (std::strncmp(*e, "LUMIVEL_TEST_KILL_AT=", 21) != 0)
            environment.emplace_back(*e);
    if (options.killAtPoint)
        environment.push_back("LUMIVEL_TEST_KILL_AT=" + std::to_string(*options.killAtPoint));
    std::vector<char*> envp;
    for (auto& e : environment)
        envp.push_back(e.data());
    envp.push_back(nullptr);

    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, outputFd, 1);
    posix_spawn_file_actions_adddup2(&actions, outputFd, 2);
    auto start = std::chrono::steady_clock::now();
    pid_t pid = 0;
    int spawned = posix_spawn(&pid, argv[0], &actions, nullptr, argv.data(), envp.data());
    posix_spawn_file_actions_destroy(&actions);
    if (spawned != 0) {
        close(outputFd);
        unlink(outputName);
        throw std::runtime_error("cannot start " + program.string());
    }
    if (options.killAfterSeconds) {
        std::this_thread::sleep_for(std::chrono::duration<double>(*options.killAfterSeconds));
        kill(pid, SIGKILL);
    }
    int wstatus = 0;
    waitpid(pid, &wstatus, 0);
    RunResult result;
    result.seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    result.exited = WIFEXITED(wstatus);
    result.status = result.exited ? WEXITSTATUS(wstatus) : WTERMSIG(wstatus);
    close(outputFd);
    Bytes output = readAll(outputName);
    unlink(outputName);
    result.output.assign(output.begin(), output.end());
    const std::string marker = "kill points passed: ";
    if (auto at = result.output.rfind(marker); at != std::string::npos)
        result.killPoints = std::atoi(result.output.c_str() + at + marker.size());
    return result;
}

} // namespace lumivel::model
