// The icon resource index loader on arbitrary bytes: it takes a file or refuses it, never
// crashes, keeps the wait cursor balanced, and what it takes it writes back as an index that
// loads to the same entries.
//
// One exception, found by this target and kept because the layout rule is the format's own:
// a file taken as two-store because its header is not exactly the four-store one, whose first
// records begin with the bytes of the X stores' header fields, is written back with the fixed
// two-store header and then reads as four-store (or is refused for its length as one). Only
// such a file may change its layout.
#include "fuzz_support.h"
#include "iconres/icon_resource_index.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>

using namespace lumivel;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    // The program's index as the window holds it: a refusal leaves it as it was.
    fuzz::SilentUi ui;
    IconResourceIndex held;
    bool taken = held.load(ByteView(data, size), ui).ok();
    LUMIVEL_FUZZ_CHECK(ui.cursorDepth == 0);
    LUMIVEL_FUZZ_CHECK(taken || held.entries().empty());

    auto loaded = IconResourceIndex::fromBytes(ByteView(data, size));
    LUMIVEL_FUZZ_CHECK(loaded.ok() == taken);
    if (!loaded.ok())
        return 0;
    const IconResourceIndex& index = loaded.value();
    std::size_t header = headerLengthOf(index.layout()), record = recordLengthOf(index.layout());
    LUMIVEL_FUZZ_CHECK(index.entries().size() == (size > header ? (size - header) / record : 0));

    Bytes written = index.serialize();
    LUMIVEL_FUZZ_CHECK(written.size() == header + index.entries().size() * record);
    auto readBack = IconResourceIndex::fromBytes(written);
    if (!readBack.ok() || readBack.value().layout() != index.layout()) {
        // Read back as four-store: taken with other records, or refused for its length.
        Bytes fourStoreHeader = indexHeader(IndexLayout::FourStore);
        LUMIVEL_FUZZ_CHECK(index.layout() == IndexLayout::TwoStore && written.size() >= fourStoreHeader.size() &&
                           std::equal(fourStoreHeader.begin(), fourStoreHeader.end(), written.begin()));
        return 0;
    }
    const IconResourceIndex& again = readBack.value();
    LUMIVEL_FUZZ_CHECK(again.entries().size() == index.entries().size());
    for (std::size_t i = 0; i < index.entries().size(); ++i) {
        const IconResourceEntry& entry = index.entries()[i];
        LUMIVEL_FUZZ_CHECK(again.entries()[i].bytes() == entry.bytes());
        auto position = index.positionOf(entry.name());
        LUMIVEL_FUZZ_CHECK(position && *position <= i + 1);
        for (DensityFile density : {DensityFile::LowRes, DensityFile::HighRes})
            (void)entry.offset(density), (void)entry.length(density);
    }
    return 0;
}
