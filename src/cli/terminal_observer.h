#pragma once
// The carver's observer: a progress line on a terminal, unreadable ranges reported,
// Ctrl-C acting as "Stop".

#include <chrono>
#include <cstdint>
#include <cstdio>
#include <string>

#include "engine/run_observer.h"
#include "engine/session.h"

namespace reelvane::cli {

class TerminalObserver : public RunObserver {
public:
    // progress: where the progress line goes (nullptr for none); messages: where
    // unreadable ranges are reported.
    TerminalObserver(RecoverySession& session, std::string destination, std::FILE* progress,
                     std::FILE* messages);

    void PumpEvents() override;
    void SetGaugeRange(std::int32_t, std::int32_t) override {}
    void SetGaugePosition(std::int32_t) override {}
    void SetStatusLabel(const std::string& text) override { label_ = text; }
    void SetBackEnabled(bool) override {}
    void SetPauseEnabled(bool) override {}
    void SetStopEnabled(bool) override {}
    std::string DestinationText() override { return destination_; }
    void ReportUnreadable(std::int64_t offset, std::int64_t length,
                          const std::string& systemText) override;
    void ScanProgress(std::int64_t position, std::int64_t end, std::int64_t hitCount) override;
    void CarveProgress(std::size_t index, std::size_t lines, std::int64_t copied,
                       std::int64_t length) override;

    const std::string& StatusLabel() const { return label_; }
    std::int64_t UnreadableBytes() const { return unreadableBytes_; }
    std::int64_t UnreadableRanges() const { return unreadableRanges_; }
    // Ends the progress line so that the next output starts on a line of its own.
    void EndProgressLine();

private:
    void ShowLine(const std::string& line);

    RecoverySession& session_;
    std::string destination_;
    std::FILE* progress_;
    std::FILE* messages_;
    std::string label_ = "Found Fragments:";
    std::int64_t unreadableBytes_ = 0;
    std::int64_t unreadableRanges_ = 0;
    std::chrono::steady_clock::time_point phaseStart_ = std::chrono::steady_clock::now();
    std::chrono::steady_clock::time_point lastShown_{};
    std::int64_t phaseFirstByte_ = -1;
    bool lineOpen_ = false;
};

// Set from the SIGINT handler; PumpEvents turns it into the session's stop request.
void InstallInterruptHandler();
bool InterruptRequested();

}  // namespace reelvane::cli
