#include "apply/resource_restore.h"

#include "iconres/icon_resource_index.h"
#include "installation/backup_store.h"
#include "platform/files.h"
#include "platform/text.h"
#include "platform/ui.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <limits>
#include <optional>
#include <string>
#include <vector>

// Why the order matters. Images are only ever appended to the stores, so between two
// restores every live store is its backup copy followed by the images written since, and
// the live index points either into that backup part or into the appended part. Copying a
// store back cuts the appended part off; copying the index back first leaves the index
// pointing only into the backup part. So the index goes first, then the stores, and at no
// moment, and after no failure, does an entry of the live index point past the end of a
// live store.
//
// The files on disk need not keep to that history (Photoshop updated after the backup, a
// store replaced by hand), so the order is not fixed but worked out from the files: before
// each copy the program checks that the copy keeps every entry inside its store, taking the
// copies in the order index, X stores, PSIconsLowRes.dat, PSIconsHighRes.dat, and picking
// the first one that is safe. A copy that can never be made safely is not made, and is
// reported like a failed one. The X stores are not described by the fields Lumivel reads,
// and are restored without a check, as the index entries for them never change.

namespace lumivel {

namespace {

constexpr std::uint64_t kUnreachable = std::numeric_limits<std::uint64_t>::max();

// The two stores the index's fields describe.
constexpr std::array<DensityFile, 2> kDescribedStores = {DensityFile::LowRes, DensityFile::HighRes};

// Per described store: the end of the furthest image any entry points at. An entry without
// an image there (length zero) points at nothing; one with a negative offset cannot be
// inside anything.
using Reach = std::array<std::uint64_t, kDescribedStores.size()>;

Reach unknownReach() { return {kUnreachable, kUnreachable}; }

Reach reachOfIndex(const std::filesystem::path& indexFile) {
    auto content = files::readFile(indexFile);
    if (!content.ok())
        return unknownReach();
    // The index is parsed here only to learn how far its entries reach; its refusals are not
    // the user's business, since the live index is loaded (with its messages) by the caller.
    auto index = IconResourceIndex::fromBytes(content.value());
    if (!index.ok())
        return unknownReach();
    Reach reach{0, 0};
    for (const IconResourceEntry& entry : index.value().entries()) {
        for (std::size_t s = 0; s < kDescribedStores.size(); ++s) {
            std::int64_t length = entry.length(kDescribedStores[s]);
            std::int64_t offset = entry.offset(kDescribedStores[s]);
            if (length <= 0)
                continue;
            std::uint64_t end = offset < 0 ? kUnreachable : static_cast<std::uint64_t>(offset + length);
            reach[s] = std::max(reach[s], end);
        }
    }
    return reach;
}

// A store that cannot be measured counts as empty, so that nothing is taken to fit into it.
std::uint64_t sizeOf(const std::string& file) {
    auto size = files::fileSize(pathFromText(file));
    return size.ok() ? size.value() : 0;
}

bool fitsInto(const Reach& reach, const Reach& sizes) {
    for (std::size_t s = 0; s < reach.size(); ++s)
        if (reach[s] > sizes[s])
            return false;
    return true;
}

struct RestoreItem {
    std::string_view name;
    std::optional<std::size_t> describedStore; ///< place in kDescribedStores; none for the index and X stores
    bool isIndex = false;
};

} // namespace

bool restoreIconResources(const Installation& installation, Ui& ui, bool withXStores, AfterRestoreFailure afterFailure) {
    BackupStore backup(installation, ui);
    auto live = [&](std::string_view name) { return backup.livePathOf(BackupFolder::Resources, name); };
    auto saved = [&](std::string_view name) { return backup.backupPathOf(BackupFolder::Resources, name); };

    std::vector<RestoreItem> pending = {{kIndexFileName, std::nullopt, true}};
    if (withXStores) {
        pending.push_back({storeFileName(DensityFile::XLowRes), std::nullopt});
        pending.push_back({storeFileName(DensityFile::XHighRes), std::nullopt});
    }
    for (std::size_t s = 0; s < kDescribedStores.size(); ++s)
        pending.push_back({storeFileName(kDescribedStores[s]), s});

    Reach liveReach = reachOfIndex(pathFromText(live(kIndexFileName)));
    Reach backupReach = reachOfIndex(pathFromText(saved(kIndexFileName)));
    Reach liveSizes{}, backupSizes{};
    for (std::size_t s = 0; s < kDescribedStores.size(); ++s) {
        liveSizes[s] = sizeOf(live(storeFileName(kDescribedStores[s])));
        backupSizes[s] = sizeOf(saved(storeFileName(kDescribedStores[s])));
    }
    bool indexRestored = false;

    auto isSafe = [&](const RestoreItem& item) {
        if (item.isIndex)
            return fitsInto(backupReach, liveSizes);
        if (!item.describedStore)
            return true;
        std::size_t s = *item.describedStore;
        return (indexRestored ? backupReach : liveReach)[s] <= backupSizes[s];
    };

    bool allRestored = true;
    while (!pending.empty()) {
        auto next = std::find_if(pending.begin(), pending.end(), isSafe);
        bool safe = next != pending.end();
        if (!safe)
            next = pending.begin();
        RestoreItem item = *next;
        pending.erase(next);

        if (safe && backup.restoreFile(BackupFolder::Resources, item.name)) {
            if (item.isIndex)
                indexRestored = true;
            else if (item.describedStore)
                liveSizes[*item.describedStore] = backupSizes[*item.describedStore];
            continue;
        }
        ui.showMessage("重置文件错误：" + saved(item.name), "错误", MessageIcon::Error);
        allRestored = false;
        if (afterFailure == AfterRestoreFailure::Stop)
            return false;
    }
    return allRestored;
}

} // namespace lumivel
