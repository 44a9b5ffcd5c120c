#include "locale/custom_block.h"

#include "platform/text.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <string>

namespace lumivel {

namespace {

constexpr std::string_view kOpeningMarker = "//Lumivel v1.0---";
constexpr std::string_view kClosingMarker = "//Lumivel_End---";
constexpr std::string_view kRotatingNamesPrefix = "$$$/private/Credits/RotatingNames/";

// The heading of the credits: legal line, release and artwork.
constexpr std::array<std::string_view, 3> kCreditsHeading = {
    "$$$/private/Credits/Legal/CopyrightTwoLine",
    "$$$/About/ReleaseX",
    "$$$/Credits/Artwork/ArtworkBy",
};

// The generated credit lines run from 101000 to 101140 in steps of 10.
constexpr int kFirstAutoGenLine = 101000;
constexpr int kLastAutoGenLine = 101140;
constexpr int kAutoGenStep = 10;

// Made-up names in the rotating-names form, for a dictionary that lists none of its own.
constexpr std::array<std::string_view, 13> kFallbackRotatingNames = {
    "AdaLindqvist",   "BrunoMarchetti", "CeliaOkafor",   "DmitriVolkov", "EmeraHoltz",
    "FionaGallagher", "GustavoReyes",   "HanaKobayashi", "IsidoreBlanc", "JunoAtwell",
    "KasperNyberg",   "LeilaMansour",   "MilesThornbury",
};

// The status lines Photoshop shows on its splash screen while it starts.
constexpr std::array<std::string_view, 30> kSplashStatusLines = {
    "$$$/FontServer/Splash/Reading",
    "$$$/FontServer/Splash/ScanDone",
    "$$$/FontServer/Splash/Sorting",
    "$$$/FontServer/Splash/SortingDone",
    "$$$/Splash/AddingExtension",
    "$$$/Splash/BuildingConversionTables",
    "$$$/Splash/BuildingMenus",
    "$$$/Splash/FindingSystemProfiles",
    "$$$/Splash/Initializing",
    "$$$/Splash/InitializingAXE",
    "$$$/Splash/InitializingAssetManagement",
    "$$$/Splash/InitializingColorPrefs",
    "$$$/Splash/InitializingCoreTech",
    "$$$/Splash/InitializingICC",
    "$$$/Splash/InitializingMenus",
    "$$$/Splash/InitializingPalettes",
    "$$$/Splash/InitializingSuitePea",
    "$$$/Splash/InitializingTools",
    "$$$/Splash/InitializingTwain",
    "$$$/Splash/InitializingVM",
    "$$$/Splash/LoadingBrushes",
    "$$$/Splash/LookingForPrefs",
    "$$$/Splash/ReadingBrushes",
    "$$$/Splash/ReadingColorSettings",
    "$$$/Splash/ReadingPrefs",
    "$$$/Splash/ReadingPrefsObjectID",
    "$$$/Splash/ScanningForPlugIns",
    "$$$/Splash/ScanningForPlugIns/NameAppended",
    "$$$/Splash/ScanningForPresets",
    "$$$/Splash/StartingUpPlugIns",
};

const Bytes& lineEnd() {
    static const Bytes bytes = utf16LEFromAscii("\r\n");
    return bytes;
}

std::uint16_t unitAt(ByteView bytes, std::size_t at) {
    return static_cast<std::uint16_t>(bytes[at] | bytes[at + 1] << 8);
}

// One `"<key>="` line with its line end; the key is already UTF-16LE.
void appendEmptyEntry(Bytes& block, ByteView key) {
    append(block, utf16LEFromAscii("\""));
    append(block, key);
    append(block, utf16LEFromAscii("=\""));
    append(block, lineEnd());
}

void appendEmptyEntry(Bytes& block, std::string_view asciiKey) { appendEmptyEntry(block, utf16LEFromAscii(asciiKey)); }

} // namespace

Bytes utf16LEFromAscii(std::string_view ascii) { return encodeUtf16LE(ascii); }

Bytes customBlockOpening() {
    Bytes bytes = lineEnd();
    append(bytes, customBlockMarker());
    append(bytes, lineEnd());
    return bytes;
}

Bytes customBlockClosing() {
    Bytes bytes = lineEnd();
    append(bytes, lineEnd());
    append(bytes, utf16LEFromAscii(kClosingMarker));
    return bytes;
}

Bytes customBlockMarker() { return utf16LEFromAscii(kOpeningMarker); }

bool holdsCustomBlock(ByteView dictionary) {
    Bytes marker = customBlockMarker();
    std::string_view text(reinterpret_cast<const char*>(dictionary.data()), dictionary.size());
    return text.find(std::string_view(reinterpret_cast<const char*>(marker.data()), marker.size())) !=
           std::string_view::npos;
}

std::vector<Bytes> rotatingNameKeys(ByteView dictionary) {
    // The opening quote makes sure a match is the start of an entry, not part of a value.
    Bytes prefix = utf16LEFromAscii("\"");
    append(prefix, utf16LEFromAscii(kRotatingNamesPrefix));
    std::string_view text(reinterpret_cast<const char*>(dictionary.data()), dictionary.size());
    std::string_view wanted(reinterpret_cast<const char*>(prefix.data()), prefix.size());

    std::vector<Bytes> keys;
    for (std::size_t at = text.find(wanted); at != std::string_view::npos; at = text.find(wanted, at + 1)) {
        // A match between two code units is a coincidence of bytes, not a quote.
        if (at % 2 != 0)
            continue;
        std::size_t keyStart = at + 2;
        std::size_t end = at + prefix.size();
        bool complete = false;
        for (; end + 1 < dictionary.size(); end += 2) {
            std::uint16_t unit = unitAt(dictionary, end);
            if (unit == '=') {
                complete = true;
                break;
            }
            if (unit == '"' || unit == '\r' || unit == '\n')
                break;
        }
        if (complete)
            keys.emplace_back(dictionary.begin() + static_cast<std::ptrdiff_t>(keyStart),
                              dictionary.begin() + static_cast<std::ptrdiff_t>(end));
    }

    auto byCodeUnit = [](const Bytes& a, const Bytes& b) {
        for (std::size_t i = 0; i + 1 < a.size() && i + 1 < b.size(); i += 2) {
            std::uint16_t ua = unitAt(a, i), ub = unitAt(b, i);
            if (ua != ub)
                return ua < ub;
        }
        return a.size() < b.size();
    };
    std::sort(keys.begin(), keys.end(), byCodeUnit);
    keys.erase(std::unique(keys.begin(), keys.end()), keys.end());
    return keys;
}

std::vector<Bytes> fallbackRotatingNameKeys() {
    std::vector<Bytes> keys;
    for (std::string_view name : kFallbackRotatingNames)
        keys.push_back(utf16LEFromAscii(std::string(kRotatingNamesPrefix) + std::string(name)));
    return keys;
}

Bytes hiddenTextBlock(const std::vector<Bytes>& rotatingNames) {
    Bytes block = customBlockOpening();
    for (std::string_view key : kCreditsHeading)
        appendEmptyEntry(block, key);
    append(block, lineEnd());
    for (int line = kFirstAutoGenLine; line <= kLastAutoGenLine; line += kAutoGenStep)
        appendEmptyEntry(block, "$$$/private/Credits/AutoGen/" + std::to_string(line));
    append(block, lineEnd());
    for (const Bytes& key : rotatingNames.empty() ? fallbackRotatingNameKeys() : rotatingNames)
        appendEmptyEntry(block, key);
    append(block, lineEnd());
    for (std::string_view key : kSplashStatusLines)
        appendEmptyEntry(block, key);
    append(block, customBlockClosing());
    return block;
}

Bytes themeTextBlock(ByteView body) {
    Bytes block = customBlockOpening();
    append(block, body);
    append(block, customBlockClosing());
    return block;
}

} // namespace lumivel
