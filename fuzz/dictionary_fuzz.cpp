// The dictionary operations on arbitrary live and backup dictionaries: the input is split
// into the two files, and each operation must leave the live file as Photoshop's text from
// the backup (followed by one custom block when text is written), never touch the backup,
// and never crash.
#include "fuzz_support.h"
#include "installation/installation.h"
#include "locale/custom_block.h"
#include "locale/locale_dictionary.h"
#include "platform/files.h"
#include "platform/text.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <filesystem>

using namespace lumivel;
namespace fs = std::filesystem;

namespace {

struct Folders {
    fs::path root = fuzz::scratchFolder() / "ps";
    fs::path dictionary = root / "Locales" / "zh_CN" / "Support Files" / "tw10428.dat";
    fs::path backup = root / "Locales" / "zh_CN" / "Support Files" / "lumivel_BAK" / "tw10428.dat";
    fs::path themeText = fuzz::scratchFolder() / "word.txt";
    Folders() { fs::create_directories(backup.parent_path()); }
};

Bytes joined(const Bytes& first, const Bytes& second) {
    Bytes bytes = first;
    append(bytes, second);
    return bytes;
}

// UTF-16LE code units compared as numbers, not as bytes: "sorted by code unit".
bool beforeByCodeUnit(const Bytes& a, const Bytes& b) {
    for (std::size_t i = 0; i + 1 < a.size() && i + 1 < b.size(); i += 2) {
        unsigned x = a[i] | (a[i + 1] << 8), y = b[i] | (b[i + 1] << 8);
        if (x != y)
            return x < y;
    }
    return a.size() < b.size();
}

bool beginsWith(const Bytes& bytes, const Bytes& prefix) {
    return bytes.size() >= prefix.size() && std::equal(prefix.begin(), prefix.end(), bytes.begin());
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const Folders folders;
    if (size < 2)
        return 0;
    // First byte: what to run and where the live part ends and the backup begins.
    std::uint8_t choice = data[0];
    ByteView rest(data + 1, size - 1);
    std::size_t split = rest.size() * (choice >> 2) / 63;
    Bytes live(rest.begin(), rest.begin() + static_cast<std::ptrdiff_t>(std::min(split, rest.size())));
    Bytes backup(rest.begin() + static_cast<std::ptrdiff_t>(live.size()), rest.end());

    (void)files::writeFileAtomic(folders.dictionary, live);
    (void)files::writeFileAtomic(folders.backup, backup);
    (void)files::writeFileAtomic(folders.themeText, live);

    fuzz::SilentUi ui;
    LocaleDictionary dictionary(Installation(textFromPath(folders.root) + "/"), ui);
    switch (choice & 3) {
    case 0: {
        (void)dictionary.restoreDefault();
        LUMIVEL_FUZZ_CHECK(files::readFileOrEmpty(folders.dictionary) == backup);
        break;
    }
    case 1: {
        (void)dictionary.writeCustomText("");
        Bytes written = files::readFileOrEmpty(folders.dictionary);
        LUMIVEL_FUZZ_CHECK(written == joined(backup, hiddenTextBlock(rotatingNameKeys(backup))));
        LUMIVEL_FUZZ_CHECK(dictionary.hasCustomBlock());
        break;
    }
    case 2: {
        (void)dictionary.writeCustomText(textFromPath(folders.themeText));
        Bytes written = files::readFileOrEmpty(folders.dictionary);
        LUMIVEL_FUZZ_CHECK(beginsWith(written, backup));
        LUMIVEL_FUZZ_CHECK(written == joined(backup, themeTextBlock(live)));
        break;
    }
    default: {
        LUMIVEL_FUZZ_CHECK(dictionary.hasCustomBlock() == holdsCustomBlock(live));
        auto keys = rotatingNameKeys(backup);
        LUMIVEL_FUZZ_CHECK(std::is_sorted(keys.begin(), keys.end(), beforeByCodeUnit));
        LUMIVEL_FUZZ_CHECK(std::adjacent_find(keys.begin(), keys.end()) == keys.end());
        break;
    }
    }
    LUMIVEL_FUZZ_CHECK(files::readFileOrEmpty(folders.backup) == backup);
    return 0;
}
