#include "sample_installation/sample_installation.h"

#include "platform/text.h"

#include <png.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <limits>
#include <stdexcept>

// The fake Photoshop.exe programs, embedded at build time: one whose ProductVersion is a
// fixed-width placeholder text, and one without a version resource.
extern const unsigned char kFakePhotoshopExe[];
extern const std::size_t kFakePhotoshopExeSize;
extern const unsigned char kFakePhotoshopExeNoVersion[];
extern const std::size_t kFakePhotoshopExeNoVersionSize;

namespace lumivel::sample {

namespace fs = std::filesystem;

namespace {

constexpr std::string_view kPlaceholder = LUMIVEL_FAKE_VERSION_PLACEHOLDER;

// The index file format, written out here on its own rather than through the program's
// reader and writer, so that tests compare the program against an independent account.
constexpr std::string_view kSignature = "Photoshop Icon Resource Index 1.0\n";
constexpr std::array<std::string_view, 4> kStoreNames = {"PSIconsLowRes.dat", "PSIconsHighRes.dat",
                                                        "PSIconsXLowRes.dat", "PSIconsXHighRes.dat"};
constexpr std::size_t kStoreNameField = 128;

struct RecordShape {
    std::size_t length;       // 208 or 368
    std::size_t offsetsAt;    // the first store's offset field; also the length of the name area
    std::size_t lengthsAt;    // the first store's length field
    std::size_t storeCount;
};
// Each store owns a 32-byte slot among the offsets and one among the lengths. The offset
// slot carries the image's width and height after the offset: bytes the program must
// carry through unchanged, filled here so that a round trip can be seen to keep them.
constexpr std::size_t kSlot = 32;

RecordShape shapeOf(IndexLayout layout) {
    return layout == IndexLayout::FourStore ? RecordShape{368, 112, 240, 4} : RecordShape{208, 80, 144, 2};
}

std::size_t indexOf(DensityFile store) { return static_cast<std::size_t>(store); }
bool isHighRes(DensityFile store) { return store == DensityFile::HighRes || store == DensityFile::XHighRes; }

[[noreturn]] void fail(const fs::path& path, std::string_view what) {
    throw std::runtime_error("sample installation: " + std::string(what) + " " + textFromPath(path));
}

// The builder writes with plain streams rather than the program's file layer: it makes
// fixtures, and must neither count towards nor be failed by the layer's test hook.
class Output {
public:
    explicit Output(const fs::path& path) : m_path(path), m_stream(path, std::ios::binary | std::ios::trunc) {
        if (!m_stream)
            fail(path, "cannot create");
    }
    void write(ByteView bytes) {
        m_stream.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
        if (!m_stream)
            fail(m_path, "cannot write");
        m_written += bytes.size();
    }
    std::uint64_t written() const { return m_written; }
    void close() {
        m_stream.close();
        if (!m_stream)
            fail(m_path, "cannot write");
    }

private:
    fs::path m_path;
    std::ofstream m_stream;
    std::uint64_t m_written = 0;
};

void writeWholeFile(const fs::path& path, ByteView bytes) {
    Output out(path);
    out.write(bytes);
    out.close();
}

std::uint32_t hashOf(std::string_view text) {
    std::uint32_t h = 2166136261u;
    for (char c : text)
        h = (h ^ static_cast<std::uint8_t>(c)) * 16777619u;
    return h;
}

Bytes photoshopExe(const std::string& version) {
    if (version.empty())
        return Bytes(kFakePhotoshopExeNoVersion, kFakePhotoshopExeNoVersion + kFakePhotoshopExeNoVersionSize);
    Bytes exe(kFakePhotoshopExe, kFakePhotoshopExe + kFakePhotoshopExeSize);
    Bytes placeholder = encodeUtf16LE(kPlaceholder);
    Bytes text = encodeUtf16LE(version);
    if (text.size() > placeholder.size())
        throw std::invalid_argument("sample installation: version text longer than 32 characters: " + version);
    auto at = std::search(exe.begin(), exe.end(), placeholder.begin(), placeholder.end());
    if (at == exe.end())
        throw std::logic_error("sample installation: the embedded Photoshop.exe has no version placeholder");
    // The value keeps its declared length; the zero code units after the text end it.
    text.resize(placeholder.size(), 0);
    std::copy(text.begin(), text.end(), at);
    return exe;
}

Bytes indexHeaderBytes(std::size_t storeCount) {
    Bytes header(kSignature.begin(), kSignature.end());
    for (std::size_t s = 0; s < storeCount; ++s) {
        Bytes field(kStoreNameField, 0);
        std::copy(kStoreNames[s].begin(), kStoreNames[s].end(), field.begin());
        field.back() = '\n';
        append(header, field);
    }
    return header;
}

// One index entry while the sample is made: its images per store, and where they went.
struct PlannedEntry {
    std::string name;
    std::array<const Bytes*, 4> images{};
    std::array<std::array<int, 2>, 4> sizes{};  // width, height per store
    std::array<std::int32_t, 4> offsets{};
};

Bytes recordOf(const PlannedEntry& entry, std::size_t number, const RecordShape& shape) {
    Bytes record(shape.length);
    for (std::size_t i = 0; i < record.size(); ++i)
        record[i] = static_cast<std::uint8_t>(0x80 | ((i + number) & 0x7F));
    if (entry.name.size() >= shape.offsetsAt)
        throw std::invalid_argument("sample installation: entry name too long: " + entry.name);
    std::copy(entry.name.begin(), entry.name.end(), record.begin());
    record[entry.name.size()] = 0;
    for (std::size_t s = 0; s < shape.storeCount; ++s) {
        std::size_t offsetField = shape.offsetsAt + s * kSlot;
        writeInt32LE(record, offsetField, entry.offsets[s]);
        writeInt32LE(record, offsetField + 4, entry.sizes[s][0]);
        writeInt32LE(record, offsetField + 8, entry.sizes[s][1]);
        writeInt32LE(record, shape.lengthsAt + s * kSlot, static_cast<std::int32_t>(entry.images[s]->size()));
    }
    return record;
}

// Filler bytes come from a fixed pseudo-random block that is written again and again,
// so a store of any size is written without holding it in memory.
const Bytes& fillerBlock() {
    static const Bytes block = [] {
        Bytes b(1 << 20);
        std::uint32_t x = 0x2545F491u;
        for (auto& byte : b) {
            x ^= x << 13;
            x ^= x >> 17;
            x ^= x << 5;
            byte = static_cast<std::uint8_t>(x);
        }
        return b;
    }();
    return block;
}

void writeFiller(Output& out, std::uint64_t count) {
    const Bytes& block = fillerBlock();
    while (count > 0) {
        std::size_t n = static_cast<std::size_t>(std::min<std::uint64_t>(count, block.size()));
        out.write(ByteView(block).first(n));
        count -= n;
    }
}

std::string fillerName(std::size_t number) {
    char text[32];
    std::snprintf(text, sizeof text, "PS_filler_%04zu", number);
    return text;
}

} // namespace

Bytes pngImage(int width, int height, std::uint32_t seed) {
    if (width <= 0 || height <= 0)
        throw std::invalid_argument("sample installation: image size must be positive");
    auto channel = [&](int shift) { return static_cast<std::uint8_t>((seed * 2654435761u) >> shift); };
    const std::uint8_t base[3] = {channel(24), channel(16), channel(8)};
    const int stripe = 3 + static_cast<int>(seed % 7);
    std::vector<std::uint8_t> pixels(std::size_t(width) * height * 4);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            std::uint8_t* p = &pixels[(std::size_t(y) * width + x) * 4];
            bool band = ((x + y) / stripe) % 2 == 0;
            for (int c = 0; c < 3; ++c)
                p[c] = static_cast<std::uint8_t>(band ? base[c] : 255 - base[c]) ^ static_cast<std::uint8_t>(x * 255 / width / 4);
            // A one-pixel transparent margin, as icons have.
            bool margin = x == 0 || y == 0 || x == width - 1 || y == height - 1;
            p[3] = margin ? 0 : 255;
        }
    }
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    image.width = static_cast<png_uint_32>(width);
    image.height = static_cast<png_uint_32>(height);
    image.format = PNG_FORMAT_RGBA;
    png_alloc_size_t size = 0;
    if (!png_image_write_to_memory(&image, nullptr, &size, 0, pixels.data(), 0, nullptr))
        throw std::runtime_error(std::string("sample installation: PNG encoding failed: ") + image.message);
    Bytes png(size);
    if (!png_image_write_to_memory(&image, png.data(), &size, 0, pixels.data(), 0, nullptr))
        throw std::runtime_error(std::string("sample installation: PNG encoding failed: ") + image.message);
    png.resize(size);
    return png;
}

