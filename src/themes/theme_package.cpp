#include "themes/theme_package.h"

#include "platform/files.h"
#include "platform/text.h"
#include "themes/theme.h"

#include <zip.h>

#include <algorithm>
#include <array>
#include <chrono>
#include <memory>
#include <optional>
#include <random>
#include <string>
#include <string_view>
#include <system_error>
#include <vector>

namespace lumivel {

namespace fs = std::filesystem;

namespace {

// Where packages are unpacked before they are moved into place: a folder without a
// description file, so the theme scan never lists it or anything half-written in it.
constexpr std::string_view kStagingFolder = ".lumivel-import";

Error failure(std::string message) { return Error{std::move(message)}; }

// ---------------------------------------------------------------------------------------
// The archive

struct ArchiveCloser {
    void operator()(zip_t* archive) const { zip_discard(archive); }
};
using Archive = std::unique_ptr<zip_t, ArchiveCloser>;

struct EntryCloser {
    void operator()(zip_file_t* file) const { zip_fclose(file); }
};
using EntryReader = std::unique_ptr<zip_file_t, EntryCloser>;

bool beginsWithLocalFileHeader(const fs::path& package) {
    auto head = files::readFileRange(package, 0, 4);
    return head && head.value() == Bytes{'P', 'K', 3, 4};
}

zip_source_t* fileSource(const fs::path& package, zip_error_t* error) {
#ifdef _WIN32
    return zip_source_win32w_create(package.c_str(), 0, -1, error);
#else
    return zip_source_file_create(package.c_str(), 0, -1, error);
#endif
}

Result<Archive> openArchive(const fs::path& package) {
    Error unreadable = failure("无法打开主题包：" + textFromPath(package));
    zip_error_t error;
    zip_error_init(&error);
    zip_source_t* source = fileSource(package, &error);
    if (!source) {
        zip_error_fini(&error);
        return unreadable;
    }
    zip_t* archive = zip_open_from_source(source, ZIP_RDONLY, &error);
    zip_error_fini(&error);
    if (!archive) {
        zip_source_free(source);
        return unreadable;
    }
    return Archive(archive);
}

// ---------------------------------------------------------------------------------------
// Entry names

bool isAscii(std::string_view text) {
    return std::all_of(text.begin(), text.end(), [](char c) { return static_cast<unsigned char>(c) < 0x80; });
}

// The name as text. An archive marks UTF-8 names with a flag; libzip's strict reading then
// gives the name's own bytes, and converts every other name from code page 437. Those
// other names come from Chinese Windows in code page 936.
std::string entryName(zip_t* archive, zip_uint64_t index) {
    const char* rawName = zip_get_name(archive, index, ZIP_FL_ENC_RAW);
    std::string_view raw = rawName ? rawName : "";
    if (isAscii(raw))
        return std::string(raw);
    const char* strictName = zip_get_name(archive, index, ZIP_FL_ENC_STRICT);
    if (strictName && raw == strictName && isValidUtf8(raw))
        return std::string(raw);
    if (auto gbk = gbkToUtf8(raw))
        return *gbk;
    if (isValidUtf8(raw))
        return std::string(raw);
    return strictName ? std::string(strictName) : std::string(raw);
}

bool isDeviceName(std::string_view component) {
    // Windows opens a device for these names, whatever extension follows.
    std::string base = asciiLower(component.substr(0, component.find('.')));
    while (!base.empty() && base.back() == ' ')
        base.pop_back();
    static constexpr std::array<std::string_view, 4> kDevices = {"con", "prn", "aux", "nul"};
    if (std::find(kDevices.begin(), kDevices.end(), base) != kDevices.end())
        return true;
    return base.size() == 4 && (base.starts_with("com") || base.starts_with("lpt")) && base[3] >= '1' && base[3] <= '9';
}

// One folder or file name of an entry path is taken as it stands only when Windows and
// every other system read it as that same name below the target: no "..", no drive or
// stream colon, none of the characters Windows refuses, no trailing dot or blank (which
// Windows drops, so that ".. " would become ".."), no device name.
bool isPlainName(std::string_view component) {
    if (component == ".." || component.back() == '.' || component.back() == ' ')
        return false;
    for (char c : component) {
        auto u = static_cast<unsigned char>(c);
        if (u < 0x20 || std::string_view("<>:\"|?*").find(c) != std::string_view::npos)
            return false;
    }
    return !isDeviceName(component);
}

// The names of an entry path, split at '/' and '\', or nothing when the path could land
// anywhere but below the target. Empty names and "." add nothing.
std::optional<std::vector<std::string>> pathBelowTarget(std::string_view name) {
    if (name.empty() || name.front() == '/' || name.front() == '\\')
        return std::nullopt;
    std::vector<std::string> components;
    std::size_t start = 0;
    while (start <= name.size()) {
        std::size_t end = name.find_first_of("/\\", start);
        if (end == std::string_view::npos)
            end = name.size();
        std::string_view component = name.substr(start, end - start);
        if (!component.empty() && component != ".") {
            if (!isPlainName(component))
                return std::nullopt;
            components.emplace_back(component);
        }
        start = end + 1;
    }
    return components;
}

bool isSymbolicLink(zip_t* archive, zip_uint64_t index) {
    zip_uint8_t system = 0;
    zip_uint32_t attributes = 0;
    if (zip_file_get_external_attributes(archive, index, 0, &system, &attributes) != 0)
        return false;
    constexpr zip_uint32_t kTypeMask = 0170000, kLink = 0120000;
    return system == ZIP_OPSYS_UNIX && ((attributes >> 16) & kTypeMask) == kLink;
}

// ---------------------------------------------------------------------------------------
// The plan: every entry checked before anything is written

struct PlannedEntry {
    zip_uint64_t index = 0;
    std::string name;
    std::vector<std::string> path;
    bool folder = false;
    zip_uint64_t size = 0;
};

Result<PlannedEntry> planEntry(zip_t* archive, zip_uint64_t index) {
    PlannedEntry entry;
    entry.index = index;
    entry.name = entryName(archive, index);
    zip_stat_t stat;
    zip_stat_init(&stat);
    if (zip_stat_index(archive, index, 0, &stat) != 0)
        return failure("无法读取主题包中的条目：" + entry.name);
    auto path = pathBelowTarget(entry.name);
    if (!path)
        return failure("主题包中的条目会写到主题文件夹以外：" + entry.name);
    if (isSymbolicLink(archive, index))
        return failure("主题包中的条目是符号链接：" + entry.name);
    if ((stat.valid & ZIP_STAT_ENCRYPTION_METHOD) && stat.encryption_method != ZIP_EM_NONE)
        return failure("主题包中的条目已加密：" + entry.name);
    entry.path = std::move(*path);
    entry.folder = entry.name.back() == '/' || entry.name.back() == '\\';
    if (!entry.folder) {
        if (!(stat.valid & ZIP_STAT_SIZE) || !(stat.valid & ZIP_STAT_COMP_METHOD))
            return failure("无法读取主题包中的条目：" + entry.name);
        if (!zip_compression_method_supported(stat.comp_method, 0))
            return failure("主题包中的条目用了不支持的压缩方式：" + entry.name);
        entry.size = stat.size;
    }
    return entry;
}

// "Send to > Compressed folder" packs a theme folder as one top-level folder; its content is
// the theme.
void dropCommonTopFolder(std::vector<PlannedEntry>& entries) {
    if (entries.empty())
        return;
    const std::string& top = entries.front().path.front();
    for (const PlannedEntry& entry : entries)
        if (entry.path.front() != top || (entry.path.size() == 1 && !entry.folder))
            return;
    for (PlannedEntry& entry : entries)
        entry.path.erase(entry.path.begin());
    std::erase_if(entries, [](const PlannedEntry& entry) { return entry.path.empty(); });
}

Result<std::vector<PlannedEntry>> planExtraction(zip_t* archive, const fs::path& package) {
    zip_int64_t count = zip_get_num_entries(archive, 0);
    if (count < 0)
        return failure("无法打开主题包：" + textFromPath(package));
    if (static_cast<std::uint64_t>(count) > kMaxPackageEntries)
        return failure("主题包的条目超过 " + std::to_string(kMaxPackageEntries) + " 个：" + textFromPath(package));
    std::vector<PlannedEntry> entries;
    std::uint64_t total = 0;
    for (zip_uint64_t i = 0; i < static_cast<zip_uint64_t>(count); ++i) {
        auto entry = planEntry(archive, i);
        if (!entry)
            return entry.error();
        if (entry.value().size > kMaxPackageBytes - total)
            return failure("主题包解压后超过 " + std::to_string(kMaxPackageBytes >> 20) + " MB：" + textFromPath(package));
        total += entry.value().size;
        if (!entry.value().path.empty())
            entries.push_back(std::move(entry).value());
    }
    dropCommonTopFolder(entries);
    return entries;
}

// ---------------------------------------------------------------------------------------
// Writing

fs::path below(const fs::path& folder, const std::vector<std::string>& path) {
    fs::path result = folder;
    for (const std::string& name : path)
        result /= pathFromText(name);
    return result;
}

// The entry's bytes, exactly as many as it declares: a stream that ends early or runs on
// (a bomb that declares a few bytes and inflates to gigabytes) is refused after at most
// one byte more than declared.
Result<Bytes> readEntry(zip_t* archive, const PlannedEntry& entry) {
    Error unreadable = failure("无法解压主题包中的条目：" + entry.name);
    EntryReader reader(zip_fopen_index(archive, entry.index, 0));
    if (!reader)
        return unreadable;
    Bytes bytes(static_cast<std::size_t>(entry.size));
    std::size_t got = 0;
    while (got < bytes.size()) {
        zip_int64_t n = zip_fread(reader.get(), bytes.data() + got, bytes.size() - got);
        if (n < 0)
            return unreadable;
        if (n == 0)
            break;
        got += static_cast<std::size_t>(n);
    }
    std::uint8_t more = 0;
    zip_int64_t extra = got == bytes.size() ? zip_fread(reader.get(), &more, 1) : 0;
    if (extra < 0)
        return unreadable;
    if (got != bytes.size() || extra != 0)
        return failure("主题包中的条目大小与记录的不符：" + entry.name);
    return bytes;
}

Result<void> writeEntry(zip_t* archive, const PlannedEntry& entry, const fs::path& root) {
    fs::path path = below(root, entry.path);
    std::error_code ec;
    fs::create_directories(entry.folder ? path : path.parent_path(), ec);
    if (ec)
        return failure("无法创建文件夹：" + textFromPath(entry.folder ? path : path.parent_path()));
    if (entry.folder)
        return {};
    auto bytes = readEntry(archive, entry);
    if (!bytes)
        return bytes.error();
    return files::writeFileAtomic(path, bytes.value());
}

// A fresh folder below the themes root's staging folder, removed with its content unless
// its content was moved into place; the staging folder goes too once it is empty.
class StagingFolder {
public:
    static Result<StagingFolder> create(const fs::path& target) {
        fs::path root = target.parent_path() / pathFromText(kStagingFolder);
        std::error_code ec;
        fs::create_directories(root, ec);
        removeLeftovers(root);
        std::random_device random;
        for (int attempt = 0; attempt < 16; ++attempt) {
            fs::path path = root / target.filename();
            path += "." + std::to_string(random()) + std::to_string(random());
            if (fs::create_directory(path, ec) && !ec)
                return StagingFolder(root, path);
        }
        removeIfEmpty(root);
        return failure("无法创建文件夹：" + textFromPath(root));
    }

