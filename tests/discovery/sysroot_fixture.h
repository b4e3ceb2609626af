#pragma once
// The captured device trees of tests/fixtures/sysroot-*, and what the discovery
// tests do with them: open them with fixed file-system figures for the mounted
// partitions, and copy them to a scratch folder to take a device away.

#include <filesystem>
#include <map>
#include <string>

#include "platform/linux/linux_platform.h"
#include "support/temp_dir.h"

namespace reelvane::testing {

inline std::string SysrootFixture(const std::string& name)
{
    return std::string(REELVANE_FIXTURES) + "/sysroot-" + name;
}

// The laptop tree's mounted file systems as a test sees them, whatever the disk the
// tree lies on has free: the EFI partition 480 MiB free of 510 MiB, the root file
// system 100 GiB free of 400 GiB, the snap's squashfs full.
inline platform::linux_volumes::FolderSpaceQuery LaptopSpace(const std::string& root)
{
    const std::map<std::string, platform::VolumeSpace> figures = {
        {root + "/boot/efi", {510LL << 20, 480LL << 20}},
        {root + "/", {400LL << 30, 100LL << 30}},
        {root + "/snap/core22/1122", {74579968, 0}},
    };
    return [figures](const std::string& folder) -> std::optional<platform::VolumeSpace> {
        const auto it = figures.find(folder);
        if (it == figures.end()) return std::nullopt;
        return it->second;
    };
}

// A copy of a fixture tree (symbolic links kept) in a scratch folder, for a test
// that changes it.
class SysrootCopy {
public:
    explicit SysrootCopy(const std::string& name)
    {
        std::filesystem::copy(SysrootFixture(name), Root(),
                              std::filesystem::copy_options::recursive |
                                  std::filesystem::copy_options::copy_symlinks);
    }
    std::string Root() const { return dir_ / "tree"; }
    void Remove(const std::string& relative) const { std::filesystem::remove(Root() + "/" + relative); }

private:
    TempDir dir_;
};

}  // namespace reelvane::testing
