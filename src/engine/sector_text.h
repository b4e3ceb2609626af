#pragma once
// Sector numbers as the user types them, and the default range of a device.

#include <cstdint>
#include <string>

namespace reelvane {

// Converts a signed decimal integer text (leading blanks allowed) to a 64-bit value;
// throws reelvane::Error "'%s' is not a valid integer value" otherwise.
std::int64_t StrToInt64(const std::string& text);

// The byte offset of a sector typed by the user. Throws the integer error above for
// a text that is no number, and a plain refusal for a negative sector or one whose
// byte offset does not fit in 64 bits; nothing is read before either check.
std::int64_t SectorTextToByte(const std::string& text);

// The last sector of the whole-device range: size div 512 - 1, or "0" below 512 bytes.
std::string DefaultLastSectorText(std::int64_t deviceSize);

}  // namespace reelvane
