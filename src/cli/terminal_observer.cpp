#include "cli/terminal_observer.h"

#include <csignal>

#include "engine/run_texts.h"
#include "engine/size_text.h"

namespace reelvane::cli {

namespace {

volatile std::sig_atomic_t g_interrupted = 0;

extern "C" void OnInterrupt(int)
{
    g_interrupted = 1;
}

}  // namespace

void InstallInterruptHandler()
{
    std::signal(SIGINT, OnInterrupt);
}

bool InterruptRequested()
{
    return g_interrupted != 0;
}

TerminalObserver::TerminalObserver(RecoverySession& session, std::string destination,
                                   std::FILE* progress, std::FILE* messages)
    : session_(session), destination_(std::move(destination)), progress_(progress),
      messages_(messages)
{
}

void TerminalObserver::PumpEvents()
{
    if (g_interrupted) session_.StopRequested = true;
}

void TerminalObserver::ReportUnreadable(std::int64_t offset, std::int64_t length,
                                        const std::string& systemText)
{
    unreadableBytes_ += length;
    ++unreadableRanges_;
    EndProgressLine();
    std::fprintf(messages_, "Unreadable: %lld bytes at byte %lld (%s); read as zeros.\n",
                 static_cast<long long>(length), static_cast<long long>(offset), systemText.c_str());
    std::fflush(messages_);
}

void TerminalObserver::ScanProgress(std::int64_t position, std::int64_t end, std::int64_t hitCount)
{
    if (!progress_) return;
    const auto now = std::chrono::steady_clock::now();
    if (phaseFirstByte_ < 0) {
        phaseFirstByte_ = position;
        phaseStart_ = now;
    }
    if (now - lastShown_ < std::chrono::milliseconds(200)) return;
    lastShown_ = now;
    const double seconds = std::chrono::duration<double>(now - phaseStart_).count();
    const double done = static_cast<double>(position - phaseFirstByte_);
    const double rate = seconds > 0 ? done / seconds : 0;
    const double total = static_cast<double>(end - phaseFirstByte_);
    const double percent = total > 0 ? 100.0 * done / total : 100.0;
    std::string remain = "--";
    if (rate > 0) {
        remain = MinutesSecondsText(static_cast<std::int32_t>(
            std::min(static_cast<double>(end - position) / rate, 2.0e9)));
    }
    char line[200];
    std::snprintf(line, sizeof line, "Scanning %5.1f%%  %7.1f MB/s  Time Remain: %s  hits %lld [%s]",
                  percent, rate / 1e6, remain.c_str(), static_cast<long long>(hitCount),
                  SizeText(static_cast<std::uint64_t>(hitCount) * 1536).c_str());
    ShowLine(line);
}

void TerminalObserver::CarveProgress(std::size_t index, std::size_t lines, std::int64_t copied,
                                     std::int64_t length)
{
    if (!progress_) return;
    const auto now = std::chrono::steady_clock::now();
    if (now - lastShown_ < std::chrono::milliseconds(200)) return;
    lastShown_ = now;
    char line[200];
    std::snprintf(line, sizeof line, "Writing %zu.MTS (fragment %zu of %zu)  %s of %s", index,
                  index + 1, lines, SizeText(static_cast<std::uint64_t>(copied)).c_str(),
                  SizeText(static_cast<std::uint64_t>(length)).c_str());
    ShowLine(line);
}

void TerminalObserver::ShowLine(const std::string& line)
{
    std::fprintf(progress_, "\r%-79s", line.c_str());
    std::fflush(progress_);
    lineOpen_ = true;
}

void TerminalObserver::EndProgressLine()
{
    if (progress_ && lineOpen_) {
        std::fputc('\n', progress_);
        std::fflush(progress_);
    }
    lineOpen_ = false;
}

}  // namespace reelvane::cli
