// What the kill test and the soak share: their command line, the sample installation they
// work on, and the lumivel-cli words of an Apply.
#pragma once

#include "model/installation_model.h"

#include <string>
#include <vector>

namespace lumivel::model {

struct ProofOptions {
    fs::path cli;      ///< lumivel-cli
    fs::path sample;   ///< lumivel-sample
    fs::path themes;   ///< the themes folder (assets/themes)
    fs::path work;     ///< scratch folder, emptied first
    unsigned seed = 1;
    int storeMb = 4;   ///< filler MiB per 1x store (the 2x stores get three times as much)
    bool twoStores = false;
    std::map<std::string, std::string> extra; ///< the program's own options
};

/// Parses "--name value" pairs and the flag "--two-stores"; names listed in `ownOptions`
/// go to `extra`. Exits with a usage message when something is off.
ProofOptions parseProofOptions(int argc, char** argv, const std::vector<std::string>& ownOptions, const char* usage);

/// Writes the sample installation into work/pristine and returns its paths.
Paths makePristine(const ProofOptions& options);

/// The words every lumivel-cli call starts with: the installation, settings and themes.
std::vector<std::string> cliPrefix(const ProofOptions& options, const fs::path& root);

/// The Look of a theme folder's files with the given text choice.
Look themeLook(const fs::path& themeFolder, bool textHidden);

/// Prints up to a few problems under a heading; returns whether there were any.
bool reportProblems(const std::string& heading, const std::vector<std::string>& problems);

} // namespace lumivel::model
