// AppState: the one record of process state, shared by every handler of the program.
#pragma once

#include "iconres/icon_resource_index.h"
#include "platform/ui.h"

#include <filesystem>
#include <string>

namespace lumivel {

struct AppState {
    AppState(Ui& ui, View& view, std::filesystem::path programFolder);

    /// The folder that holds Photoshop.exe, with its trailing separator; empty while unlocated.
    std::string photoshopRoot;
    /// photoshopRoot + "Resources\IconResources.idx"; set and cleared together with the root.
    std::string indexPath;
    /// The one parsed icon resource index.
    IconResourceIndex index;
    /// Whether the startup text is to be hidden (or replaced by a theme's text).
    bool textHidden = false;

    Ui& ui;
    View& view;

    /// Where the program lives, and the files beside it.
    std::filesystem::path programFolder;
    std::filesystem::path settingsFile;
    std::filesystem::path themesRoot;

    bool isLocated() const { return !indexPath.empty(); }
    /// Takes `root` as the installation: sets the root and the index path together.
    void setPhotoshopRoot(std::string_view root);
    void clearPhotoshopRoot();
};

} // namespace lumivel
