#!/usr/bin/env python3
"""Writes the captured block-device trees under tests/fixtures/sysroot-*/.

Each tree holds what the discovery code reads below its root directory, laid out
as the kernel lays it out: sys/devices/.../block/<disk>/<partition> directories
with their size (512-byte units), removable, partition and dev attributes, the
sys/block, sys/class/block and sys/dev/block symlinks into them, loop/backing_file
of bound loop devices, proc/self/mountinfo and run/udev/data/b<major>:<minor>.
The layout is the kernel's; the values are those of typical machines, trimmed to
the attributes the discovery code reads.

Each tree's dev/ holds small image files standing in for some of the devices,
so that a test can open them, list them as drives and recover from them. Where a
dev/ entry exists, the discovery code takes the device's size from it (the image
file's size), not from sysfs, and probes it with libblkid; a device without a dev/
entry is described from the udev database, as when the probe is not allowed.

sysroot-laptop/dev: loop2 (a squashfs image, 1 MiB), mmcblk0 (2 MiB of zeros),
nvme0n1 (3 MiB of zeros) and sda (an exFAT image labelled STICK, 3 MiB): the first
four numbered drives, so that the drive list shows three of them and never tries
the fourth. The partitions and sr0 have no dev/ entry.

sysroot-camera/dev: sdc, a 5 MiB card image with an MBR whose partition 1 starts
at sector 2048, and sdc1, the same 4 MiB FAT16 partition (labelled CAMERA, with
the Panasonic AG-HMC151 sample of tests/fixtures/README.md as a clip file) on its
own. Here the sysfs sizes match the images.

Needs mkfs.fat, mcopy, mksquashfs and mkfs.exfat (dosfstools, mtools,
squashfs-tools, exfatprogs).

Run from the repository root: tests/discovery/make_sysroot_fixtures.py
"""
import os
import shutil
import subprocess
import sys

FIXTURES = os.path.join("tests", "fixtures")


def write(path, text):
    os.makedirs(os.path.dirname(path), exist_ok=True)
    with open(path, "w") as f:
        f.write(text)


def link(path, target):
    os.makedirs(os.path.dirname(path), exist_ok=True)
    os.symlink(target, path)


class Tree:
    def __init__(self, name):
        self.root = os.path.join(FIXTURES, name)
        shutil.rmtree(self.root, ignore_errors=True)
        os.makedirs(self.root)
        self.udev = {}

    def device_dir(self, devpath):
        return os.path.join(self.root, "sys", "devices", devpath)

    def attrs(self, directory, **attributes):
        for key, value in attributes.items():
            write(os.path.join(directory, key), f"{value}\n")

    def disk(self, devpath, name, dev, size, removable, udev=None, extra=None):
        directory = self.device_dir(f"{devpath}/block/{name}")
        self.attrs(directory, size=size, removable=removable, dev=dev, ro=0)
        write(os.path.join(directory, "uevent"), f"MAJOR={dev.split(':')[0]}\nMINOR={dev.split(':')[1]}\n"
              f"DEVNAME={name}\nDEVTYPE=disk\n")
        for key, value in (extra or {}).items():
            write(os.path.join(directory, key), f"{value}\n")
        link(os.path.join(self.root, "sys", "block", name), f"../devices/{devpath}/block/{name}")
        link(os.path.join(self.root, "sys", "class", "block", name), f"../../devices/{devpath}/block/{name}")
        link(os.path.join(self.root, "sys", "dev", "block", dev), f"../../devices/{devpath}/block/{name}")
        if udev is not None:
            self.udev[dev] = udev

    def partition(self, devpath, disk, name, number, dev, start, size, udev=None):
        directory = self.device_dir(f"{devpath}/block/{disk}/{name}")
        self.attrs(directory, size=size, start=start, partition=number, dev=dev, ro=0)
        write(os.path.join(directory, "uevent"), f"MAJOR={dev.split(':')[0]}\nMINOR={dev.split(':')[1]}\n"
              f"DEVNAME={name}\nDEVTYPE=partition\nPARTN={number}\n")
        link(os.path.join(self.root, "sys", "class", "block", name),
             f"../../devices/{devpath}/block/{disk}/{name}")
        link(os.path.join(self.root, "sys", "dev", "block", dev),
             f"../../devices/{devpath}/block/{disk}/{name}")
        if udev is not None:
            self.udev[dev] = udev

    def finish(self, mountinfo, mount_points=()):
        write(os.path.join(self.root, "proc", "self", "mountinfo"), mountinfo)
        for dev, properties in self.udev.items():
            lines = "".join(f"E:{k}={v}\n" for k, v in properties.items())
            write(os.path.join(self.root, "run", "udev", "data", f"b{dev}"),
                  f"S:disk/by-id/fixture-{dev.replace(':', '-')}\nI:1000000\n{lines}G:systemd\n")
        for point in mount_points:
            write(os.path.join(self.root, point.lstrip("/"), ".mount-point"), "")


