// A sample Photoshop installation with themes and loose images beside it, the program state
// that works on it, and the checks every Apply must pass whatever happened.
#pragma once

#include "app/app_state.h"
#include "platform/bytes.h"
#include "sample_installation/sample_installation.h"
#include "slots/image_slot.h"
#include "support/recording_ui.h"
#include "support/temp_folder.h"

#include <filesystem>
#include <map>
#include <string>
#include <utility>
#include <vector>

namespace lumivel::testing {

/// The files an Apply may change, by name ("IconResources.idx", "PSIconsLowRes.dat", ...,
/// "tw10428.dat"), with their bytes.
using FileSnapshot = std::map<std::string, Bytes>;

/// A distinct PNG for a slot of a theme, told apart by `seed`.
Bytes slotImage(const ImageSlotInfo& slot, std::uint32_t seed);

struct ApplyFixture {
    explicit ApplyFixture(const sample::SampleOptions& options = smallSample());
    static sample::SampleOptions smallSample();

    /// A theme folder with info.ini, a PNG for each named slot (seeded by the theme's number)
    /// and, when `text` is not empty, word.txt with those bytes.
    void addTheme(const std::string& name, const std::vector<ImageSlot>& slots, const Bytes& text = {});
    /// The bytes a theme holds for a slot.
    Bytes themeImage(const std::string& name, ImageSlot slot) const;
    std::filesystem::path themeFile(const std::string& name, std::string_view file) const;

    /// Chooses an entry of the theme selector and the switch, then presses the theme page's Apply.
    void applyEntry(std::string_view entry, bool textHidden);
    /// Fills the custom page's edit boxes (slot-table order) and presses its Apply.
    void applyCustom(const std::vector<std::string>& slotTexts, bool textHidden);

    /// The live files; the backup copies.
    FileSnapshot live() const;
    FileSnapshot backups() const;
    std::filesystem::path backupFolder(bool dictionary) const;

    TempFolder temp;
    sample::SampleInstallation sample;
    FileSnapshot original; ///< the live files as the sample was built
    RecordingUi ui;
    RecordingView view;
    AppState state;
};

/// The images of a request, in slot order.
using SlotBytes = std::vector<std::pair<ImageSlot, Bytes>>;

/// The live files a fully successful image request leaves: each store its backup copy
/// followed by the request's images of its density in slot order, the index the backup's
/// with exactly the replaced offset and length fields changed. The dictionary is the original.
FileSnapshot afterImages(const ApplyFixture& fixture, const SlotBytes& images);

/// The images a theme of the fixture holds for the given slots.
SlotBytes themeImages(const ApplyFixture& fixture, const std::string& theme, const std::vector<ImageSlot>& slots);

/// Every entry of the live index points inside the live stores (an entry without an image
/// at a density, length 0, points at nothing there).
void expectIndexInsideStores(const ApplyFixture& fixture);
/// No "~<name>.<n>.lumivel-tmp" file is left in any folder the program writes.
void expectNoTemporaryFiles(const ApplyFixture& fixture);
/// Every backup copy that exists is byte for byte the file it was taken from.
void expectBackupsPristine(const ApplyFixture& fixture);

} // namespace lumivel::testing
