#pragma once
// An in-memory platform for the engine's tests: devices are byte vectors (read as
// zeros past their data up to their size), read faults and short reads can be
// injected, output files live in a map and can run out of space.

#include <cstdint>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "platform/device.h"

namespace reelvane::testing {

struct FakeDevice {
    std::vector<unsigned char> bytes;   // the data; zeros follow up to size
    std::int64_t size = 0;
    std::int32_t mediaType = platform::kFixedMedia;
    // Reads that reach into [offset, offset + length) stop there with this error.
    struct Fault {
        std::int64_t offset;
        std::int64_t length;
        int error;
    };
    std::vector<Fault> faults;
    // A read starting at one of these offsets returns only this many bytes (once each).
    std::map<std::int64_t, std::size_t> shortReads;
};

class FakePlatform : public platform::Platform {
public:
    // A device whose size is its data's size.
    FakeDevice& AddDevice(const std::string& path, std::vector<unsigned char> bytes);
    FakeDevice& AddDevice(const std::string& path, std::int64_t size);

    void InitPathConstants(platform::PathConstants& constants) const override;
    std::unique_ptr<platform::Stream> Open(const std::string& path,
                                           platform::OpenMode mode) const override;
    std::string ErrorText(int error) const override;
    std::optional<std::string> FolderOnDevice(const std::string& folder,
                                              const std::string& devicePath) const override;
    bool SameFile(const std::string& a, const std::string& b) const override { return a == b; }

    std::map<std::string, FakeDevice> devices;
    mutable std::map<std::string, std::vector<unsigned char>> files;   // output files
    std::optional<std::int64_t> capacity;   // bytes all output files may hold together
    std::set<std::string> missingFolders;   // creating a file in one fails with ENOENT
    std::set<std::string> foldersOnSource;  // destinations that lie on every device

    struct ReadCall {
        std::int64_t offset;
        std::size_t length;
    };
    mutable std::vector<ReadCall> reads;
    mutable std::vector<std::pair<std::string, platform::OpenMode>> opens;

    std::int64_t StoredBytes() const;
};

// Bytes for tests: a stream of 192-byte packets whose arrival time stamps rise by
// step per packet, with the sync byte in place.
std::vector<unsigned char> MakeClip(std::size_t packets, std::uint32_t firstStamp = 0x01000000,
                                    std::uint32_t step = 1000);
// Copies bytes into image at offset, growing it if needed.
void Place(std::vector<unsigned char>& image, std::int64_t offset,
           const std::vector<unsigned char>& bytes);

}  // namespace reelvane::testing