const std::vector<DictionaryLine>& dictionaryLines() {
    static const std::vector<DictionaryLine> lines = {
        {"$$$/Menu/File", "文件(&F)"},
        {"$$$/Menu/Edit", "编辑(&E)"},
        {"$$$/Menu/Image", "图像(&I)"},
        {"$$$/Menu/Layer", "图层(&L)"},
        {"$$$/Menu/Window", "窗口(&W)"},
        {"$$$/private/Credits/Legal/CopyrightTwoLine", "© 1990-2015 Adobe Systems Incorporated 及其许可方。保留所有权利。"},
        {"$$$/About/ReleaseX", "版本 CC 2015"},
        {"$$$/Credits/Artwork/ArtworkBy", "启动画面作品："},
        {"$$$/private/Credits/AutoGen/101000", "项目负责人"},
        {"$$$/private/Credits/AutoGen/101010", "工程团队"},
        {"$$$/private/Credits/AutoGen/101020", "产品管理"},
        {"$$$/private/Credits/AutoGen/101030", "用户界面设计"},
        {"$$$/private/Credits/AutoGen/101040", "质量保证"},
        {"$$$/private/Credits/AutoGen/101050", "文档编写"},
        {"$$$/private/Credits/AutoGen/101060", "本地化"},
        {"$$$/private/Credits/AutoGen/101070", "国际化工程"},
        {"$$$/private/Credits/AutoGen/101080", "性能优化"},
        {"$$$/private/Credits/AutoGen/101090", "色彩管理"},
        {"$$$/private/Credits/AutoGen/101100", "三维功能"},
        {"$$$/private/Credits/AutoGen/101110", "视频功能"},
        {"$$$/private/Credits/AutoGen/101120", "增效工具开发"},
        {"$$$/private/Credits/AutoGen/101130", "技术支持"},
        {"$$$/private/Credits/AutoGen/101140", "特别鸣谢"},
        {"$$$/private/Credits/RotatingNames/AdaQuill", "艾达·奎尔"},
        {"$$$/private/Credits/RotatingNames/BenitoMarsh", "贝尼托·马什"},
        {"$$$/private/Credits/RotatingNames/CoraLinden", "科拉·林登"},
        {"$$$/private/Credits/RotatingNames/DmitriVale", "德米特里·韦尔"},
        {"$$$/private/Credits/RotatingNames/EllisRowan", "埃利斯·罗恩"},
        {"$$$/private/Credits/RotatingNames/FionaBrack", "菲奥娜·布拉克"},
        {"$$$/private/Credits/RotatingNames/GideonHale", "吉迪恩·黑尔"},
        {"$$$/private/Credits/RotatingNames/HarperNye", "哈珀·奈"},
        {"$$$/private/Credits/RotatingNames/IsoldeCrane", "伊索尔德·克兰"},
        {"$$$/private/Credits/RotatingNames/JunoPell", "朱诺·佩尔"},
        {"$$$/private/Credits/RotatingNames/KaitoWren", "凯托·雷恩"},
        {"$$$/private/Credits/RotatingNames/LioraFinch", "莉奥拉·芬奇"},
        {"$$$/private/Credits/RotatingNames/MilesThorne", "迈尔斯·索恩"},
        {"$$$/private/Credits/RotatingNames/NoraQuince", "诺拉·昆斯"},
        {"$$$/private/Credits/RotatingNames/OrrenSlate", "奥伦·斯莱特"},
        {"$$$/FontServer/Splash/Reading", "正在读取字体..."},
        {"$$$/FontServer/Splash/ScanDone", "字体扫描完成"},
        {"$$$/FontServer/Splash/Sorting", "正在排序字体..."},
        {"$$$/FontServer/Splash/SortingDone", "字体排序完成"},
        {"$$$/Splash/AddingExtension", "正在添加扩展..."},
        {"$$$/Splash/BuildingConversionTables", "正在建立转换表..."},
        {"$$$/Splash/BuildingMenus", "正在建立菜单..."},
        {"$$$/Splash/FindingSystemProfiles", "正在查找系统配置文件..."},
        {"$$$/Splash/Initializing", "正在初始化..."},
        {"$$$/Splash/InitializingAXE", "正在初始化 AXE..."},
        {"$$$/Splash/InitializingAssetManagement", "正在初始化资源管理..."},
        {"$$$/Splash/InitializingColorPrefs", "正在初始化颜色首选项..."},
        {"$$$/Splash/InitializingCoreTech", "正在初始化核心技术..."},
        {"$$$/Splash/InitializingICC", "正在初始化 ICC..."},
        {"$$$/Splash/InitializingMenus", "正在初始化菜单..."},
        {"$$$/Splash/InitializingPalettes", "正在初始化面板..."},
        {"$$$/Splash/InitializingSuitePea", "正在初始化套件..."},
        {"$$$/Splash/InitializingTools", "正在初始化工具..."},
        {"$$$/Splash/InitializingTwain", "正在初始化 TWAIN..."},
        {"$$$/Splash/InitializingVM", "正在初始化虚拟内存..."},
        {"$$$/Splash/LoadingBrushes", "正在载入画笔..."},
        {"$$$/Splash/LookingForPrefs", "正在查找首选项..."},
        {"$$$/Splash/ReadingBrushes", "正在读取画笔..."},
        {"$$$/Splash/ReadingColorSettings", "正在读取颜色设置..."},
        {"$$$/Splash/ReadingPrefs", "正在读取首选项..."},
        {"$$$/Splash/ReadingPrefsObjectID", "正在读取首选项对象..."},
        {"$$$/Splash/ScanningForPlugIns", "正在扫描增效工具..."},
        {"$$$/Splash/ScanningForPlugIns/NameAppended", "正在扫描增效工具：^0"},
        {"$$$/Splash/ScanningForPresets", "正在扫描预设..."},
        {"$$$/Splash/StartingUpPlugIns", "正在启动增效工具..."},
        {"$$$/Dialog/OK", "确定"},
        {"$$$/Dialog/Cancel", "取消"},
        {"$$$/Panel/Layers", "图层"},
        {"$$$/Panel/History", "历史记录"},
    };
    return lines;
}