    StagingFolder(StagingFolder&& other) noexcept
        : m_root(std::move(other.m_root)), m_path(std::move(other.m_path)) {
        other.m_path.clear();
    }
    StagingFolder(const StagingFolder&) = delete;
    StagingFolder& operator=(const StagingFolder&) = delete;
    ~StagingFolder() {
        if (m_path.empty())
            return;
        std::error_code ec;
        fs::remove_all(m_path, ec);
        removeIfEmpty(m_root);
    }

    const fs::path& path() const { return m_path; }

private:
    StagingFolder(fs::path root, fs::path path) : m_root(std::move(root)), m_path(std::move(path)) {}

    // What an import killed half-way left behind; an hour is far longer than any import runs.
    static void removeLeftovers(const fs::path& root) {
        std::error_code ec;
        auto now = fs::file_time_type::clock::now();
        std::vector<fs::path> stale;
        for (fs::directory_iterator it(root, ec), end; !ec && it != end; it.increment(ec)) {
            std::error_code timeError;
            auto written = it->last_write_time(timeError);
            if (!timeError && now - written > std::chrono::hours(1))
                stale.push_back(it->path());
        }
        for (const fs::path& folder : stale)
            fs::remove_all(folder, ec);
    }

    static void removeIfEmpty(const fs::path& folder) {
        std::error_code ec;
        if (fs::is_empty(folder, ec) && !ec)
            fs::remove(folder, ec);
    }

