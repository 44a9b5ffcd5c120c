// Putting the icon resources back from the backup: the index and its image stores are
// copied over the live files in an order that never lets the live index point past the end
// of a live store, whichever copy fails.
#pragma once

#include "installation/installation.h"

namespace lumivel {

class Ui;

/// What to do after a copy that fails.
enum class AfterRestoreFailure {
    Stop,   ///< report it and give up: the rest stay as they were
    GoOn,   ///< report it and go on with the files that can still be restored safely
};

/// Copies the backup copies of IconResources.idx, PSIconsLowRes.dat, PSIconsHighRes.dat and,
/// with `withXStores`, the two X stores over the live files. Every file that is not restored
/// is reported as "重置文件错误：" + its backup copy. Returns whether all were restored.
bool restoreIconResources(const Installation& installation, Ui& ui, bool withXStores, AfterRestoreFailure afterFailure);

} // namespace lumivel
