// reelvane-bench-image: writes a synthetic card image for the benchmarks.
//
//   reelvane-bench-image --layout mixed|video --size BYTES [--seed N] OUTPUT
//
// Video is laid out as clips of back-to-back 192-byte packets, each clip starting at
// a sector boundary: a 4-byte header holding a slowly rising 30-bit arrival time stamp
// (about 1,728 ticks of the 27 MHz clock per packet, as at 24 Mbit/s), then a 188-byte
// transport packet with the sync byte 0x47, a PID, a continuity counter and a payload
// of random bytes (compressed video looks random). A clip's last sector is filled up
// with random bytes.
//
// "mixed": clips of 2 to 8 MiB with other data between them (runs of random bytes,
// of zeros and of repeated text, 512 KiB to 8 MiB each), a little over half video.
// "video": nothing but clips of 32 to 128 MiB, one after the other, as on a card
// that was filled with recordings.
//
// Prints one line: clips, video bytes, and the hits the sector test should find.

#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

namespace {

constexpr std::int64_t kSector = 512;
constexpr std::int64_t kPacket = 192;
constexpr std::int64_t kMiB = 1024 * 1024;

class Random {
public:
    explicit Random(std::uint64_t seed) : state_(seed) {}
    std::uint64_t Next()
    {
        std::uint64_t z = (state_ += 0x9E3779B97F4A7C15ULL);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ULL;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBULL;
        return z ^ (z >> 31);
    }
    // A value in [low, high].
    std::int64_t Between(std::int64_t low, std::int64_t high)
    {
        return low + static_cast<std::int64_t>(Next() % static_cast<std::uint64_t>(high - low + 1));
    }
    void Fill(unsigned char* bytes, std::size_t length)
    {
        std::size_t i = 0;
        for (; i + 8 <= length; i += 8) {
            const std::uint64_t v = Next();
            std::memcpy(bytes + i, &v, 8);
        }
        if (i < length) {
            const std::uint64_t v = Next();
            std::memcpy(bytes + i, &v, length - i);
        }
    }

private:
    std::uint64_t state_;
};

// Collects the image in a large buffer and writes it out sequentially.
class ImageWriter {
public:
    ImageWriter(int fd, std::int64_t size) : fd_(fd), size_(size), buffer_(8 * kMiB) {}

    std::int64_t Position() const { return position_; }
    std::int64_t Left() const { return size_ - position_; }

    // Space for up to length bytes at the current position (fewer at the buffer's
    // end); Commit says how many were filled.
    unsigned char* Reserve(std::int64_t& length)
    {
        if (used_ == buffer_.size()) Flush();
        length = std::min<std::int64_t>({length, Left(),
                                         static_cast<std::int64_t>(buffer_.size() - used_)});
        return buffer_.data() + used_;
    }
    void Commit(std::int64_t length)
    {
        used_ += static_cast<std::size_t>(length);
        position_ += length;
    }
    void Flush()
    {
        std::size_t done = 0;
        while (done < used_) {
            const ssize_t n = ::write(fd_, buffer_.data() + done, used_ - done);
            if (n < 0 && errno == EINTR) continue;
            if (n <= 0) {
                std::fprintf(stderr, "reelvane-bench-image: write failed: %s\n", std::strerror(errno));
                std::exit(1);
            }
            done += static_cast<std::size_t>(n);
        }
        used_ = 0;
    }

private:
    int fd_;
    std::int64_t size_;
    std::vector<unsigned char> buffer_;
    std::size_t used_ = 0;
    std::int64_t position_ = 0;
};

enum class Filler { kRandom, kZeros, kText };

void WriteFiller(ImageWriter& out, Random& random, std::int64_t length, Filler filler)
{
    static const char kText[] =
        "DCIM/100MEDIA  PRIVATE/AVCHD/BDMV/STREAM  00000.MTS  index.bdm  MovieObject.bdm ";
    std::int64_t textPhase = 0;
    while (length > 0) {
        std::int64_t n = length;
        unsigned char* p = out.Reserve(n);
        if (n == 0) return;
        switch (filler) {
        case Filler::kRandom: random.Fill(p, static_cast<std::size_t>(n)); break;
        case Filler::kZeros: std::memset(p, 0, static_cast<std::size_t>(n)); break;
        case Filler::kText:
            for (std::int64_t i = 0; i < n; ++i) {
                p[i] = static_cast<unsigned char>(kText[static_cast<std::size_t>(textPhase + i) % (sizeof kText - 1)]);
            }
            textPhase += n;
            break;
        }
        out.Commit(n);
        length -= n;
    }
}

// Writes one clip of the given number of packets at the current (sector-aligned)
// position and fills up its last sector. Returns the sectors that begin a packet.
std::int64_t WriteClip(ImageWriter& out, Random& random, std::int64_t packets)
{
    std::uint32_t ats = static_cast<std::uint32_t>(random.Next()) & 0x3FFFFFFFu;
    unsigned char continuity = 0;
    const std::int64_t clipStart = out.Position();
    unsigned char packet[kPacket];
    for (std::int64_t k = 0; k < packets && out.Left() > 0; ++k) {
        ats = (ats + 1700 + static_cast<std::uint32_t>(random.Next() % 56)) & 0x3FFFFFFFu;
        packet[0] = static_cast<unsigned char>(ats >> 24);
        packet[1] = static_cast<unsigned char>(ats >> 16);
        packet[2] = static_cast<unsigned char>(ats >> 8);
        packet[3] = static_cast<unsigned char>(ats);
        packet[4] = 0x47;
        packet[5] = (k % 64 == 0) ? 0x50 : 0x10;   // payload start now and then, PID 0x1011
        packet[6] = 0x11;
        packet[7] = static_cast<unsigned char>(0x10 | (continuity++ & 0x0F));
        random.Fill(packet + 8, kPacket - 8);
        std::int64_t done = 0;
        while (done < kPacket) {
            std::int64_t n = kPacket - done;
            unsigned char* p = out.Reserve(n);
            if (n == 0) break;
            std::memcpy(p, packet + done, static_cast<std::size_t>(n));
            out.Commit(n);
            done += n;
        }
    }
    const std::int64_t clipBytes = out.Position() - clipStart;
    const std::int64_t tail = (kSector - clipBytes % kSector) % kSector;
    WriteFiller(out, random, tail, Filler::kRandom);
    // A packet begins a sector every 1536 bytes; the sector passes when its three
    // packet starts lie inside the clip (the last one's header and sync byte at least)
    // and the sector lies whole inside the image.
    std::int64_t hits = 0;
    for (std::int64_t at = 0; at + 2 * kPacket + 5 <= clipBytes && clipStart + at + kSector <= out.Position();
         at += 1536) {
        ++hits;
    }
    return hits;
}

int Usage()
{
    std::fprintf(stderr,
                 "usage: reelvane-bench-image --layout mixed|video --size BYTES [--seed N] OUTPUT\n");
    return 2;
}

}  // namespace