def sparse(path, mib):
    """Extends (or creates) path to mib MiB."""
    with open(path, "ab") as f:
        f.truncate(mib * 1024 * 1024)


def fs_udev(fs_type, label=None, label_enc=None, usage="filesystem", version=None):
    properties = {"ID_FS_TYPE": fs_type, "ID_FS_USAGE": usage}
    if label is not None:
        properties["ID_FS_LABEL"] = label
        properties["ID_FS_LABEL_ENC"] = label_enc if label_enc is not None else label
    if version:
        properties["ID_FS_VERSION"] = version
    return properties


def laptop():
    """A laptop: an SD slot holding a camera card, an NVMe system disk with mounted
    partitions and one labelled "Backup (old)", a USB stick formatted without a
    partition table, an empty card reader, a DVD drive with a disc, a snap's loop
    device, unbound loop devices, a RAM disk and zram swap."""
    t = Tree("sysroot-laptop")
    virtual = "virtual"
    for n in (0, 1):
        t.disk(virtual, f"loop{n}", f"7:{n}", 0, 0)
    t.disk(virtual, "loop2", "7:2", 114376, 0, fs_udev("squashfs", version="4.0"),
           {"loop/backing_file": "/var/lib/snapd/snaps/core22_1122.snap", "loop/offset": 0})
    mmc = "platform/fe320000.mmc/mmc_host/mmc0/mmc0:aaaa"
    t.disk(mmc, "mmcblk0", "179:0", 62333952, 1)
    t.partition(mmc, "mmcblk0", "mmcblk0p1", 1, "179:1", 8192, 62325760,
                fs_udev("vfat", "CAMERA", version="FAT32"))
    nvme = "pci0000:00/0000:00:1d.0/0000:3d:00.0/nvme/nvme0"
    t.disk(nvme, "nvme0n1", "259:0", 976773168, 0)
    t.partition(nvme, "nvme0n1", "nvme0n1p1", 1, "259:1", 2048, 1048576, fs_udev("vfat", version="FAT32"))
    t.partition(nvme, "nvme0n1", "nvme0n1p2", 2, "259:2", 1050624, 900000000, fs_udev("btrfs"))
    t.partition(nvme, "nvme0n1", "nvme0n1p3", 3, "259:3", 901050624, 75720704,
                fs_udev("ext4", "Backup (old)", "Backup\\x20(old)", version="1.0"))
    usb = "pci0000:00/0000:00:14.0/usb2/2-1/2-1:1.0/host0/target0:0:0/0:0:0:0"
    t.disk(usb, "sda", "8:0", 15633408, 1, fs_udev("exfat", "STICK", version="1.0"))
    reader = "pci0000:00/0000:00:14.0/usb2/2-2/2-2:1.0/host1/target1:0:0/1:0:0:0"
    t.disk(reader, "sdb", "8:16", 0, 1)
    ata = "pci0000:00/0000:00:17.0/ata1/host2/target2:0:0/2:0:0:0"
    t.disk(ata, "sr0", "11:0", 1433600, 1, fs_udev("iso9660", "DISC"))
    t.disk(virtual, "ram0", "1:0", 8192, 0)
    t.disk(virtual, "zram0", "252:0", 8388608, 0, fs_udev("swap", usage="other", version="1"))
    mountinfo = (
        "22 1 0:27 / / rw,relatime shared:1 - btrfs /dev/nvme0n1p2 rw,ssd,subvol=/\n"
        "23 22 0:21 / /proc rw,nosuid,nodev,noexec,relatime shared:12 - proc proc rw\n"
        "24 22 0:22 / /sys rw,nosuid,nodev,noexec,relatime shared:2 - sysfs sysfs rw\n"
        "25 22 0:6 / /dev rw,nosuid,relatime shared:8 - devtmpfs udev rw,size=8000000k,mode=755\n"
        "40 22 259:1 / /boot/efi rw,relatime shared:30 - vfat /dev/nvme0n1p1 rw,fmask=0077,dmask=0077\n"
        "41 22 7:2 / /snap/core22/1122 ro,nodev,relatime shared:31 - squashfs /dev/loop2 ro\n"
    )
    t.finish(mountinfo, ["/boot/efi", "/snap/core22/1122"])
    dev = os.path.join(t.root, "dev")
    os.makedirs(dev)
    content = os.path.join(t.root, "squashfs-content")
    os.makedirs(content)
    write(os.path.join(content, "snap.yaml"), "name: core22\n")
    subprocess.run(["mksquashfs", content, os.path.join(dev, "loop2"), "-noappend", "-all-time", "0",
                    "-mkfs-time", "0", "-quiet"], check=True, stdout=subprocess.DEVNULL)
    shutil.rmtree(content)
    sparse(os.path.join(dev, "loop2"), 1)
    sparse(os.path.join(dev, "mmcblk0"), 2)
    sparse(os.path.join(dev, "nvme0n1"), 3)
    sparse(os.path.join(dev, "sda"), 3)
    subprocess.run(["mkfs.exfat", "-L", "STICK", os.path.join(dev, "sda")], check=True,
                   stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)


