#include "storage/smartapi.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <exception>
#include <vector>

namespace brimlow::storage {

namespace {

bool IsTrimmed(unsigned char c) { return c <= ' '; }

std::string Trim(std::string text) {
    const auto first = std::find_if_not(text.begin(), text.end(), IsTrimmed);
    const auto last = std::find_if_not(text.rbegin(), text.rend(), IsTrimmed).base();
    return first < last ? std::string(first, last) : std::string();
}

std::uint32_t ReadU32(const std::uint8_t* p) {
    return std::uint32_t(p[0]) | (std::uint32_t(p[1]) << 8) | (std::uint32_t(p[2]) << 16) | (std::uint32_t(p[3]) << 24);
}

std::string Hex4(int value) {
    char text[16];
    std::snprintf(text, sizeof text, "%04X", static_cast<unsigned>(value) & 0xFFFFu);
    return text;
}

constexpr std::size_t kEntrySize = 12;
constexpr std::size_t kTableStart = 2;  // after the revision number

}  // namespace

std::string SwapAtaString(std::span<const std::uint8_t> field) {
    std::string text(field.begin(), field.end());
    for (std::size_t i = 0; i + 1 < text.size(); i += 2) std::swap(text[i], text[i + 1]);
    return Trim(std::move(text));
}

IdentifyFacts DecodeIdentify(std::span<const std::uint8_t, kSectorSize> page) {
    IdentifyFacts facts;
    facts.serial = SwapAtaString(page.subspan(20, 20));
    facts.firmware = SwapAtaString(page.subspan(46, 8));
    facts.model = SwapAtaString(page.subspan(54, 40));
    facts.sizeBytes = std::uint64_t(ReadU32(page.data() + 120)) * kSectorSize;
    return facts;
}

std::string SmartAttributeName(int id) {
    static constexpr const char* kLow[] = {"No Attribute Here",       "Raw Read Error Rate",
                                           "Throughput Performance",  "Spin Up Time",
                                           "Start/Stop Count",        "Reallocated Sector Count",
                                           "Read Channel Margin",     "Seek Error Rate",
                                           "Seek Time Performance",   "Power On Count",
                                           "Spin Retry Count",        "Calibration Retry Count",
                                           "Power Cycle Count"};
    static constexpr const char* kHigh[] = {
        "Emergency Retract Cycle", "Load Cycle Count",     "Temperature Celcius",    "Hardware ECC",
        "Reallocation Event Count", "Current Pending Sector", "Off-line Uncorrectable", "Ultra ATA CRC Error Rate",
        "Multi Zone Error Rate",   "Off Track Errors",     "TA Increase Count",      "ECC Errors",
        "Shock Count Write Ops",   "Shock Rate Write Ops", "Unknown Attribute",      "Spin High Current",
        "Spin Buzz",               "Offline Seek Perf"};
    if (id >= 0 && id < int(std::size(kLow))) return kLow[id];
    if (id >= 192 && id < 192 + int(std::size(kHigh))) return kHigh[id - 192];
    return "Unknown";
}

std::string DriverStatusText(int code) {
    static constexpr const char* kTexts[] = {
        "No error",
        "Error from IDE controller",
        "Invalid command flag",
        "Invalid command byte",
        "Bad buffer (null, invalid addr..)",
        "Drive number not valid",
        "Invalid IOCTL",
        "Could not lock user\"s buffer",  // the quote is the stored text's own
        "Some IDE Register not valid",
        "Invalid cmd flag set",
        "Cmd issued to device not present although drive number is valid"};
    if (code >= 0 && code < int(std::size(kTexts))) return kTexts[code];
    return {};
}

void SmartAttributeState(std::span<const std::uint8_t, kSectorSize> attributes,
                         std::span<const std::uint8_t, kSectorSize> thresholds, TSmartResult& result) {
    int nominal = 100;
    int slot = 0;
    for (int entry = 0; entry < kSmartEntries; ++entry) {
        const std::uint8_t* a = attributes.data() + kTableStart + entry * kEntrySize;
        const std::uint8_t* t = thresholds.data() + kTableStart + entry * kEntrySize;
        if (a[0] == 0) break;
        SmartAttribute& s = result.attributes[slot];
        const int flags = a[1] | (a[2] << 8);
        s.id = a[0];
        s.name = SmartAttributeName(s.id);
        s.preFailure = (flags & 0x01) != 0;
        s.errorRate = (flags & 0x08) != 0;
        s.eventCount = (flags & 0x10) != 0;
        s.current = a[3];
        s.worst = a[4];
        s.threshold = t[1];
        s.raw = 0;
        for (int i = 5; i >= 0; --i) s.raw = (s.raw << 8) | a[5 + i];
        if ((s.id == 3 || s.id == 4) && s.current > 230) nominal = 253;
        if (s.id == 194) result.temperature = a[5];
        if (!s.preFailure || s.threshold == 0) {
            s.state = std::string(kStateNotJudged);
        } else if (s.threshold > s.current) {
            s.state = std::string(kStateFailingNow);
            ++result.failingCount;
        } else if (s.threshold > s.worst) {
            s.state = std::string(kStateFailedInPast);
            ++result.failingCount;
        } else if (s.current < s.threshold + (nominal - s.threshold) / 2) {
            s.state = std::string(kStateWarning);
        } else if (s.id == 5 && s.raw > 500) {
            s.state = std::string(kStateWarning);
        } else {
            s.state = std::string(kStateOk);
        }
        ++slot;
    }
    result.attributeCount = slot;
}

// ---- The conversation -------------------------------------------------------------------------

namespace {

// One open SMART device: the commands of both operations and the texts of their failures.
class SmartDevice {
public:
    SmartDevice(const SmartPlatform& platform, DeviceFile& file) : platform_(platform), file_(file) {}

