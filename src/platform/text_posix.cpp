#include "platform/text.h"

#include <iconv.h>

#include <cerrno>

namespace lumivel {

std::optional<std::string> gbkToUtf8(std::string_view gbk) {
    iconv_t converter = iconv_open("UTF-8", "GBK");
    if (converter == reinterpret_cast<iconv_t>(-1))
        return std::nullopt;
    std::string in(gbk);
    std::string out(in.size() * 2 + 4, '\0');
    char* inPtr = in.data();
    std::size_t inLeft = in.size();
    char* outPtr = out.data();
    std::size_t outLeft = out.size();
    std::size_t done = iconv(converter, &inPtr, &inLeft, &outPtr, &outLeft);
    iconv_close(converter);
    if (done == static_cast<std::size_t>(-1) || inLeft != 0)
        return std::nullopt;
    out.resize(out.size() - outLeft);
    return out;
}

} // namespace lumivel
