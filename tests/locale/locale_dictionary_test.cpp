#include "locale/locale_dictionary.h"

#include "installation/backup_store.h"
#include "platform/files.h"
#include "platform/paths.h"
#include "platform/text.h"
#include "support/recording_ui.h"
#include "support/temp_folder.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace lumivel {
namespace {

namespace fs = std::filesystem;
using testing::RecordingUi;
using testing::ShownMessage;
using testing::TempFolder;

Bytes utf16(std::string_view utf8) { return encodeUtf16LE(utf8); }

Bytes operator+(Bytes a, const Bytes& b) {
    append(a, b);
    return a;
}

const Bytes kBom = {0xFF, 0xFE};

// Photoshop's own text, with two rotating names out of order.
const Bytes kPhotoshopText = kBom + utf16("\"$$$/Splash/Initializing=正在初始化...\"\r\n"
                                          "\"$$$/private/Credits/RotatingNames/ZoeWalker=Zoe Walker\"\r\n"
                                          "\"$$$/About/ReleaseX=2015.1.2\"\r\n"
                                          "\"$$$/private/Credits/RotatingNames/AbeLindgren=Abe Lindgren\"\r\n");
// A dictionary that names nobody.
const Bytes kNamelessText = kBom + utf16("\"$$$/Splash/Initializing=正在初始化...\"\r\n");

const std::vector<std::string> kOwnNames = {
    "AdaLindqvist", "BrunoMarchetti", "CeliaOkafor",  "DmitriVolkov", "EmeraHoltz",   "FionaGallagher", "GustavoReyes",
    "HanaKobayashi", "IsidoreBlanc",  "JunoAtwell",   "KasperNyberg", "LeilaMansour", "MilesThornbury",
};

// The hidden-text block written out line by line, so that the constant in the program is
// checked against the text itself.
Bytes hiddenBlock(const std::vector<std::string>& names) {
    std::string text = "\r\n//Lumivel v1.0---\r\n"
                       "\"$$$/private/Credits/Legal/CopyrightTwoLine=\"\r\n"
                       "\"$$$/About/ReleaseX=\"\r\n"
                       "\"$$$/Credits/Artwork/ArtworkBy=\"\r\n"
                       "\r\n";
    for (int line = 101000; line <= 101140; line += 10)
        text += "\"$$$/private/Credits/AutoGen/" + std::to_string(line) + "=\"\r\n";
    text += "\r\n";
    for (const std::string& name : names)
        text += "\"$$$/private/Credits/RotatingNames/" + name + "=\"\r\n";
    text += "\r\n"
            "\"$$$/FontServer/Splash/Reading=\"\r\n"
            "\"$$$/FontServer/Splash/ScanDone=\"\r\n"
            "\"$$$/FontServer/Splash/Sorting=\"\r\n"
            "\"$$$/FontServer/Splash/SortingDone=\"\r\n"
            "\"$$$/Splash/AddingExtension=\"\r\n"
            "\"$$$/Splash/BuildingConversionTables=\"\r\n"
            "\"$$$/Splash/BuildingMenus=\"\r\n"
            "\"$$$/Splash/FindingSystemProfiles=\"\r\n"
            "\"$$$/Splash/Initializing=\"\r\n"
            "\"$$$/Splash/InitializingAXE=\"\r\n"
            "\"$$$/Splash/InitializingAssetManagement=\"\r\n"
            "\"$$$/Splash/InitializingColorPrefs=\"\r\n"
            "\"$$$/Splash/InitializingCoreTech=\"\r\n"
            "\"$$$/Splash/InitializingICC=\"\r\n"
            "\"$$$/Splash/InitializingMenus=\"\r\n"
            "\"$$$/Splash/InitializingPalettes=\"\r\n"
            "\"$$$/Splash/InitializingSuitePea=\"\r\n"
            "\"$$$/Splash/InitializingTools=\"\r\n"
            "\"$$$/Splash/InitializingTwain=\"\r\n"
            "\"$$$/Splash/InitializingVM=\"\r\n"
            "\"$$$/Splash/LoadingBrushes=\"\r\n"
            "\"$$$/Splash/LookingForPrefs=\"\r\n"
            "\"$$$/Splash/ReadingBrushes=\"\r\n"
            "\"$$$/Splash/ReadingColorSettings=\"\r\n"
            "\"$$$/Splash/ReadingPrefs=\"\r\n"
            "\"$$$/Splash/ReadingPrefsObjectID=\"\r\n"
            "\"$$$/Splash/ScanningForPlugIns=\"\r\n"
            "\"$$$/Splash/ScanningForPlugIns/NameAppended=\"\r\n"
            "\"$$$/Splash/ScanningForPresets=\"\r\n"
            "\"$$$/Splash/StartingUpPlugIns=\"\r\n"
            "\r\n"
            "\r\n//Lumivel_End---";
    return utf16(text);
}

const Bytes kPhotoshopHidden = hiddenBlock({"AbeLindgren", "ZoeWalker"});
const Bytes kOwnHidden = hiddenBlock(kOwnNames);

const Bytes kThemeLine = utf16("\"$$$/Splash/Initializing=欢迎\"\r\n");
Bytes themeBlock(const Bytes& body) { return utf16("\r\n//Lumivel v1.0---\r\n") + body + utf16("\r\n\r\n//Lumivel_End---"); }

enum class Operation { RestoreDefault, HiddenText, ThemeText };
enum class Fault { None, BackupMissing, LiveUnreadable, LiveUnwritable };

const std::string kReset = "重置文件错误：";
const std::string kBadBackup = "你的备份文件不正确，这导致你无法恢复默认的启动文字";
const std::string kUnreadable = "读取字典文件错误，启动文字未写入：";
const std::string kUnwritable = "写入字典文件错误，启动文字未写入：";

struct Case {
    const char* name;
    Bytes backup;
    Bytes live;
    Operation operation;
    std::optional<Bytes> themeText; // nothing: word.txt does not exist
    Fault fault;
    Bytes expected;
    std::vector<std::string> messages; // texts; a trailing path is added for the file messages
};

class Dictionary {
public:
    Dictionary() : installation(temp.text()) {
        fs::create_directories(pathFromText(installation.dictionaryBackupFolder()));
        live = pathFromText(installation.dictionaryFile());
        backup = pathFromText(joinPath(installation.dictionaryBackupFolder(), {kDictionaryFileName}));
        textFile = temp.path() / "word.txt";
    }

