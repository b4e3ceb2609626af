#include "bench_support.h"

#include <dirent.h>
#include <fcntl.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <stdexcept>

extern char** environ;

namespace reelvane::bench {

namespace {

std::int64_t StatusFieldKiB(const char* field)
{
    std::ifstream status("/proc/self/status");
    std::string line;
    const std::string prefix = std::string(field) + ":";
    while (std::getline(status, line)) {
        if (line.rfind(prefix, 0) == 0) return std::stoll(line.substr(prefix.size()));
    }
    return 0;
}

// Forwards to the real stream, adding the time of every call to the platform's sums.
class TimedStream : public platform::Stream {
public:
    TimedStream(std::unique_ptr<platform::Stream> inner, StreamTimes& times)
        : inner_(std::move(inner)), times_(times) {}
    ~TimedStream() override { Close(); }

    const std::string& Path() const override { return inner_->Path(); }
    platform::IoResult ReadAt(std::int64_t offset, void* buffer, std::size_t length) override
    {
        const auto t0 = Clock::now();
        const platform::IoResult r = inner_->ReadAt(offset, buffer, length);
        times_.readSeconds += SecondsBetween(t0, Clock::now());
        times_.bytesRead += static_cast<std::int64_t>(r.bytes);
        ++times_.reads;
        return r;
    }
    platform::IoResult Write(const void* buffer, std::size_t length) override
    {
        const auto t0 = Clock::now();
        const platform::IoResult r = inner_->Write(buffer, length);
        times_.writeSeconds += SecondsBetween(t0, Clock::now());
        times_.bytesWritten += static_cast<std::int64_t>(r.bytes);
        ++times_.writes;
        return r;
    }
    int Close() override
    {
        if (closed_) return 0;
        closed_ = true;
        const auto t0 = Clock::now();
        const int r = inner_->Close();
        times_.closeSeconds += SecondsBetween(t0, Clock::now());
        return r;
    }
    std::int64_t DiskSize() override { return inner_->DiskSize(); }
    std::int32_t MediaType() override { return inner_->MediaType(); }

private:
    std::unique_ptr<platform::Stream> inner_;
    StreamTimes& times_;
    bool closed_ = false;
};

// An output file that takes every byte and keeps none.
class DiscardStream : public platform::Stream {
public:
    explicit DiscardStream(std::string path) : path_(std::move(path)) {}
    const std::string& Path() const override { return path_; }
    platform::IoResult ReadAt(std::int64_t, void*, std::size_t) override { return {0, EBADF}; }
    platform::IoResult Write(const void*, std::size_t length) override { return {length, 0}; }
    int Close() override { return 0; }
    std::int64_t DiskSize() override { return 0; }
    std::int32_t MediaType() override { return platform::kMediaQueryFailed; }

private:
    std::string path_;
};

}  // namespace

std::int64_t PeakRssKiB()
{
    if (const std::int64_t hwm = StatusFieldKiB("VmHWM"); hwm > 0) return hwm;
    rusage usage{};
    ::getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
}

std::int64_t CurrentRssKiB() { return StatusFieldKiB("VmRSS"); }

std::int64_t FileSize(const std::string& path)
{
    struct stat st{};
    if (::stat(path.c_str(), &st) != 0) throw std::runtime_error("cannot stat " + path);
    return st.st_size;
}

double PreadLoop(const std::string& path, std::size_t block)
{
    std::vector<unsigned char> buffer(block);
    const auto t0 = Clock::now();
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) throw std::runtime_error("cannot open " + path + ": " + std::strerror(errno));
    off_t offset = 0;
    for (;;) {
        const ssize_t n = ::pread(fd, buffer.data(), block, offset);
        if (n < 0) {
            if (errno == EINTR) continue;
            ::close(fd);
            throw std::runtime_error("cannot read " + path + ": " + std::strerror(errno));
        }
        if (n == 0) break;
        offset += n;
    }
    ::close(fd);
    return SecondsBetween(t0, Clock::now());
}

void SyncAll() { ::sync(); }

void RemoveFilesIn(const std::string& folder)
{
    DIR* dir = ::opendir(folder.c_str());
    if (!dir) return;
    while (const dirent* entry = ::readdir(dir)) {
        const std::string path = folder + "/" + entry->d_name;
        struct stat st{};
        if (::lstat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode)) ::unlink(path.c_str());
    }
    ::closedir(dir);
}

