#include "platform/files.h"

#include "platform/files_replace.h"
#include "platform/text.h"

#include <atomic>
#include <charconv>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <optional>
#include <random>
#include <string>
#include <string_view>
#include <vector>

namespace lumivel::files {

namespace {

// The fault hook is a test seam of the file layer only; the program itself never sets it.
struct FaultHook {
    int failAt = 0;
    int count = 0;
};

FaultHook& faultHook() {
    static FaultHook hook;
    return hook;
}

// The kill hook, like the fault hook, is set only by tests (lumivel-cli's test variable).
struct KillHook {
    int killAt = 0;
    int count = 0;
};

KillHook& killHook() {
    static KillHook hook;
    return hook;
}

void killPoint() {
    KillHook& hook = killHook();
    if (++hook.count == hook.killAt)
        detail::endProcessAbruptly();
}

bool injectedFault() {
    killPoint();
    FaultHook& hook = faultHook();
    ++hook.count;
    return hook.failAt != 0 && hook.count == hook.failAt;
}

std::string shown(const fs::path& path) { return textFromPath(path); }

Error missingError(const fs::path& path) { return {"文件不存在：" + shown(path), Error::Kind::Missing}; }
Error readError(const fs::path& path) { return {"无法读取文件：" + shown(path)}; }
Error writeError(const fs::path& path) { return {"无法写入文件：" + shown(path)}; }

std::error_code ignoredError;

fs::path folderOf(const fs::path& target) {
    return target.parent_path().empty() ? fs::path(".") : target.parent_path();
}

constexpr std::string_view kTemporaryPrefix = "~";
constexpr std::string_view kTemporarySuffix = ".lumivel-tmp";

// A name beside the target that no other writer uses, in this process or another;
// removed by the destructor unless the write was committed.
class TemporaryFile {
public:
    explicit TemporaryFile(const fs::path& target) {
        removeStaleTemporaries(folderOf(target));
        fs::path name = fs::path(std::string(kTemporaryPrefix)) += target.filename();
        name += "." + uniqueNameTag() + std::string(kTemporarySuffix);
        m_path = target.parent_path() / name;
    }
    TemporaryFile(const TemporaryFile&) = delete;
    TemporaryFile& operator=(const TemporaryFile&) = delete;
    ~TemporaryFile() {
        if (!m_committed)
            fs::remove(m_path, ignoredError);
    }

    const fs::path& path() const { return m_path; }

    Result<void> commitOver(const fs::path& target) {
        killPoint();
        if (!detail::flushToDisk(m_path))
            return writeError(target);
        LUMIVEL_TRY(detail::replaceWithTemporary(m_path, target));
        m_committed = true;
        return {};
    }

private:
    fs::path m_path;
    bool m_committed = false;
};

bool writeAll(const fs::path& path, std::initializer_list<ByteView> parts, std::ios::openmode mode) {
    std::ofstream out(path, std::ios::binary | mode);
    if (!out)
        return false;
    for (ByteView bytes : parts)
        out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    out.flush();
    return static_cast<bool>(out);
}

// The first half of the bytes is on its way to the disk before the second follows, so
// that a kill point between them finds a half-appended image, as a crash mid-write would.
bool appendInTwoHalves(const fs::path& path, ByteView bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::app);
    if (!out)
        return false;
    std::size_t half = bytes.size() / 2;
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(half));
    out.flush();
    killPoint();
    out.write(reinterpret_cast<const char*>(bytes.data() + half), static_cast<std::streamsize>(bytes.size() - half));
    out.flush();
    return static_cast<bool>(out);
}

} // namespace