    fs::path m_root;
    fs::path m_path;
};

bool holdsTheme(const fs::path& folder) {
    return files::exists(folder / pathFromText(kThemeInfoFile)) && files::exists(folder / pathFromText(kThemeSplashFile));
}

// A file that stays read-only cannot be replaced on Windows.
void makeWritable(const fs::path& file) {
    std::error_code ec;
    fs::permissions(file, fs::perms::owner_write, fs::perm_options::add, ec);
}

// Over an existing theme: each staged file replaces its namesake, every other file stays.
Result<void> mergeInto(const fs::path& staged, const fs::path& target) {
    std::error_code ec;
    std::vector<fs::directory_entry> content;
    for (fs::recursive_directory_iterator it(staged, ec), end; !ec && it != end; it.increment(ec))
        content.push_back(*it);
    if (ec)
        return failure("无法读取文件夹：" + textFromPath(staged));
    for (const fs::directory_entry& item : content) {
        fs::path destination = target / item.path().lexically_relative(staged);
        bool isFolder = item.is_directory(ec);
        if (isFolder) {
            if (!files::isDirectory(destination) && !files::createFolder(destination))
                return failure("无法创建文件夹：" + textFromPath(destination));
            continue;
        }
        if (files::isDirectory(destination))
            return failure("无法写入文件：" + textFromPath(destination));
        if (files::exists(destination))
            makeWritable(destination);
        LUMIVEL_TRY(files::moveFileOver(item.path(), destination));
    }
    return {};
}

Result<void> moveIntoPlace(const fs::path& staged, const fs::path& target) {
    if (!files::exists(target))
        return files::renamePath(staged, target);
    if (!files::isDirectory(target))
        return failure("无法创建文件夹：" + textFromPath(target));
    return mergeInto(staged, target);
}

// The target is one plain folder name below its parent: a package named "...zip" or
// ".zip" must not unpack into the themes root or the folder above it.
bool isPlainTarget(const fs::path& target) {
    std::string name = textFromPath(target.filename());
    return !name.empty() && name != "." && isPlainName(name);
}

} // namespace

Result<void> extractThemePackage(const fs::path& package, const fs::path& target) {
    if (package.empty())
        return Error{"没有给出主题包", Error::Kind::Missing};
    if (!files::exists(package) || files::isDirectory(package))
        return Error{"主题包不存在：" + textFromPath(package), Error::Kind::Missing};
    if (!isPlainTarget(target))
        return failure("无法创建文件夹：" + textFromPath(target));
    if (!beginsWithLocalFileHeader(package))
        return failure("不是 zip 主题包：" + textFromPath(package));

    auto archive = openArchive(package);
    if (!archive)
        return archive.error();
    auto entries = planExtraction(archive.value().get(), package);
    if (!entries)
        return entries.error();

    std::error_code ec;
    fs::create_directories(target.parent_path(), ec);
    if (ec)
        return failure("无法创建文件夹：" + textFromPath(target.parent_path()));
    auto staging = StagingFolder::create(target);
    if (!staging)
        return staging.error();
    for (const PlannedEntry& entry : entries.value())
        LUMIVEL_TRY(writeEntry(archive.value().get(), entry, staging.value().path()));
    if (!holdsTheme(staging.value().path()))
        return failure("主题包中没有主题（根目录下要有 " + std::string(kThemeInfoFile) + " 和 " +
                       std::string(kThemeSplashFile) + "）：" + textFromPath(package));
    return moveIntoPlace(staging.value().path(), target);
}

int extractionCode(const Result<void>& extraction) {
    if (extraction)
        return 1;
    return extraction.error().isMissing() ? -1 : 0;
}

} // namespace lumivel
