// The product-version reader on arbitrary executable bytes: it finds a version text or
// none, never reads outside the bytes, and the verdict on any text is a plain number.
#include "fuzz_support.h"
#include "installation/product_version.h"

#include <cmath>
#include <cstddef>
#include <cstdint>

using namespace lumivel;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::string version = productVersionOf(ByteView(data, size));
    float number = versionNumberOf(version);
    (void)isSuitableVersion(number);
    // The raw bytes as a version text too: the number is read from any text.
    (void)versionNumberOf(std::string_view(reinterpret_cast<const char*>(data), size));
    return 0;
}
