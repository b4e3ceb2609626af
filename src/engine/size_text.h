#pragma once

#include <cstdint>
#include <string>

namespace reelvane {

// A byte count in units of 1024 with up to two truncated decimals: "0B", "1.50KB",
// "953.67MB", "1024TB".
std::string SizeText(std::uint64_t bytes);

}  // namespace reelvane