    std::string Message(std::uint32_t error) const {
        return platform_.systemMessage ? platform_.systemMessage(error) : std::string();
    }

    DeviceIoResult GetVersion(GetVersionOutParams& version) {
        std::memset(&version, 0, sizeof version);
        return file_.Control(kSmartGetVersion, nullptr, 0, &version, sizeof version);
    }

    // SMART ENABLE, IDENTIFY and the two reads: the registers for device position n.
    DeviceIoResult Command(std::uint32_t code, int position, std::uint8_t command, std::uint8_t features,
                           std::uint32_t bufferSize, std::uint32_t outSize) {
        SendCmdInParams in;
        std::memset(&in, 0, sizeof in);
        in.cBufferSize = bufferSize;
        in.irDriveRegs.bFeaturesReg = features;
        in.irDriveRegs.bSectorCountReg = 1;
        in.irDriveRegs.bSectorNumberReg = 1;
        if (command == kAtaSmart) {
            in.irDriveRegs.bCylLowReg = kSmartCylLow;
            in.irDriveRegs.bCylHighReg = kSmartCylHigh;
        }
        in.irDriveRegs.bDriveHeadReg = static_cast<std::uint8_t>(0xA0 | ((position & 1) << 4));
        in.irDriveRegs.bCommandReg = command;
        in.bDriveNumber = static_cast<std::uint8_t>(position);
        std::fill(out_.begin(), out_.end(), std::uint8_t(0));
        if (code == kSmartRcvDriveData && command != kAtaSmart) {
            const std::uint32_t size = kSectorSize;
            std::memcpy(out_.data(), &size, sizeof size);
        }
        return file_.Control(code, &in, kSendCmdInSize, out_.data(), outSize);
    }

    DeviceIoResult Enable(int position) {
        return Command(kSmartSendDriveCommand, position, kAtaSmart, kSmartEnable, 0, kReadOut);
    }
    DeviceIoResult Identify(int position, bool atapi) {
        return Command(kSmartRcvDriveData, position, atapi ? kAtaIdentifyPacketDevice : kAtaIdentifyDevice, 0,
                       kSectorSize, kIdentifyOut);
    }
    DeviceIoResult Read(int position, std::uint8_t features) {
        return Command(kSmartRcvDriveData, position, kAtaSmart, features, kSectorSize, kReadOut);
    }

    std::span<const std::uint8_t, kSectorSize> Data() const {
        return std::span<const std::uint8_t, kSectorSize>(out_.data() + kSendCmdOutHeader, kSectorSize);
    }
    int DriverError() const { return out_[4]; }
    int IdeStatus() const { return out_[5]; }

    std::string EnableFailed(int position, const DeviceIoResult& r) const {
        return "SMART Enable Command Failed, Drive: " + std::to_string(position) + " : " + Message(r.error);
    }
    std::string IdentifyFailed(const DeviceIoResult& r) const {
        return "Identify Command Failed on Drive: " + DriverStatusText(DriverError()) +
               " bIDEStatus=" + Hex4(IdeStatus()) + " : " + Message(r.error);
    }
    std::string ReadFailed(const char* what, int position, const DeviceIoResult& r) const {
        return std::string(what) + std::to_string(position) + " : " + Message(r.error) +
               "; DriverStatus: " + DriverStatusText(DriverError()) + "; bIDEStatus=" + Hex4(IdeStatus());
    }

private:
    // 16 header bytes, a sector and one spare; ENABLE and the reads declare one byte less.
    static constexpr std::uint32_t kIdentifyOut = kSendCmdOutHeader + kSectorSize + 1;
    static constexpr std::uint32_t kReadOut = kSendCmdOutHeader + kSectorSize;