namespace {

// What a temporary file's name says about its writer: nothing when the name is not one of
// this program's temporary files; else the process id in its tag, none for the bare
// counter that earlier versions wrote.
struct TemporaryWriter {
    std::optional<unsigned long> processId;
};

std::optional<TemporaryWriter> writerOfTemporary(const std::string& name) {
    if (!name.starts_with(kTemporaryPrefix) || !name.ends_with(kTemporarySuffix))
        return std::nullopt;
    std::string_view stem(name);
    stem.remove_suffix(kTemporarySuffix.size());
    auto dot = stem.rfind('.');
    if (dot == std::string_view::npos || dot < kTemporaryPrefix.size() + 1)
        return std::nullopt;
    std::string_view tag = stem.substr(dot + 1);
    auto digits = [](std::string_view text) {
        return !text.empty() && text.find_first_not_of("0123456789") == std::string_view::npos;
    };
    if (digits(tag))
        return TemporaryWriter{};
    // "<pid>-<counter>-<random hex>"
    auto first = tag.find('-');
    auto second = first == std::string_view::npos ? first : tag.find('-', first + 1);
    if (second == std::string_view::npos || !digits(tag.substr(0, first)) ||
        !digits(tag.substr(first + 1, second - first - 1)) || tag.size() == second + 1 ||
        tag.substr(second + 1).find_first_not_of("0123456789abcdef") != std::string_view::npos)
        return std::nullopt;
    unsigned long processId = 0;
    auto [end, error] = std::from_chars(tag.data(), tag.data() + first, processId);
    if (error != std::errc())
        return std::nullopt;
    return TemporaryWriter{processId};
}

// A writer keeps its temporary file for the seconds a copy takes; one untouched for an hour
// is left over whatever its name says (its process id may have been given to another).
constexpr auto kAbandonedAfter = std::chrono::hours(1);

bool isStale(const fs::directory_entry& entry, const TemporaryWriter& writer) {
    if (!writer.processId || *writer.processId == detail::currentProcessId() ||
        !detail::processIsRunning(*writer.processId))
        return true;
    std::error_code ec;
    auto written = entry.last_write_time(ec);
    return !ec && fs::file_time_type::clock::now() - written > kAbandonedAfter;
}

} // namespace

std::string uniqueNameTag() {
    static std::atomic<unsigned> counter{0};
    static const std::uint32_t random = [] {
        std::random_device device;
        return static_cast<std::uint32_t>(device());
    }();
    char hex[9];
    std::snprintf(hex, sizeof hex, "%08x", random);
    return std::to_string(detail::currentProcessId()) + "-" + std::to_string(++counter) + "-" + hex;
}

void removeStaleTemporaries(const fs::path& folder) {
    std::error_code ec;
    for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
        std::error_code typeError;
        if (!it->is_regular_file(typeError))
            continue;
        auto writer = writerOfTemporary(textFromPath(it->path().filename()));
        if (writer && isStale(*it, *writer))
            fs::remove(it->path(), ignoredError);
    }
}

void failOperationForTesting(int n) {
    faultHook() = FaultHook{n, 0};
}

int operationCountForTesting() { return faultHook().count; }

void killAtPointForTesting(int n) { killHook() = KillHook{n, 0}; }

int killPointCountForTesting() { return killHook().count; }

bool exists(const fs::path& path) {
    std::error_code ec;
    return fs::symlink_status(path, ec).type() != fs::file_type::not_found && !ec;
}

bool isDirectory(const fs::path& path) {
    std::error_code ec;
    return fs::is_directory(path, ec);
}

Result<std::uint64_t> fileSize(const fs::path& path) {
    if (injectedFault())
        return readError(path);
    std::error_code ec;
    auto status = fs::status(path, ec);
    if (status.type() == fs::file_type::not_found)
        return missingError(path);
    if (ec || !fs::is_regular_file(status))
        return readError(path);
    auto size = fs::file_size(path, ec);
    if (ec)
        return readError(path);
    return static_cast<std::uint64_t>(size);
}

namespace {

// Opens an existing regular file for reading; the error tells missing from unreadable.
Result<std::ifstream> openForReading(const fs::path& path) {
    if (injectedFault())
        return readError(path);
    if (!files::exists(path))
        return missingError(path);
    std::error_code ec;
    if (fs::is_directory(path, ec))
        return readError(path);
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return readError(path);
    return in;
}

} // namespace

