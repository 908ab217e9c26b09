#include "platform/device_io_win.h"

#include "platform/scsi_pass_through.h"
#include "platform/win_handles.h"

#include <windows.h>
#include <winioctl.h>
#include <ntddscsi.h>

#include <cstddef>

namespace brimlow::win {

static_assert(kGenericRead == GENERIC_READ && kGenericWrite == GENERIC_WRITE);
static_assert(kShareRead == FILE_SHARE_READ && kShareWrite == FILE_SHARE_WRITE);

// The portable wire records are the system's.
static_assert(kIoctlScsiPassThroughDirect == IOCTL_SCSI_PASS_THROUGH_DIRECT);
static_assert(sizeof(ScsiPassThroughDirect) == sizeof(SCSI_PASS_THROUGH_DIRECT));
static_assert(offsetof(ScsiPassThroughDirect, DataBuffer) == offsetof(SCSI_PASS_THROUGH_DIRECT, DataBuffer));
static_assert(offsetof(ScsiPassThroughDirect, SenseInfoOffset) ==
              offsetof(SCSI_PASS_THROUGH_DIRECT, SenseInfoOffset));
static_assert(offsetof(ScsiPassThroughDirect, Cdb) == offsetof(SCSI_PASS_THROUGH_DIRECT, Cdb));
BRIMLOW_PIN_SIZE(SCSI_PASS_THROUGH_DIRECT, 44, 56);

namespace {

class SystemDeviceFile final : public DeviceFile {
public:
    explicit SystemDeviceFile(FileHandle handle) : handle_(std::move(handle)) {}

    DeviceIoResult Control(std::uint32_t code, const void* in, std::uint32_t inSize, void* out,
                           std::uint32_t outSize) override {
        DWORD returned = 0;
        const BOOL ok = ::DeviceIoControl(handle_.get(), code, const_cast<void*>(in), inSize, out, outSize, &returned,
                                          nullptr);
        return {ok != FALSE, returned, ok ? 0 : ::GetLastError()};
    }

private:
    FileHandle handle_;
};

}  // namespace

OpenedDevice SystemDeviceIo::Open(const std::string& path, std::uint32_t access, std::uint32_t share) {
    FileHandle handle(::CreateFileA(path.c_str(), access, share, nullptr, OPEN_EXISTING, 0, nullptr));
    if (!handle) return {nullptr, ::GetLastError()};
    return {std::make_unique<SystemDeviceFile>(std::move(handle)), 0};
}

DeviceIo& SystemDevices() {
    static SystemDeviceIo devices;
    return devices;
}

}  // namespace brimlow::win
