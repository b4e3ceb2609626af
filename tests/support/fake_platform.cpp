#include "support/fake_platform.h"

#include <algorithm>
#include <cerrno>
#include <cstring>

#include "platform/errors.h"

namespace reelvane::testing {

namespace {

class FakeStream : public platform::Stream {
public:
    FakeStream(std::string path, const FakePlatform& owner, FakeDevice* device,
               std::vector<unsigned char>* file)
        : path_(std::move(path)), owner_(owner), device_(device), file_(file) {}

    const std::string& Path() const override { return path_; }

    platform::IoResult ReadAt(std::int64_t offset, void* buffer, std::size_t length) override
    {
        owner_.reads.push_back({offset, length});
        if (!device_ || offset < 0) return {0, EBADF};
        if (offset >= device_->size) return {0, 0};
        std::int64_t want = std::min<std::int64_t>(static_cast<std::int64_t>(length), device_->size - offset);
        if (auto s = device_->shortReads.find(offset); s != device_->shortReads.end()) {
            want = std::min<std::int64_t>(want, static_cast<std::int64_t>(s->second));
            device_->shortReads.erase(s);
        }
        for (const auto& f : device_->faults) {
            if (f.offset + f.length <= offset || f.offset >= offset + want) continue;
            if (f.offset <= offset) return {0, f.error};
            want = f.offset - offset;
        }
        auto* out = static_cast<unsigned char*>(buffer);
        const auto n = static_cast<std::size_t>(want);
        const auto have = static_cast<std::int64_t>(device_->bytes.size());
        for (std::size_t i = 0; i < n; ++i) {
            const std::int64_t at = offset + static_cast<std::int64_t>(i);
            out[i] = at < have ? device_->bytes[static_cast<std::size_t>(at)] : 0;
        }
        return {n, 0};
    }

    platform::IoResult Write(const void* buffer, std::size_t length) override
    {
        if (!file_) return {0, EBADF};
        std::size_t n = length;
        if (owner_.capacity) {
            const std::int64_t room = std::max<std::int64_t>(0, *owner_.capacity - owner_.StoredBytes());
            n = std::min<std::size_t>(n, static_cast<std::size_t>(room));
        }
        const auto* bytes = static_cast<const unsigned char*>(buffer);
        file_->insert(file_->end(), bytes, bytes + n);
        return {n, n == length ? 0 : ENOSPC};
    }

    int Close() override { return 0; }
    std::int64_t DiskSize() override { return device_ ? device_->size : 0; }
    std::int32_t MediaType() override
    {
        return device_ ? device_->mediaType : platform::kMediaQueryFailed;
    }

private:
    std::string path_;
    const FakePlatform& owner_;
    FakeDevice* device_;
    std::vector<unsigned char>* file_;
};

std::string FolderOf(const std::string& path)
{
    const std::size_t slash = path.rfind('/');
    return slash == std::string::npos ? std::string() : path.substr(0, slash);
}

}  // namespace

FakeDevice& FakePlatform::AddDevice(const std::string& path, std::vector<unsigned char> bytes)
{
    FakeDevice& d = devices[path];
    d.size = static_cast<std::int64_t>(bytes.size());
    d.bytes = std::move(bytes);
    return d;
}

FakeDevice& FakePlatform::AddDevice(const std::string& path, std::int64_t size)
{
    FakeDevice& d = devices[path];
    d.size = size;
    return d;
}

void FakePlatform::InitPathConstants(platform::PathConstants& constants) const
{
    constants = {"/dev/", "", "", "/"};
}

std::unique_ptr<platform::Stream> FakePlatform::Open(const std::string& path,
                                                     platform::OpenMode mode) const
{
    opens.emplace_back(path, mode);
    if (mode == platform::OpenMode::Create) {
        if (missingFolders.count(FolderOf(path))) {
            throw Error(CannotCreateMessage(path, ErrorText(ENOENT)));
        }
        auto& file = files[path];
        file.clear();
        return std::make_unique<FakeStream>(path, *this, nullptr, &file);
    }
    auto it = const_cast<FakePlatform*>(this)->devices.find(path);
    if (it == devices.end()) throw Error(CannotOpenMessage(path, ErrorText(ENOENT)));
    return std::make_unique<FakeStream>(path, *this, &it->second, nullptr);
}

std::string FakePlatform::ErrorText(int error) const
{
    return std::strerror(error);
}

std::optional<std::string> FakePlatform::FolderOnDevice(const std::string& folder,
                                                        const std::string& devicePath) const
{
    if (foldersOnSource.count(folder)) return devicePath;
    return std::nullopt;
}

std::int64_t FakePlatform::StoredBytes() const
{
    std::int64_t total = 0;
    for (const auto& [path, bytes] : files) total += static_cast<std::int64_t>(bytes.size());
    return total;
}

std::vector<unsigned char> MakeClip(std::size_t packets, std::uint32_t firstStamp, std::uint32_t step)
{
    std::vector<unsigned char> clip(packets * 192);
    std::uint32_t stamp = firstStamp & 0x3fffffff;
    for (std::size_t p = 0; p < packets; ++p) {
        unsigned char* packet = clip.data() + p * 192;
        packet[0] = static_cast<unsigned char>(stamp >> 24);
        packet[1] = static_cast<unsigned char>(stamp >> 16);
        packet[2] = static_cast<unsigned char>(stamp >> 8);
        packet[3] = static_cast<unsigned char>(stamp);
        packet[4] = 0x47;
        for (std::size_t i = 5; i < 192; ++i) {
            // Payload bytes never equal the sync byte, so no sector inside a packet is a hit.
            packet[i] = static_cast<unsigned char>(0x80 | ((p * 31 + i * 7) & 0x7f));
        }
        stamp = (stamp + step) & 0x3fffffff;
    }
    return clip;
}

void Place(std::vector<unsigned char>& image, std::int64_t offset, const std::vector<unsigned char>& bytes)
{
    const auto at = static_cast<std::size_t>(offset);
    if (image.size() < at + bytes.size()) image.resize(at + bytes.size());
    std::copy(bytes.begin(), bytes.end(), image.begin() + static_cast<std::ptrdiff_t>(at));
}

}  // namespace reelvane::testing