Arguments ParseArguments(int argc, char** argv, const std::vector<std::string>& valued)
{
    Arguments args;
    for (int i = 1; i < argc; ++i) {
        const std::string a = argv[i];
        if (i + 1 < argc && std::find(valued.begin(), valued.end(), a) != valued.end()) {
            args.options[a] = argv[++i];
        } else {
            args.positional.push_back(a);
        }
    }
    return args;
}

double TimeProgram(const std::vector<std::string>& argv)
{
    std::vector<char*> args;
    for (const std::string& a : argv) args.push_back(const_cast<char*>(a.c_str()));
    args.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
    pid_t pid = 0;
    const auto t0 = Clock::now();
    const int rc = ::posix_spawnp(&pid, args[0], &actions, nullptr, args.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    if (rc != 0) throw std::runtime_error("cannot start " + argv[0] + ": " + std::strerror(rc));
    int status = 0;
    while (::waitpid(pid, &status, 0) < 0 && errno == EINTR) {
    }
    const double seconds = SecondsBetween(t0, Clock::now());
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) {
        throw std::runtime_error(argv[0] + " failed (status " + std::to_string(status) + ")");
    }
    return seconds;
}

std::string Verdict(bool met) { return met ? "OK" : "MISSED"; }

std::unique_ptr<platform::Stream> TimedPlatform::Open(const std::string& path,
                                                      platform::OpenMode mode) const
{
    const auto t0 = Clock::now();
    std::unique_ptr<platform::Stream> stream;
    if (mode == platform::OpenMode::Create) {
        ++times_.outputCreates;
        if (discard_) {
            stream = std::make_unique<DiscardStream>(path);
        } else {
            stream = inner_.Open(path, mode);
        }
    } else {
        ++times_.deviceOpens;
        stream = inner_.Open(path, mode);
    }
    times_.openSeconds += SecondsBetween(t0, Clock::now());
    return std::make_unique<TimedStream>(std::move(stream), times_);
}

void PhaseObserver::Start()
{
    phase_ = kScan;
    gaugeSet_ = false;
    std::fill(std::begin(pumps_), std::end(pumps_), 0);
    std::fill(std::begin(longestWait_), std::end(longestWait_), 0.0);
    begin_[kScan] = Clock::now();
    lastPump_ = begin_[kScan];
    hits_ = lines_ = files_ = fileBytes_ = unreadable_ = scanEnd_ = 0;
}

void PhaseObserver::Enter(Phase phase)
{
    const auto now = Clock::now();
    // The wait from the last delivery to the end of a phase counts for that phase.
    longestWait_[phase_] = std::max(longestWait_[phase_], SecondsBetween(lastPump_, now));
    lastPump_ = now;
    if (times_) timesAtEnd_[phase_] = *times_;
    phase_ = phase;
    begin_[phase] = now;
    if (phase == kDone) begin_[kPhases] = now;
}

void PhaseObserver::PumpEvents()
{
    const auto now = Clock::now();
    ++pumps_[phase_];
    longestWait_[phase_] = std::max(longestWait_[phase_], SecondsBetween(lastPump_, now));
    lastPump_ = now;
}

void PhaseObserver::SetGaugeRange(std::int32_t, std::int32_t maximum)
{
    if (phase_ == kScan) gaugeSet_ = true;
    if (phase_ == kCarve) lines_ = maximum;
}

void PhaseObserver::SetBackEnabled(bool enabled)
{
    if (enabled && phase_ != kDone) Enter(kDone);
}

void PhaseObserver::SetPauseEnabled(bool enabled)
{
    if (!enabled && phase_ == kMerge) Enter(kCarve);
}

std::string PhaseObserver::DestinationText()
{
    // The scan asks once before its first read (to refuse a folder on the source) and
    // once in its clean-up, after the last chunk.
    if (phase_ == kScan && gaugeSet_) {
        hits_ = HitsFromLabel(label_);
        Enter(kMerge);
    }
    return destination_;
}

void PhaseObserver::ScanProgress(std::int64_t position, std::int64_t end, std::int64_t)
{
    scanEnd_ = std::max(position, end);
}

double PhaseObserver::PhaseSeconds(Phase phase) const
{
    if (phase >= kDone) return 0;
    const auto next = static_cast<Phase>(phase + 1);
    return SecondsBetween(begin_[phase], begin_[next]);
}

std::int64_t HitsFromLabel(const std::string& label)
{
    const std::string prefix = "Found Fragments: ";
    if (label.rfind(prefix, 0) != 0) return 0;
    return std::stoll(label.substr(prefix.size()));
}

}  // namespace reelvane::bench