Bytes dictionaryBytes() {
    Bytes bytes = {0xFF, 0xFE};
    for (const DictionaryLine& line : dictionaryLines())
        append(bytes, encodeUtf16LE("\"" + std::string(line.key) + "=" + std::string(line.value) + "\"\r\n"));
    return bytes;
}

fs::path SampleInstallation::store(DensityFile density) const { return resourcesFolder / kStoreNames[indexOf(density)]; }

std::vector<DensityFile> SampleInstallation::stores() const {
    if (layout == IndexLayout::FourStore)
        return {DensityFile::LowRes, DensityFile::HighRes, DensityFile::XLowRes, DensityFile::XHighRes};
    return {DensityFile::LowRes, DensityFile::HighRes};
}

const SampleEntry& SampleInstallation::entry(std::string_view name) const {
    for (const SampleEntry& e : entries)
        if (e.name == name)
            return e;
    throw std::out_of_range("sample installation: no entry " + std::string(name));
}

SampleInstallation createSampleInstallation(const fs::path& root, const SampleOptions& options) {
    SampleInstallation sample;
    sample.root = root;
    sample.executable = root / "Photoshop.exe";
    sample.resourcesFolder = root / "Resources";
    sample.indexFile = sample.resourcesFolder / "IconResources.idx";
    fs::path dictionaryFolder = root / "Locales" / "zh_CN" / "Support Files";
    sample.dictionaryFile = dictionaryFolder / "tw10428.dat";
    sample.layout = options.fourStores ? IndexLayout::FourStore : IndexLayout::TwoStore;
    const RecordShape shape = shapeOf(sample.layout);
    const std::vector<DensityFile> stores = sample.stores();

    fs::create_directories(sample.resourcesFolder);
    fs::create_directories(dictionaryFolder);
    writeWholeFile(sample.executable, photoshopExe(options.productVersion));
    writeWholeFile(sample.dictionaryFile, dictionaryBytes());

    // The three changeable entries get images of their own; filler entries take turns
    // with a few small shared pictures, which keeps thousands of entries quick to make.
    struct Changeable {
        std::string_view name;
        int width, height;
    };
    const Changeable changeable[] = {{kSplashEntry, options.splashWidth, options.splashHeight},
                                     {kDarkIconEntry, options.iconSize, options.iconSize},
                                     {kLightIconEntry, options.iconSize, options.iconSize}};
    sample.entries.resize(3);
    for (std::size_t i = 0; i < 3; ++i) {
        SampleEntry& e = sample.entries[i];
        e.name = changeable[i].name;
        for (DensityFile s : stores) {
            int scale = isHighRes(s) ? 2 : 1;
            e.images[indexOf(s)] = pngImage(changeable[i].width * scale, changeable[i].height * scale,
                                            hashOf(e.name) + 0x9E3779B9u * (indexOf(s) + 1));
        }
    }
    constexpr std::size_t kFillerPictures = 16;
    std::array<std::vector<Bytes>, 4> fillerPictures;
    for (DensityFile s : stores)
        for (std::size_t k = 0; k < kFillerPictures; ++k)
            fillerPictures[indexOf(s)].push_back(pngImage(isHighRes(s) ? 32 : 16, isHighRes(s) ? 32 : 16,
                                                          static_cast<std::uint32_t>(1000 + 31 * k + indexOf(s))));

    // Index order: half of the filler entries, the three changeable ones, the rest. The
    // stores hold the images in the same order, with the filler bytes right before the
    // changeable entries' images, so those lie far into a large store.
    std::vector<PlannedEntry> planned;
    const std::size_t before = options.fillerEntries / 2;
    auto addFiller = [&](std::size_t number) {
        PlannedEntry p;
        p.name = fillerName(number);
        for (DensityFile s : stores) {
            int side = isHighRes(s) ? 32 : 16;
            p.images[indexOf(s)] = &fillerPictures[indexOf(s)][number % kFillerPictures];
            p.sizes[indexOf(s)] = {side, side};
        }
        planned.push_back(std::move(p));
    };
    for (std::size_t n = 1; n <= before; ++n)
        addFiller(n);
    const std::size_t firstChangeable = planned.size();
    for (std::size_t i = 0; i < 3; ++i) {
        PlannedEntry p;
        p.name = sample.entries[i].name;
        for (DensityFile s : stores) {
            int scale = isHighRes(s) ? 2 : 1;
            p.images[indexOf(s)] = &sample.entries[i].images[indexOf(s)];
            p.sizes[indexOf(s)] = {changeable[i].width * scale, changeable[i].height * scale};
        }
        planned.push_back(std::move(p));
        sample.entries[i].position = planned.size();
    }
    for (std::size_t n = before + 1; n <= options.fillerEntries; ++n)
        addFiller(n);

    for (DensityFile s : stores) {
        fs::path path = sample.store(s);
        Output out(path);
        for (std::size_t i = 0; i < planned.size(); ++i) {
            if (i == firstChangeable)
                writeFiller(out, options.storeFillerBytes * (isHighRes(s) ? 3 : 1));
            const Bytes& image = *planned[i].images[indexOf(s)];
            if (out.written() + image.size() > std::uint64_t(std::numeric_limits<std::int32_t>::max()))
                fail(path, "would reach 2 GiB, more than the index can address:");
            planned[i].offsets[indexOf(s)] = static_cast<std::int32_t>(out.written());
            out.write(image);
        }
        out.close();
    }

    // A two-store sample written over a four-store one keeps no stale X stores.
    if (sample.layout == IndexLayout::TwoStore)
        for (DensityFile s : {DensityFile::XLowRes, DensityFile::XHighRes})
            fs::remove(sample.store(s));

    Output index(sample.indexFile);
    index.write(indexHeaderBytes(shape.storeCount));
    for (std::size_t i = 0; i < planned.size(); ++i)
        index.write(recordOf(planned[i], i, shape));
    index.close();

    for (std::size_t i = 0; i < 3; ++i)
        sample.entries[i].offsets = planned[firstChangeable + i].offsets;
    sample.entryCount = planned.size();
    return sample;
}

} // namespace lumivel::sample
