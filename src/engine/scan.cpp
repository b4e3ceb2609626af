#include "engine/scan.h"

#include <algorithm>
#include <exception>
#include <limits>
#include <memory>
#include <vector>

#include "engine/carve.h"
#include "engine/fragments.h"
#include "engine/sector_test.h"
#include "engine/sector_text.h"
#include "engine/size_text.h"
#include "engine/source_reader.h"

namespace reelvane {

std::string FoundFragmentsText(std::int64_t hitCount)
{
    return "Found Fragments: " + std::to_string(hitCount) + " [Approx size: " +
           SizeText(static_cast<std::uint64_t>(hitCount) * static_cast<std::uint64_t>(kHitSpacing)) +
           "]";
}

std::int64_t GaugeUnit(std::int64_t endByte)
{
    std::int64_t unit = 1024;
    while (endByte / unit > std::numeric_limits<std::int32_t>::max()) unit *= 2;
    return unit;
}

void ScanSectors(RecoverySession& session, const std::string& firstSectorText,
                 const std::string& lastSectorText, RunObserver& observer,
                 const platform::Platform& platform)
{
    platform.InitPathConstants(session.Paths);
    session.StopRequested = false;

    // The scan reads and the carving copies the device that was chosen when the run
    // started, even if a list row is clicked while the scan lets events run.
    const std::string devicePath = session.DevicePath;
    const std::int64_t deviceSize = session.DeviceSize;

    HitList hits;
    std::exception_ptr failure;
    try {
        const std::int64_t startByte = SectorTextToByte(firstSectorText);
        const std::int64_t endByte = SectorTextToByte(lastSectorText);
        if (startByte < endByte && startByte < deviceSize) {
            // Refused before a single sector is read: the user would otherwise wait
            // for the whole scan to learn that the folder cannot be used.
            CheckDestinationNotOnSource(observer.DestinationText(), devicePath, platform);
        }
        std::unique_ptr<platform::Stream> device =
            platform.Open(devicePath, platform::OpenMode::ReadShared);
        const std::int64_t unit = GaugeUnit(endByte);
        observer.SetGaugeRange(0, static_cast<std::int32_t>(endByte / unit));

        std::vector<unsigned char> buffer(static_cast<std::size_t>(kChunkSize));
        SourceReader reader(*device, platform, observer);
        for (std::int64_t pos = startByte; pos < endByte && pos < deviceSize;) {
            if (session.StopRequested) break;
            observer.PumpEvents();
            observer.SetGaugePosition(static_cast<std::int32_t>(pos / unit));
            observer.ScanProgress(pos, std::min(endByte, deviceSize), hits.Count());
            const std::int64_t chunk = std::min(kChunkSize, deviceSize - pos);
            reader.Read(pos, buffer.data(), static_cast<std::size_t>(chunk));
            const std::int64_t before = hits.Count();
            const std::int64_t sectors = chunk / kSectorSize;
            for (std::int64_t i = 0; i < sectors; ++i) {
                if (SectorTest(buffer.data() + i * kSectorSize)) hits.Append(pos + i * kSectorSize);
            }
            // Nothing can look at the label between two event deliveries, so one
            // update per chunk with the count at its end shows what per-hit updates would.
            if (hits.Count() != before) observer.SetStatusLabel(FoundFragmentsText(hits.Count()));
            pos += chunk;
        }
        device->Close();
    } catch (...) {
        failure = std::current_exception();
    }

    // Clean-up, however the scan ended: the hits found so far are merged and written.
    try {
        observer.SetGaugePosition(0);
        const std::string destination = observer.DestinationText();
        FragmentList fragments;
        MergeHits(hits, fragments, [&observer] { observer.PumpEvents(); });
        CarveFragments(session, devicePath, destination, fragments, observer, platform);
    } catch (...) {
        if (!failure) failure = std::current_exception();
    }
    observer.SetBackEnabled(true);
    if (failure) std::rethrow_exception(failure);
}

}  // namespace reelvane
