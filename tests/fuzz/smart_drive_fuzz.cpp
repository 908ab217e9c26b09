// The whole conversation with a drive that answers garbage: every open and every I/O control
// takes its outcome and its reply from the input. The driver can write at most the output size
// it was given, so the scripted one does the same; what it writes, how much and whether the
// control succeeds are the input's. Input: one byte for the platform family, then per open one
// byte (odd: the path does not open), per control one byte (odd: it fails), a 16-bit reply
// length and the reply.
#include "storage/HDD_Serial.h"
#include "storage/smartapi.h"
#include "tests/fuzz/fuzz_input.h"

#include <cstring>
#include <memory>

using namespace brimlow;
using namespace brimlow::storage;
using brimlow::fuzz::Expect;

namespace {

class GarbageFile final : public DeviceFile {
public:
    explicit GarbageFile(fuzz::FuzzInput& in) : in_(in) {}
    DeviceIoResult Control(std::uint32_t, const void*, std::uint32_t, void* out, std::uint32_t outSize) override {
        DeviceIoResult r;
        r.ok = (in_.U8() & 1) == 0;
        const auto reply = in_.Bytes(std::min<std::uint32_t>(in_.U16(), outSize));
        if (out != nullptr && !reply.empty()) std::memcpy(out, reply.data(), reply.size());
        r.bytesReturned = static_cast<std::uint32_t>(reply.size());
        if (!r.ok) r.error = in_.U8();
        return r;
    }

private:
    fuzz::FuzzInput& in_;
};

class GarbageDevices final : public DeviceIo {
public:
    explicit GarbageDevices(fuzz::FuzzInput& in) : in_(in) {}
    OpenedDevice Open(const std::string&, std::uint32_t, std::uint32_t) override {
        OpenedDevice device;
        if (in_.U8() & 1)
            device.error = 2;  // ERROR_FILE_NOT_FOUND
        else
            device.file = std::make_unique<GarbageFile>(in_);
        return device;
    }

private:
    fuzz::FuzzInput& in_;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    fuzz::FuzzInput in(data, size);
    GarbageDevices devices(in);
    SmartPlatform platform;
    platform.platformId = (in.U8() & 1) ? kPlatformWin9x : kPlatformNT;
    platform.devices = &devices;
    platform.systemMessage = [](std::uint32_t error) { return "error " + std::to_string(error); };

    std::string error, model, serial;
    std::uint64_t sizeBytes = 0;
    const bool identified = ReadDriveIdentity(platform, 0, error, model, serial, sizeBytes);
    Expect(identified || (model.empty() && serial.empty() && sizeBytes == 0), "a failed identity left facts behind");
    Expect(model.size() <= 40 && serial.size() <= 20, "identity text longer than its field");

    TSmartResult result;
    const bool read = ReadSmartData(platform, 0, result, error);
    Expect(result.attributeCount >= 0 && result.attributeCount <= kSmartEntries, "more attributes than entries");
    Expect(read || result.attributeCount == 0, "a failed reading left attributes behind");

    const std::string first = FirstDiskSerial(platform);
    Expect(first.size() <= 192, "serial longer than the inquiry's page");
    const int number = PhysicalDriveNumber(devices, "C:");
    (void)number;
    return 0;
}