int main(int argc, char** argv)
{
    std::string layout;
    std::string output;
    std::int64_t size = 0;
    std::uint64_t seed = 20261210;
    for (int i = 1; i < argc; ++i) {
        const std::string a = argv[i];
        if (a == "--layout" && i + 1 < argc) {
            layout = argv[++i];
        } else if (a == "--size" && i + 1 < argc) {
            size = std::strtoll(argv[++i], nullptr, 10);
        } else if (a == "--seed" && i + 1 < argc) {
            seed = std::strtoull(argv[++i], nullptr, 10);
        } else if (!a.empty() && a[0] != '-' && output.empty()) {
            output = a;
        } else {
            return Usage();
        }
    }
    if ((layout != "mixed" && layout != "video") || size <= 0 || output.empty()) return Usage();

    const int fd = ::open(output.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    if (fd < 0) {
        std::fprintf(stderr, "reelvane-bench-image: cannot create %s: %s\n", output.c_str(),
                     std::strerror(errno));
        return 1;
    }
    Random random(seed);
    ImageWriter out(fd, size);
    std::int64_t clips = 0;
    std::int64_t videoBytes = 0;
    std::int64_t hits = 0;
    const bool mixed = layout == "mixed";
    while (out.Left() > 0) {
        if (mixed) {
            const std::int64_t gap = random.Between(1024, 16 * 1024) * kSector;   // 512 KiB - 8 MiB
            const std::uint64_t kind = random.Next() % 10;
            WriteFiller(out, random, gap,
                        kind < 6 ? Filler::kRandom : kind < 9 ? Filler::kZeros : Filler::kText);
            if (out.Left() <= 0) break;
        }
        const std::int64_t clipSize = mixed ? random.Between(2 * kMiB, 8 * kMiB)
                                            : random.Between(32 * kMiB, 128 * kMiB);
        const std::int64_t before = out.Position();
        hits += WriteClip(out, random, clipSize / kPacket);
        videoBytes += out.Position() - before;
        ++clips;
    }
    out.Flush();
    if (::close(fd) != 0) {
        std::fprintf(stderr, "reelvane-bench-image: cannot close %s: %s\n", output.c_str(),
                     std::strerror(errno));
        return 1;
    }
    std::printf("image %s: %lld bytes, %lld clips, %lld video bytes, %lld expected hits\n",
                output.c_str(), static_cast<long long>(size), static_cast<long long>(clips),
                static_cast<long long>(videoBytes), static_cast<long long>(hits));
    return 0;
}
