// The INI reader that setting.ini and every theme's info.ini go through, on arbitrary file
// bytes: decoding never crashes, and a key set in the document reads back as set, also after
// the document was written out and read again.
#include "fuzz_support.h"
#include "platform/ini.h"
#include "platform/text.h"

#include <cstddef>
#include <cstdint>

using namespace lumivel;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::string text = decodeTextFile(ByteView(data, size));
    IniDocument document = IniDocument::parse(text);
    for (std::string_view section : {"Lumivel_theme", "lumivel", ""})
        for (std::string_view key : {"info", "by", "loadtext", "photoshop", ""})
            (void)document.value(section, key, "fallback");

    document.setValue("Lumivel_theme", "info", "星夜 fuzz");
    LUMIVEL_FUZZ_CHECK(document.value("lumivel_THEME", "INFO") == "星夜 fuzz");
    IniDocument reread = IniDocument::parse(document.toText());
    LUMIVEL_FUZZ_CHECK(reread.value("Lumivel_theme", "info") == "星夜 fuzz");
    // What the file would hold: UTF-16LE with its mark, read back the way files are read.
    IniDocument fromFile = IniDocument::parse(decodeTextFile(encodeUtf16LEWithBom(document.toText())));
    LUMIVEL_FUZZ_CHECK(fromFile.value("Lumivel_theme", "info") == "星夜 fuzz");
    return 0;
}
