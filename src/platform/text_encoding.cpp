#include "platform/text_encoding.h"

#include <cerrno>
#include <iconv.h>

namespace qeli::platform {

namespace {

// Converts what iconv accepts; on a byte it cannot convert, `onInvalid` decides (skip and mark, or fail).
template <typename OnInvalid>
bool convert(const char* to, const char* from, std::string_view in, std::string& out, OnInvalid onInvalid) {
    iconv_t cd = iconv_open(to, from);
    if (cd == reinterpret_cast<iconv_t>(-1)) return false;
    char* src = const_cast<char*>(in.data());
    size_t srcLeft = in.size();
    char buffer[1024];
    bool ok = true;
    while (srcLeft > 0) {
        char* dst = buffer;
        size_t dstLeft = sizeof buffer;
        size_t r = iconv(cd, &src, &srcLeft, &dst, &dstLeft);
        out.append(buffer, dst);
        if (r != static_cast<size_t>(-1)) continue;
        if (errno == E2BIG) continue;
        if (!onInvalid(out)) {
            ok = false;
            break;
        }
        ++src;
        --srcLeft;
    }
    iconv_close(cd);
    return ok;
}

}  // namespace

std::string cp932ToUtf8(std::string_view cp932) {
    std::string out;
    out.reserve(cp932.size() * 3 / 2);
    convert("UTF-8", "CP932", cp932, out, [](std::string& o) {
        o += "\xEF\xBF\xBD";
        return true;
    });
    return out;
}

std::optional<std::string> utf8ToCp932(std::string_view utf8) {
    std::string out;
    if (!convert("CP932", "UTF-8", utf8, out, [](std::string&) { return false; })) return std::nullopt;
    return out;
}

}  // namespace qeli::platform
