#include "engine/run_texts.h"

#include <cstdio>

namespace reelvane {

std::string LogTimestamp(const std::tm& t, const std::string& timeSeparator)
{
    char date[32];
    std::snprintf(date, sizeof date, "%04d-%02d-%02d ", t.tm_year + 1900, t.tm_mon + 1, t.tm_mday);
    char hh[4], nn[4], ss[4];
    std::snprintf(hh, sizeof hh, "%02d", t.tm_hour);
    std::snprintf(nn, sizeof nn, "%02d", t.tm_min);
    std::snprintf(ss, sizeof ss, "%02d", t.tm_sec);
    return std::string(date) + hh + timeSeparator + nn + timeSeparator + ss;
}

std::string ScanLogEntryLine(const std::string& message, const std::tm& localTime)
{
    return LogTimestamp(localTime) + " : " + message;
}

std::tm LocalTimeNow()
{
    const std::time_t now = std::time(nullptr);
    std::tm local{};
#ifdef _WIN32
    localtime_s(&local, &now);
#else
    localtime_r(&now, &local);
#endif
    return local;
}

std::string ClosingMessage(const std::string& c)
{
    const std::size_t p = c.find("ze:");
    if (p == std::string::npos) return kNothingFoundMessage;
    // The text after "ze:", without the caption's last character (its "]").
    const std::size_t from = p + 3;
    const std::string s = c.size() > from + 1 ? c.substr(from, c.size() - from - 1) : std::string();
    return "Approx" + s + " data recovered!";
}

std::string MinutesSecondsText(std::int32_t seconds)
{
    return std::to_string(seconds / 60) + " : " + std::to_string(seconds % 60);
}

}  // namespace reelvane