    const SmartPlatform& platform_;
    DeviceFile& file_;
    std::array<std::uint8_t, kSendCmdOutHeader + kSectorSize + 1> out_{};
};

// Opens the platform's SMART device; the error text when it does not open.
OpenedDevice OpenSmartDevice(const SmartPlatform& platform, std::uint16_t drive, std::string& error) {
    if (platform.platformId == kPlatformWin9x) {
        OpenedDevice device = platform.devices->Open("\\\\.\\SMARTVSD", 0, 0);
        if (!device) error = "Unable to open SMARTVSD: " + (platform.systemMessage ? platform.systemMessage(device.error) : "");
        return device;
    }
    OpenedDevice device = platform.devices->Open("\\\\.\\PhysicalDrive" + std::to_string(drive),
                                                 kGenericRead | kGenericWrite, kShareRead | kShareWrite);
    if (!device)
        error = "Unable to open physical drive: " + (platform.systemMessage ? platform.systemMessage(device.error) : "");
    return device;
}

bool Served(const SmartPlatform& platform) {
    return platform.devices != nullptr &&
           (platform.platformId == kPlatformWin9x || platform.platformId == kPlatformNT);
}

std::string Unexpected(const char* what) { return Trim(std::string("SMART Failed - ") + what); }

}  // namespace

bool ReadDriveIdentity(const SmartPlatform& platform, std::uint16_t drive, std::string& error, std::string& model,
                       std::string& serial, std::uint64_t& sizeBytes) {
    error.clear();
    model.clear();
    serial.clear();
    sizeBytes = 0;
    if (!Served(platform)) return false;
    try {
        OpenedDevice device = OpenSmartDevice(platform, drive, error);
        if (!device) return false;
        SmartDevice smart(platform, *device.file);
        GetVersionOutParams version;
        DeviceIoResult last = smart.GetVersion(version);
        if (!last.ok) {
            error = "DFP_GET_VERSION failed: " + smart.Message(last.error);
            return false;
        }
        for (int n = 0; n < 4; ++n) {
            if ((version.bIDEDeviceMap & (1 << n)) == 0) continue;
            const bool atapi = (version.bIDEDeviceMap & (0x10 << n)) != 0;
            if (!atapi) {
                last = smart.Enable(n);
                if (!last.ok) error = smart.EnableFailed(n, last);
            }
            last = smart.Identify(n, atapi);
            if (last.ok) {
                const IdentifyFacts facts = DecodeIdentify(smart.Data());
                model = facts.model;
                serial = facts.serial;
                sizeBytes = facts.sizeBytes;
                break;
            }
            error = smart.IdentifyFailed(last);
        }
        return last.ok;
    } catch (const std::exception& e) {
        error = Unexpected(e.what());
    } catch (...) {
        error = Unexpected("unknown error");
    }
    return false;
}

bool ReadSmartData(const SmartPlatform& platform, std::uint16_t drive, TSmartResult& result, std::string& error) {
    result = TSmartResult{};
    error.clear();
    if (!Served(platform)) return false;
    try {
        OpenedDevice device = OpenSmartDevice(platform, drive, error);
        if (!device) return false;
        SmartDevice smart(platform, *device.file);
        GetVersionOutParams version;
        DeviceIoResult last = smart.GetVersion(version);
        if (!last.ok) {
            error = "DFP_GET_VERSION failed: " + smart.Message(last.error);
            return false;
        }
        std::vector<std::uint8_t> attributes(kSectorSize);
        for (int n = 0; n < 4; ++n) {
            if ((version.bIDEDeviceMap & (1 << n)) == 0) continue;
            const bool atapi = (version.bIDEDeviceMap & (0x10 << n)) != 0;
            if (!atapi) {
                last = smart.Enable(n);
                if (!last.ok) error = smart.EnableFailed(n, last);
            }
            last = smart.Identify(n, atapi);
            if (!last.ok) {
                error = smart.IdentifyFailed(last);
                continue;
            }
            result.firmware = DecodeIdentify(smart.Data()).firmware;
            last = smart.Read(n, kSmartReadAttributes);
            if (!last.ok) {
                error = smart.ReadFailed("SMART Read Attr Command Failed, Drive: ", n, last);
                continue;
            }
            std::copy(smart.Data().begin(), smart.Data().end(), attributes.begin());
            last = smart.Read(n, kSmartReadThresholds);
            if (!last.ok) {
                error = smart.ReadFailed("SMART Read Threshold Command Failed, Drive: ", n, last);
                continue;
            }
            SmartAttributeState(std::span<const std::uint8_t, kSectorSize>(attributes.data(), kSectorSize),
                                smart.Data(), result);
            return true;
        }
        return last.ok;
    } catch (const std::exception& e) {
        error = Unexpected(e.what());
    } catch (...) {
        error = Unexpected("unknown error");
    }
    return false;
}

int PhysicalDriveNumber(DeviceIo& devices, std::string_view designation) {
    OpenedDevice volume = devices.Open("\\\\.\\" + std::string(designation), 0, kShareRead | kShareWrite);
    if (!volume) return -1;
    StorageDeviceNumber number{};
    const DeviceIoResult r =
        volume.file->Control(kIoctlStorageGetDeviceNumber, nullptr, 0, &number, sizeof number);
    return r.ok ? static_cast<int>(number.DeviceNumber) : -1;
}

}  // namespace brimlow::storage
