#include "common/ShiftJis.h"

#include <iconv.h>

#include <cerrno>
#include <vector>

namespace kit {
namespace {

// One conversion through iconv. `stopAt` receives the input offset where conversion failed.
std::optional<std::string> convert(const char* to, const char* from, std::string_view in,
                                   std::size_t* stopAt) {
    iconv_t cd = iconv_open(to, from);
    if (cd == reinterpret_cast<iconv_t>(-1)) {
        if (stopAt) *stopAt = 0;
        return std::nullopt;
    }
    std::string out;
    std::vector<char> inBuf(in.begin(), in.end());
    char* inPtr = inBuf.data();
    std::size_t inLeft = inBuf.size();
    char chunk[1024];
    bool ok = true;
    while (inLeft > 0) {
        char* outPtr = chunk;
        std::size_t outLeft = sizeof chunk;
        std::size_t r = iconv(cd, &inPtr, &inLeft, &outPtr, &outLeft);
        out.append(chunk, static_cast<std::size_t>(outPtr - chunk));
        if (r == static_cast<std::size_t>(-1) && errno != E2BIG) {
            ok = false;
            break;
        }
    }
    if (ok) {
        char* outPtr = chunk;
        std::size_t outLeft = sizeof chunk;
        iconv(cd, nullptr, nullptr, &outPtr, &outLeft);
        out.append(chunk, static_cast<std::size_t>(outPtr - chunk));
    }
    iconv_close(cd);
    if (!ok) {
        if (stopAt) *stopAt = static_cast<std::size_t>(inPtr - inBuf.data());
        return std::nullopt;
    }
    return out;
}

}  // namespace

std::optional<std::string> sjisToUtf8(std::string_view sjis) {
    return convert("UTF-8", "CP932", sjis, nullptr);
}

std::string sjisToUtf8Lossy(std::string_view sjis) {
    std::string out;
    std::size_t i = 0;
    while (i < sjis.size()) {
        std::size_t len = isSjisLeadByte(static_cast<unsigned char>(sjis[i])) ? 2 : 1;
        if (i + len > sjis.size()) len = sjis.size() - i;
        auto piece = convert("UTF-8", "CP932", sjis.substr(i, len), nullptr);
        out += piece ? *piece : std::string("\xEF\xBF\xBD");
        i += len;
    }
    return out;
}

std::optional<std::string> utf8ToSjis(std::string_view utf8, std::size_t* badOffset) {
    return convert("CP932", "UTF-8", utf8, badOffset);
}

}  // namespace kit
