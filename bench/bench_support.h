#pragma once
// What the benchmark programs share: a clock, the process's peak memory, the plain
// read loop every figure is compared with, a platform decorator that times the
// streams (and can discard what the carving writes), and an observer that records
// when the phases of a run begin and how often it lets events run.

#include <chrono>
#include <cstdint>
#include <memory>
#include <optional>
#include <map>
#include <string>
#include <vector>

#include "engine/run_observer.h"
#include "platform/device.h"

namespace reelvane::bench {

using Clock = std::chrono::steady_clock;

inline double SecondsBetween(Clock::time_point from, Clock::time_point to)
{
    return std::chrono::duration<double>(to - from).count();
}

// Decimal megabytes (10^6 bytes) per second.
inline double MBps(std::int64_t bytes, double seconds)
{
    return seconds > 0 ? static_cast<double>(bytes) / 1e6 / seconds : 0.0;
}

// Peak resident set size of this process in KiB (VmHWM; ru_maxrss if /proc is absent).
std::int64_t PeakRssKiB();
// Current resident set size in KiB (VmRSS), 0 when unknown.
std::int64_t CurrentRssKiB();

std::int64_t FileSize(const std::string& path);

// Reads the whole file sequentially with pread in blocks of the given size, touching
// nothing of what it reads. Returns the seconds it took (open and close included).
double PreadLoop(const std::string& path, std::size_t block);

// Flushes dirty pages so that every timed write starts from the same state.
void SyncAll();

// Removes the regular files in folder (not the folder).
void RemoveFilesIn(const std::string& folder);

// Runs a program (no shell) and waits for it; returns the seconds it took, or throws
// when it cannot be started or exits non-zero. Its standard output goes to /dev/null.
double TimeProgram(const std::vector<std::string>& argv);

// A benchmark's command line: "--name VALUE" for the names it takes, every other
// argument positional.
struct Arguments {
    std::map<std::string, std::string> options;
    std::vector<std::string> positional;

    std::string Option(const std::string& name, const std::string& fallback) const
    {
        const auto it = options.find(name);
        return it == options.end() ? fallback : it->second;
    }
};
Arguments ParseArguments(int argc, char** argv, const std::vector<std::string>& valued);

// "OK" / "MISSED" for a figure against its target.
std::string Verdict(bool met);

// Where the stream time went, summed over every stream a platform opened.
struct StreamTimes {
    double readSeconds = 0;
    double writeSeconds = 0;
    double openSeconds = 0;    // Open(), both the device and the output files
    double closeSeconds = 0;
    std::int64_t bytesRead = 0;
    std::int64_t bytesWritten = 0;
    std::int64_t reads = 0;
    std::int64_t writes = 0;
    std::int64_t deviceOpens = 0;
    std::int64_t outputCreates = 0;
};

// Passes everything to the real platform, timing each stream call. With
// discardOutput, the output files the carving creates swallow their bytes instead
// of being written, so a large image can be carved without the disk space.
class TimedPlatform : public platform::Platform {
public:
    TimedPlatform(const platform::Platform& inner, bool discardOutput)
        : inner_(inner), discard_(discardOutput) {}

    void InitPathConstants(platform::PathConstants& constants) const override
    {
        inner_.InitPathConstants(constants);
    }
    std::unique_ptr<platform::Stream> Open(const std::string& path,
                                           platform::OpenMode mode) const override;
    std::string ErrorText(int error) const override { return inner_.ErrorText(error); }
    std::optional<std::string> FolderOnDevice(const std::string& folder,
                                              const std::string& devicePath) const override
    {
        return inner_.FolderOnDevice(folder, devicePath);
    }
    bool SameFile(const std::string& a, const std::string& b) const override
    {
        return inner_.SameFile(a, b);
    }

    StreamTimes& Times() const { return times_; }
    void ResetTimes() const { times_ = {}; }

private:
    const platform::Platform& inner_;
    bool discard_;
    mutable StreamTimes times_;
};

// Records the phases of one ScanSectors call as the engine reports them: the scan
// loop (until the clean-up asks for the destination), the merge (until the carving
// disables Pause), the carving (until Back is enabled again), and for each phase the
// number of event deliveries and the longest wait between two of them.
class PhaseObserver : public RunObserver {
public:
    enum Phase { kScan = 0, kMerge, kCarve, kDone, kPhases };

    explicit PhaseObserver(std::string destination, const StreamTimes* times = nullptr)
        : destination_(std::move(destination)), times_(times) {}

    // Call right before ScanSectors.
    void Start();

    void PumpEvents() override;
    void SetGaugeRange(std::int32_t minimum, std::int32_t maximum) override;
    void SetGaugePosition(std::int32_t) override {}
    void SetStatusLabel(const std::string& text) override { label_ = text; }
    void SetBackEnabled(bool enabled) override;
    void SetPauseEnabled(bool enabled) override;
    void SetStopEnabled(bool) override {}
    std::string DestinationText() override;
    void ReportUnreadable(std::int64_t, std::int64_t length, const std::string&) override
    {
        unreadable_ += length;
    }
    void ScanProgress(std::int64_t position, std::int64_t end, std::int64_t hitCount) override;
    void FragmentWritten(const std::string&, std::int64_t bytes) override
    {
        ++files_;
        fileBytes_ += bytes;
    }

    double PhaseSeconds(Phase phase) const;
    std::int64_t Pumps(Phase phase) const { return pumps_[phase]; }
    double LongestWaitSeconds(Phase phase) const { return longestWait_[phase]; }
    // The platform's stream times summed up to the end of the phase.
    const StreamTimes& TimesAtEnd(Phase phase) const { return timesAtEnd_[phase]; }
    std::int64_t HitCount() const { return hits_; }
    std::int64_t ScanEnd() const { return scanEnd_; }
    std::int64_t FragmentLines() const { return lines_; }
    std::int64_t Files() const { return files_; }
    std::int64_t FileBytes() const { return fileBytes_; }
    std::int64_t UnreadableBytes() const { return unreadable_; }
    const std::string& Label() const { return label_; }

private:
    void Enter(Phase phase);

    std::string destination_;
    const StreamTimes* times_;
    StreamTimes timesAtEnd_[kPhases]{};
    Phase phase_ = kScan;
    bool gaugeSet_ = false;
    Clock::time_point begin_[kPhases + 1]{};
    Clock::time_point lastPump_{};
    std::int64_t pumps_[kPhases]{};
    double longestWait_[kPhases]{};
    std::int64_t hits_ = 0;
    std::int64_t scanEnd_ = 0;
    std::int64_t lines_ = 0;
    std::int64_t files_ = 0;
    std::int64_t fileBytes_ = 0;
    std::int64_t unreadable_ = 0;
    std::string label_;
};

// Reads the hit count back from a label "Found Fragments: 12 [Approx size: ...]".
std::int64_t HitsFromLabel(const std::string& label);

}  // namespace reelvane::bench