def camera():
    """A card reader with a camera card whose partition is a real FAT16 image."""
    t = Tree("sysroot-camera")
    usb = "pci0000:00/0000:00:14.0/usb1/1-3/1-3:1.0/host4/target4:0:0/4:0:0:0"
    t.disk(usb, "sdc", "8:32", 10240, 1)
    t.partition(usb, "sdc", "sdc1", 1, "8:33", 2048, 8192)
    t.finish("22 1 259:2 / / rw,relatime shared:1 - ext4 /dev/nvme0n1p2 rw\n")
    image = os.path.join(t.root, "dev", "sdc1")
    os.makedirs(os.path.dirname(image))
    with open(image, "wb") as f:
        f.truncate(4 * 1024 * 1024)
    subprocess.run(["mkfs.fat", "-F", "16", "-s", "1", "-n", "CAMERA", "-i", "4d545331", image], check=True,
                   stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    sample = os.path.join(FIXTURES, "Panasonic_AG_HMC_151.MTS")
    env = dict(os.environ, MTOOLS_SKIP_CHECK="1")
    for folder in ("::PRIVATE", "::PRIVATE/AVCHD", "::PRIVATE/AVCHD/BDMV", "::PRIVATE/AVCHD/BDMV/STREAM"):
        subprocess.run(["mmd", "-i", image, folder], check=True, env=env)
    subprocess.run(["mcopy", "-i", image, "-m", sample, "::PRIVATE/AVCHD/BDMV/STREAM/00000.MTS"],
                   check=True, env=env)
    # The whole card: an MBR with one FAT16 partition (type 0x06) from sector 2048,
    # 8192 sectors long, holding the partition image.
    disk = os.path.join(t.root, "dev", "sdc")
    with open(image, "rb") as f:
        partition = f.read()
    mbr = bytearray(512)
    mbr[446:462] = bytes([0x00, 0xFE, 0xFF, 0xFF, 0x06, 0xFE, 0xFF, 0xFF]) + \
        (2048).to_bytes(4, "little") + (8192).to_bytes(4, "little")
    mbr[510:512] = b"\x55\xaa"
    with open(disk, "wb") as f:
        f.write(mbr)
        f.seek(2048 * 512)
        f.write(partition)
    write(os.path.join(t.root, "README.md"),
          "A card reader (sdc) holding a camera card. dev/sdc is a 5 MiB card image\n"
          "with an MBR whose partition 1 starts at sector 2048; dev/sdc1 is that\n"
          "partition on its own, a 4 MiB FAT16 image labelled CAMERA. It holds\n"
          "PRIVATE/AVCHD/BDMV/STREAM/00000.MTS, a copy of Panasonic_AG_HMC_151.MTS:\n"
          "8,064 bytes of Panasonic AG-HMC151 output from the hachoir project\n"
          "(tests/files/Panasonic_AG_HMC_151.MTS), GPL-2.0 (hachoir's COPYING).\n"
          "Made by tests/discovery/make_sysroot_fixtures.py.\n")


if __name__ == "__main__":
    if not os.path.isdir(FIXTURES):
        sys.exit("run from the repository root")
    laptop()
    camera()
