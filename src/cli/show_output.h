// Writing out what a `show` command showed: the images the main window and the preview
// were given, and the preview window's picture.
#pragma once

#include "cli/cli.h"

#include <string>

namespace lumivel::cli {

/// Writes into the folder `out` (made when missing) splash.png, dark.png and light.png
/// as the view was given them (empty ones are left out), and preview.png, the 838 x 506
/// picture of the preview window: the empty overlay, the splash and the text layer as
/// the switch says. Prints each file written; false when a file or the folder could not
/// be written, which is said on the error stream.
bool writeShownLook(const CliView& view, const std::string& out);

} // namespace lumivel::cli
