// A fresh folder for one test, removed with everything in it when the test ends.
#pragma once

#include <filesystem>
#include <string>

namespace lumivel::testing {

class TempFolder {
public:
    TempFolder();
    ~TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    const std::filesystem::path& path() const { return m_path; }
    /// The folder as a program text, with its trailing separator.
    std::string text() const;

private:
    std::filesystem::path m_path;
};

} // namespace lumivel::testing