Result<Bytes> readFileRange(const fs::path& path, std::uint64_t offset, std::uint64_t length) {
    auto opened = openForReading(path);
    if (!opened)
        return opened.error();
    std::ifstream& in = opened.value();
    in.seekg(0, std::ios::end);
    auto end = static_cast<std::uint64_t>(std::streamoff(in.tellg()));
    if (!in)
        return readError(path);
    if (offset >= end)
        return Bytes{};
    std::uint64_t available = std::min<std::uint64_t>(length, end - offset);
    Bytes bytes(static_cast<std::size_t>(available));
    in.seekg(static_cast<std::streamoff>(offset));
    in.read(reinterpret_cast<char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    if (static_cast<std::uint64_t>(in.gcount()) != available)
        return readError(path);
    return bytes;
}

Result<Bytes> readFile(const fs::path& path) {
    auto opened = openForReading(path);
    if (!opened)
        return opened.error();
    std::ifstream& in = opened.value();
    // The size the file has now is read in one go; the loop takes whatever may follow,
    // as the size may not be known in advance (or may change).
    Bytes bytes;
    std::error_code ec;
    auto expected = fs::file_size(path, ec);
    if (!ec && expected > 0) {
        bytes.resize(static_cast<std::size_t>(expected));
        in.read(reinterpret_cast<char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
        bytes.resize(static_cast<std::size_t>(in.gcount()));
    }
    char chunk[1 << 16];
    while (in.read(chunk, sizeof chunk) || in.gcount() > 0)
        bytes.insert(bytes.end(), chunk, chunk + in.gcount());
    if (in.bad())
        return readError(path);
    return bytes;
}

Bytes readFileOrEmpty(const fs::path& path) {
    auto result = readFile(path);
    return result.ok() ? std::move(result).value() : Bytes{};
}

Result<void> writeFileAtomic(const fs::path& path, ByteView bytes) { return writeFileAtomic(path, {bytes}); }

Result<void> writeFileAtomic(const fs::path& path, std::initializer_list<ByteView> parts) {
    if (injectedFault())
        return writeError(path);
    TemporaryFile temporary(path);
    if (!writeAll(temporary.path(), parts, std::ios::trunc))
        return writeError(path);
    return temporary.commitOver(path);
}

Result<void> copyFileAtomic(const fs::path& from, const fs::path& to) {
    if (injectedFault())
        return writeError(to);
    std::error_code ec;
    if (!fs::is_regular_file(from, ec))
        return files::exists(from) ? readError(from) : missingError(from);
    TemporaryFile temporary(to);
    if (!fs::copy_file(from, temporary.path(), fs::copy_options::overwrite_existing, ec) || ec)
        return writeError(to);
    return temporary.commitOver(to);
}

Result<void> appendToFile(const fs::path& path, ByteView bytes) {
    if (injectedFault())
        return writeError(path);
    removeStaleTemporaries(folderOf(path));
    std::error_code ec;
    auto oldSize = fs::file_size(path, ec);
    if (ec)
        return files::exists(path) ? readError(path) : missingError(path);
    if (appendInTwoHalves(path, bytes) && detail::flushToDisk(path))
        return {};
    // Cut the store back so that nothing half-appended stays behind.
    fs::resize_file(path, oldSize, ec);
    return writeError(path);
}

Result<bool> beginsWithContentOf(const fs::path& file, const fs::path& prefix) {
    auto whole = openForReading(file);
    if (!whole)
        return whole.error();
    auto start = openForReading(prefix);
    if (!start)
        return start.error();
    constexpr std::size_t kChunk = 1 << 20;
    std::vector<char> a(kChunk), b(kChunk);
    while (true) {
        start.value().read(b.data(), kChunk);
        auto wanted = start.value().gcount();
        if (wanted == 0)
            return !start.value().bad();
        whole.value().read(a.data(), wanted);
        if (whole.value().gcount() != wanted)
            return whole.value().bad() ? Result<bool>(readError(file)) : Result<bool>(false);
        if (std::memcmp(a.data(), b.data(), static_cast<std::size_t>(wanted)) != 0)
            return false;
    }
}

Result<void> truncateFile(const fs::path& path, std::uint64_t length) {
    if (injectedFault())
        return writeError(path);
    removeStaleTemporaries(folderOf(path));
    std::error_code ec;
    fs::resize_file(path, length, ec);
    if (ec || !detail::flushToDisk(path))
        return writeError(path);
    return {};
}

Result<void> createFolder(const fs::path& path) {
    if (injectedFault())
        return Error{"无法创建文件夹：" + shown(path)};
    std::error_code ec;
    if (files::exists(path) || !fs::create_directory(path, ec) || ec)
        return Error{"无法创建文件夹：" + shown(path)};
    return {};
}

Result<void> removeTree(const fs::path& path) {
    if (injectedFault())
        return Error{"无法删除文件夹：" + shown(path)};
    std::error_code ec;
    fs::remove_all(path, ec);
    if (ec || files::exists(path))
        return Error{"无法删除文件夹：" + shown(path)};
    return {};
}

Result<void> renamePath(const fs::path& from, const fs::path& to) {
    if (injectedFault() || files::exists(to))
        return Error{"无法重命名：" + shown(from)};
    std::error_code ec;
    fs::rename(from, to, ec);
    if (ec)
        return Error{"无法重命名：" + shown(from)};
    return {};
}

Result<void> moveFileOver(const fs::path& from, const fs::path& to) {
    if (injectedFault())
        return writeError(to);
    return detail::replaceWithTemporary(from, to);
}

} // namespace lumivel::files
