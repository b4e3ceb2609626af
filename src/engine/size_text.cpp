#include "engine/size_text.h"

namespace reelvane {

std::string SizeText(std::uint64_t bytes)
{
    static const char* const kUnits[] = {"B", "KB", "MB", "GB", "TB"};
    std::uint64_t v = bytes;
    std::uint64_t r = 0;
    int u = 0;
    while (v >= 1024 && u < 4) {
        r = v % 1024;
        v /= 1024;
        ++u;
    }
    const std::uint64_t h = (r * 100) / 1024;
    std::string text = std::to_string(v);
    if (h > 0) {
        text += '.';
        if (h < 10) text += '0';
        text += std::to_string(h);
    }
    return text + kUnits[u];
}

}  // namespace reelvane
