#include "engine/sector_text.h"

#include <limits>

#include "engine/sector_test.h"
#include "platform/errors.h"

namespace reelvane {

std::int64_t StrToInt64(const std::string& text)
{
    const auto invalid = [&text] { return Error("'" + text + "' is not a valid integer value"); };
    std::size_t i = 0;
    while (i < text.size() && text[i] == ' ') ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '-' || text[i] == '+')) {
        negative = text[i] == '-';
        ++i;
    }
    if (i == text.size()) throw invalid();
    // Accumulate as a negative number so that the smallest 64-bit value converts too.
    std::int64_t value = 0;
    constexpr std::int64_t kMin = std::numeric_limits<std::int64_t>::min();
    for (; i < text.size(); ++i) {
        const char c = text[i];
        if (c < '0' || c > '9') throw invalid();
        const int digit = c - '0';
        if (value < (kMin + digit) / 10) throw invalid();
        value = value * 10 - digit;
    }
    if (!negative) {
        if (value == kMin) throw invalid();
        value = -value;
    }
    return value;
}

std::int64_t SectorTextToByte(const std::string& text)
{
    const std::int64_t sector = StrToInt64(text);
    if (sector < 0) {
        throw Error("Sector " + std::to_string(sector) +
                    " is negative. Sector numbers start at 0.");
    }
    if (sector > std::numeric_limits<std::int64_t>::max() / kSectorSize) {
        throw Error("Sector " + std::to_string(sector) +
                    " lies beyond the end of any device (its byte offset does not fit in 64 bits).");
    }
    return sector * kSectorSize;
}

std::string DefaultLastSectorText(std::int64_t deviceSize)
{
    const std::int64_t last = deviceSize / kSectorSize - 1;
    return last < 0 ? "0" : std::to_string(last);
}

}  // namespace reelvane
