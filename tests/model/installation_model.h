// An account of what a sample installation's files must hold, written apart from the code
// under test: its own reader of IconResources.idx, its own idea of what an Apply leaves in
// the stores, the index and the dictionary, and a runner for lumivel-cli. The kill test and
// the soak check the program against it; nothing here includes the program's sources.
#pragma once

#include <array>
#include <cstdint>
#include <filesystem>
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace lumivel::model {

namespace fs = std::filesystem;
using Bytes = std::vector<std::uint8_t>;

Bytes readAll(const fs::path& path);
void writeAll(const fs::path& path, const Bytes& bytes);

// ---- IconResources.idx, read here on its own ------------------------------------------

/// One record: its name and its LowRes (0) and HighRes (1) offset and length fields.
struct IndexRecord {
    std::string name;
    std::array<std::int32_t, 2> offset{};
    std::array<std::int32_t, 2> length{};
};

struct IndexFile {
    std::size_t storeCount = 0;     ///< 2 or 4
    std::size_t headerLength = 0;   ///< 290 or 546
    std::size_t recordLength = 0;   ///< 208 or 368
    std::vector<IndexRecord> records;

    /// Byte position in the file of a record's offset or length field (density 0 or 1).
    std::size_t fieldAt(std::size_t record, int density, bool lengthField) const;
    /// The first record of that name.
    std::optional<std::size_t> find(const std::string& name) const;
};

/// The index, or nothing with the reason in `why` when the bytes are not a whole index.
std::optional<IndexFile> parseIndex(const Bytes& bytes, std::string* why = nullptr);

// ---- The files of an installation ---------------------------------------------------

/// The six files Lumivel touches, in the backup table's order.
enum FileId { Index, HighStore, LowStore, XHighStore, XLowStore, Dictionary, kFileCount };

std::string fileName(FileId file);
bool isXStore(FileId file);

struct Paths {
    fs::path root;
    fs::path resources() const { return root / "Resources"; }
    fs::path dictionaryFolder() const { return root / "Locales" / "zh_CN" / "Support Files"; }
    fs::path live(FileId file) const;
    fs::path backup(FileId file) const;
    fs::path oldBackup(FileId file) const;
};

/// The content of the six files (an X store the layout lacks stays empty and absent).
struct FileSet {
    std::array<std::optional<Bytes>, kFileCount> files;
    const Bytes& at(FileId file) const { return *files[file]; }
};

FileSet readLive(const Paths& paths);
FileSet readBackup(const Paths& paths);

// ---- What an Apply must leave -------------------------------------------------------

/// The six image slots in the order Apply writes them, and the entry and density of each.
struct SlotFacts {
    const char* cliName;
    const char* themeFile;
    const char* entry;
    int density; ///< 0 LowRes, 1 HighRes
};
extern const std::array<SlotFacts, 6> kSlots;

enum class Text { Photoshop, Hidden, Theme };

/// The images of the six slots (nothing: the slot keeps the reference's image) and the text.
struct Look {
    std::array<std::optional<Bytes>, 6> images;
    Text text = Text::Photoshop;
    Bytes themeText; ///< the body of the block for Text::Theme
};

/// What the live files must be after an Apply of `look` from the reference files `reference`:
/// the stores the reference's followed by the slot images of their density in slot order, the
/// index the reference's with just the changed fields, the X stores the reference's. The
/// dictionary is checked separately (checkDictionary), as the hidden-text block is not
/// rebuilt here. Returns the problems found, none when the files agree.
std::vector<std::string> checkImages(const FileSet& live, const FileSet& reference, const Look& look);

/// The live dictionary against the reference's text and the look's text choice.
std::vector<std::string> checkDictionary(const Bytes& live, const Bytes& reference, const Look& look);

/// The image a look shows for an entry at a density: the slot's image, else the reference's.
Bytes imageShown(const FileSet& reference, const Look& look, const std::string& entry, int density);

/// Whether dictionary bytes hold Lumivel's opening marker line.
bool holdsCustomBlock(const Bytes& dictionary);

// ---- Invariants that hold after anything, a kill included -------------------------

/// Every backup copy that exists equals `originals`; the live index is a whole index whose
/// every entry with an image points inside the live stores. Returns the problems found.
std::vector<std::string> checkInvariants(const Paths& paths, const FileSet& originals);

/// Every entry below `root` that a finished run must not leave: temporary files and probe
/// folders.
std::vector<fs::path> leftovers(const fs::path& root);

/// The problems of comparing two trees file by file (names, kinds and bytes).
std::vector<std::string> compareTrees(const fs::path& expected, const fs::path& actual);

/// Copies a tree, replacing `to`. With `linkBackupCopies` the files inside "lumivel_BAK"
/// folders are hard links instead of copies: quicker, and safe as long as nothing writes a
/// backup copy in place, which checkInvariants (against copies held in memory) would catch.
void copyTree(const fs::path& from, const fs::path& to, bool linkBackupCopies = false);

// ---- Running lumivel-cli ------------------------------------------------------------

struct RunResult {
    bool exited = false;   ///< ended by itself; else killed by a signal
    int status = -1;       ///< exit status, or the signal
    double seconds = 0;
    std::string output;    ///< stdout and stderr together
    int killPoints = -1;   ///< from "kill points passed: N", when the hook counted
};

struct RunOptions {
    std::optional<int> killAtPoint;      ///< LUMIVEL_TEST_KILL_AT; 0 only counts
    std::optional<double> killAfterSeconds; ///< SIGKILL from outside after this time
};

RunResult runProgram(const fs::path& program, const std::vector<std::string>& args, const RunOptions& options = {});

} // namespace lumivel::model
