#include "engine/carve.h"

#include <algorithm>
#include <cerrno>
#include <climits>
#include <memory>
#include <vector>

#include "engine/scope_exit.h"
#include "engine/sector_test.h"
#include "engine/sector_text.h"
#include "engine/source_reader.h"
#include "platform/errors.h"

namespace reelvane {

std::string FragmentFilePath(const std::string& destination, std::size_t index)
{
    std::string path = destination;
    if (path.empty() || path.back() != '/') path += '/';
    return path + std::to_string(index) + ".MTS";
}

void CheckDestinationNotOnSource(const std::string& destination, const std::string& devicePath,
                                 const platform::Platform& platform)
{
    if (const auto device = platform.FolderOnDevice(destination, devicePath)) {
        throw Error("The destination folder \"" + destination + "\" lies on " + *device +
                    ", the device being recovered. Writing there would overwrite the lost "
                    "video. Please choose a folder on another drive.");
    }
}

namespace {

// Copies [start, start + length) of the source into one output file.
void CopyFragment(const std::string& devicePath, const std::string& outputPath, std::int64_t start,
                  std::int64_t length, std::size_t index, std::size_t lines,
                  std::vector<unsigned char>& buffer, RunObserver& observer,
                  const platform::Platform& platform)
{
    if (platform.SameFile(outputPath, devicePath)) {
        throw Error(CannotCreateMessage(outputPath, "It is the source being recovered."));
    }
    std::unique_ptr<platform::Stream> output = platform.Open(outputPath, platform::OpenMode::Create);
    std::unique_ptr<platform::Stream> device;
    try {
        device = platform.Open(devicePath, platform::OpenMode::ReadWriteShared);
        SourceReader reader(*device, platform, observer);
        std::int64_t copied = 0;
        while (copied < length) {
            observer.PumpEvents();
            observer.CarveProgress(index, lines, copied, length);
            const std::int64_t chunk = std::min(kChunkSize, length - copied);
            const auto n = static_cast<std::size_t>(chunk);
            reader.Read(start + copied, buffer.data(), n);
            const platform::IoResult w = output->Write(buffer.data(), n);
            if (w.bytes != n) {
                throw Error(CannotWriteMessage(
                    outputPath, platform.ErrorText(w.error != 0 ? w.error : ENOSPC)));
            }
            copied += chunk;
        }
    } catch (...) {
        output->Close();
        throw;
    }
    if (const int error = output->Close(); error != 0) {
        throw Error(CannotWriteMessage(outputPath, platform.ErrorText(error)));
    }
    observer.FragmentWritten(outputPath, length);
}

}  // namespace

void CarveFragments(RecoverySession& session, const std::string& devicePath,
                    const std::string& destination, const FragmentList& fragments,
                    RunObserver& observer, const platform::Platform& platform)
{
    platform.InitPathConstants(session.Paths);
    observer.SetPauseEnabled(false);
    observer.SetStopEnabled(false);
    const ScopeExit restore([&observer] {
        observer.SetGaugePosition(0);
        observer.SetPauseEnabled(true);
        observer.SetStopEnabled(true);
    });
    observer.SetGaugeRange(0, static_cast<std::int32_t>(
                                  std::min<std::size_t>(fragments.size(), INT32_MAX)));
    bool checked = false;
    std::vector<unsigned char> buffer;
    for (std::size_t index = 0; index < fragments.size(); ++index) {
        observer.PumpEvents();
        observer.SetGaugePosition(static_cast<std::int32_t>(std::min<std::size_t>(index, INT32_MAX)));
        const auto [startText, endText] = SplitFragmentLine(fragments[index]);
        const std::int64_t start = StrToInt64(startText);
        const std::int64_t end = StrToInt64(endText);
        // A single hit (1536 bytes) is too little to be video worth a file.
        if (end - start + 1 <= kMinimumFragment) continue;
        if (!checked) {
            CheckDestinationNotOnSource(destination, devicePath, platform);
            buffer.resize(static_cast<std::size_t>(kChunkSize));
            checked = true;
        }
        CopyFragment(devicePath, FragmentFilePath(destination, index), start, end - start, index,
                     fragments.size(), buffer, observer, platform);
    }
}

}  // namespace reelvane
