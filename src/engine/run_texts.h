#pragma once
// The texts a recovery run writes: the scan log's time-stamped entries, the closing
// line derived from the status label, and the time-remaining text.

#include <cstdint>
#include <ctime>
#include <string>

namespace reelvane {

inline constexpr const char* kRecoveringMessage = "Recovering...!";
inline constexpr const char* kNothingFoundMessage = "Not found any MTS file fragments!";

// "yyyy-mm-dd hh:nn:ss" in the given local time, with timeSeparator between the
// fields of the time of day.
std::string LogTimestamp(const std::tm& localTime, const std::string& timeSeparator = ":");

// The first line of a scan log entry: the time stamp, " : ", the message. (The entry's
// second line is empty.)
std::string ScanLogEntryLine(const std::string& message, const std::tm& localTime);

// The local time now.
std::tm LocalTimeNow();

// The run's closing message from the status label's caption: "Approx" + the text
// after "ze:" without its last character + " data recovered!", or
// "Not found any MTS file fragments!" when the caption holds no "ze:".
std::string ClosingMessage(const std::string& statusCaption);

// Seconds as "minutes : seconds" without leading zeros: 224 -> "3 : 44".
std::string MinutesSecondsText(std::int32_t seconds);

}  // namespace reelvane