    void lay(const Case& c) {
        ASSERT_TRUE(files::writeFileAtomic(live, c.live));
        if (c.fault == Fault::BackupMissing || c.fault == Fault::LiveUnreadable)
            fs::remove(backup);
        else
            ASSERT_TRUE(files::writeFileAtomic(backup, c.backup));
        fs::remove(textFile);
        if (c.themeText)
            ASSERT_TRUE(files::writeFileAtomic(textFile, *c.themeText));
    }

    void run(const Case& c) {
        LocaleDictionary dictionary(installation, ui);
        switch (c.operation) {
        case Operation::RestoreDefault: (void)dictionary.restoreDefault(); break;
        case Operation::HiddenText: (void)dictionary.writeCustomText(""); break;
        case Operation::ThemeText: (void)dictionary.writeCustomText(textFromPath(textFile)); break;
        }
    }

    int operationsOf(const Case& c) {
        lay(c);
        files::failOperationForTesting(0);
        run(c);
        int count = files::operationCountForTesting();
        ui.messages.clear();
        return count;
    }

    TempFolder temp;
    Installation installation;
    RecordingUi ui;
    fs::path live, backup, textFile;
};

std::string pathText(const fs::path& path) { return textFromPath(path); }

// Dictionary bytes as readable text for failure messages.
std::string shownText(const Bytes& bytes) {
    std::u16string units;
    for (std::size_t i = 0; i + 1 < bytes.size(); i += 2)
        units.push_back(static_cast<char16_t>(bytes[i] | bytes[i + 1] << 8));
    return utf16ToUtf8(units);
}

void check(const Case& c) {
    SCOPED_TRACE(c.name);
    Dictionary d;
    int failAt = 0;
    if (c.fault == Fault::LiveUnreadable) {
        // The backup copy is missing; the read of the live file, the last operation before
        // the write, fails.
        failAt = d.operationsOf(c) - 1;
    } else if (c.fault == Fault::LiveUnwritable) {
        failAt = d.operationsOf(c); // the write back is the last operation
    }
    d.lay(c);
    files::failOperationForTesting(failAt);
    d.run(c);
    files::failOperationForTesting(0);

    Bytes result = files::readFileOrEmpty(d.live);
    EXPECT_TRUE(result == c.expected) << "got:\n" << shownText(result) << "\nexpected:\n" << shownText(c.expected);
    if (c.fault != Fault::BackupMissing && c.fault != Fault::LiveUnreadable)
        EXPECT_EQ(files::readFileOrEmpty(d.backup), c.backup) << "the backup copy is never written";

    std::vector<ShownMessage> expected;
    for (const std::string& text : c.messages) {
        if (text == kReset)
            expected.push_back({text + pathText(d.backup), "错误", MessageIcon::Error});
        else if (text == kUnreadable || text == kUnwritable)
            expected.push_back({text + pathText(d.live), "错误", MessageIcon::Error});
        else
            expected.push_back({text, "错误", MessageIcon::None});
    }
    EXPECT_EQ(d.ui.messages, expected);

    std::error_code ec;
    for (const auto& entry : fs::directory_iterator(d.live.parent_path(), ec))
        EXPECT_EQ(entry.path().string().find("lumivel-tmp"), std::string::npos) << entry.path();
}

TEST(LocaleDictionary, OperationsFromEveryStartingState) {
    const Bytes themed = kPhotoshopText + themeBlock(kThemeLine);
    const Bytes hidden = kPhotoshopText + kPhotoshopHidden;
    const Bytes badBackup = kNamelessText + kOwnHidden;
    const Case cases[] = {
        {"restore as backed up", kPhotoshopText, kPhotoshopText, Operation::RestoreDefault, {}, Fault::None, kPhotoshopText, {}},
        {"restore from the hidden block", kPhotoshopText, hidden, Operation::RestoreDefault, {}, Fault::None, kPhotoshopText, {}},
        {"restore from a theme block", kPhotoshopText, themed, Operation::RestoreDefault, {}, Fault::None, kPhotoshopText, {}},
        {"restore from a backup that holds a block", badBackup, kNamelessText, Operation::RestoreDefault, {}, Fault::None,
         badBackup, {kBadBackup}},
        {"restore with the backup missing", {}, hidden, Operation::RestoreDefault, {}, Fault::BackupMissing, hidden,
         {kReset, kBadBackup}},

        {"hide: every name of the dictionary, sorted", kPhotoshopText, kPhotoshopText, Operation::HiddenText, {}, Fault::None,
         hidden, {}},
        {"hide: the program's own names when the dictionary has none", kNamelessText, kNamelessText, Operation::HiddenText,
         {}, Fault::None, kNamelessText + kOwnHidden, {}},
        {"hide twice leaves one block", kPhotoshopText, hidden, Operation::HiddenText, {}, Fault::None, hidden, {}},
        {"hide over a theme block", kPhotoshopText, themed, Operation::HiddenText, {}, Fault::None, hidden, {}},
        {"hide with a backup that holds a block gives two", badBackup, kNamelessText, Operation::HiddenText, {}, Fault::None,
         badBackup + kOwnHidden, {}},
        {"hide when neither the backup nor the live file can be read", {}, themed, Operation::HiddenText, {},
         Fault::LiveUnreadable, themed, {kReset, kUnreadable}},
        {"hide when the block cannot be written: Photoshop's own text stays", kPhotoshopText, themed, Operation::HiddenText,
         {}, Fault::LiveUnwritable, kPhotoshopText, {kUnwritable}},
        // The names still come from the backup copy, not from the stale live file.
        {"hide with the restore copy failing", {}, kPhotoshopText, Operation::HiddenText, {}, Fault::BackupMissing,
         kPhotoshopText + kOwnHidden, {kReset}},

        {"theme: a single line", kPhotoshopText, hidden, Operation::ThemeText, kThemeLine, Fault::None,
         kPhotoshopText + themeBlock(kThemeLine), {}},
        {"theme: a byte-order mark is kept", kPhotoshopText, kPhotoshopText, Operation::ThemeText, kBom + kThemeLine,
         Fault::None, kPhotoshopText + themeBlock(kBom + kThemeLine), {}},
        {"theme: an unreadable text gives an empty body", kPhotoshopText, kPhotoshopText, Operation::ThemeText, {},
         Fault::None, kPhotoshopText + themeBlock({}), {}},
        {"theme when neither the backup nor the live file can be read", {}, hidden, Operation::ThemeText, kThemeLine,
         Fault::LiveUnreadable, hidden, {kReset, kUnreadable}},
    };
    for (const Case& c : cases)
        check(c);
}

TEST(LocaleDictionary, HasCustomBlockFindsTheOpeningMarkerAnywhere) {
    Dictionary d;
    RecordingUi ui;
    LocaleDictionary dictionary(d.installation, ui);
    EXPECT_FALSE(dictionary.hasCustomBlock()) << "a missing file reads as empty";
    ASSERT_TRUE(files::writeFileAtomic(d.live, kPhotoshopText));
    EXPECT_FALSE(dictionary.hasCustomBlock());
    // The marker on its own, at an odd position, without the line ends around it.
    Bytes odd = Bytes{0x41} + utf16("//Lumivel v1.0---");
    ASSERT_TRUE(files::writeFileAtomic(d.live, odd));
    EXPECT_TRUE(dictionary.hasCustomBlock());
    ASSERT_TRUE(files::writeFileAtomic(d.live, kPhotoshopText + utf16("//Lumivel v1.0--")));
    EXPECT_FALSE(dictionary.hasCustomBlock());
}

} // namespace
} // namespace lumivel
