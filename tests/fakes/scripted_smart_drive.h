// A scripted SMART drive behind ScriptedDeviceIo: the device map of its version answer and, per
// device position, the IDENTIFY, attribute and threshold pages it returns or the command that
// fails. Every command the driver receives is recorded with its registers.
#pragma once

#include "storage/smartapi.h"
#include "tests/fakes/scripted_device_io.h"

#include <array>
#include <cstdint>
#include <cstring>
#include <map>
#include <string>
#include <vector>

namespace brimlow::testing {

using Page = std::array<std::uint8_t, storage::kSectorSize>;

// An ATA string field: the text padded with blanks, each pair of characters swapped.
inline void PutAtaString(Page& page, std::size_t offset, std::size_t length, const std::string& text) {
    std::string field = text;
    field.resize(length, ' ');
    for (std::size_t i = 0; i + 1 < length; i += 2) std::swap(field[i], field[i + 1]);
    std::memcpy(page.data() + offset, field.data(), length);
}

inline Page IdentifyPage(const std::string& model, const std::string& serial, const std::string& firmware,
                         std::uint32_t sectors) {
    Page page{};
    PutAtaString(page, 20, 20, serial);
    PutAtaString(page, 46, 8, firmware);
    PutAtaString(page, 54, 40, model);
    std::memcpy(page.data() + 120, &sectors, 4);
    return page;
}

struct AttributeRow {
    int id;
    int flags;
    int current, worst, threshold;
    std::uint64_t raw;
};

inline void PutAttributes(const std::vector<AttributeRow>& rows, Page& attributes, Page& thresholds) {
    attributes.fill(0);
    thresholds.fill(0);
    attributes[0] = thresholds[0] = 0x10;  // revision
    for (std::size_t k = 0; k < rows.size() && k < 30; ++k) {
        std::uint8_t* a = attributes.data() + 2 + 12 * k;
        std::uint8_t* t = thresholds.data() + 2 + 12 * k;
        a[0] = t[0] = static_cast<std::uint8_t>(rows[k].id);
        a[1] = static_cast<std::uint8_t>(rows[k].flags);
        a[2] = static_cast<std::uint8_t>(rows[k].flags >> 8);
        a[3] = static_cast<std::uint8_t>(rows[k].current);
        a[4] = static_cast<std::uint8_t>(rows[k].worst);
        for (int i = 0; i < 6; ++i) a[5 + i] = static_cast<std::uint8_t>(rows[k].raw >> (8 * i));
        t[1] = static_cast<std::uint8_t>(rows[k].threshold);
    }
}

class ScriptedSmartDrive {
public:
    struct Position {
        Page identify{}, attributes{}, thresholds{};
        bool enableFails = false, identifyFails = false, attributesFail = false, thresholdsFail = false;
        std::uint8_t driverError = 0, ideStatus = 0;  // written into DRIVERSTATUS on a failure
        std::uint32_t error = 31;                     // ERROR_GEN_FUNCTION_FAILURE
    };
    struct Sent {
        std::uint32_t code;
        std::uint32_t inSize, outSize;
        storage::SendCmdInParams in;
        std::uint32_t outBufferSize;  // cBufferSize of the output as the caller left it
    };

    std::uint8_t deviceMap = 0x01;
    bool versionFails = false;
    std::map<int, Position> positions;
    std::vector<Sent> sent;

    ScriptedDeviceIo::ControlHandler Handler() {
        return [this](std::uint32_t code, const void* in, std::uint32_t inSize, void* out, std::uint32_t outSize) {
            return Answer(code, in, inSize, out, outSize);
        };
    }

private:
    DeviceIoResult Answer(std::uint32_t code, const void* in, std::uint32_t inSize, void* out, std::uint32_t outSize) {
        if (code == storage::kSmartGetVersion) {
            if (versionFails || outSize < sizeof(storage::GetVersionOutParams)) return {false, 0, 1};
            storage::GetVersionOutParams v{};
            v.bVersion = 1;
            v.bIDEDeviceMap = deviceMap;
            v.fCapabilities = 7;
            std::memcpy(out, &v, sizeof v);
            return {true, sizeof v, 0};
        }
        if (code != storage::kSmartSendDriveCommand && code != storage::kSmartRcvDriveData)
            return {false, 0, ScriptedDeviceIo::kNotSupported};
        Sent s{};
        s.code = code;
        s.inSize = inSize;
        s.outSize = outSize;
        std::memcpy(&s.in, in, std::min<std::size_t>(inSize, sizeof s.in));
        std::memcpy(&s.outBufferSize, out, 4);
        sent.push_back(s);
        auto* bytes = static_cast<std::uint8_t*>(out);
        const auto p = positions.find(s.in.bDriveNumber);
        if (p == positions.end()) return {false, 0, 1117};  // ERROR_IO_DEVICE
        const Position& pos = p->second;
        const auto fail = [&] {
            bytes[4] = pos.driverError;
            bytes[5] = pos.ideStatus;
            return DeviceIoResult{false, 0, pos.error};
        };
        const auto give = [&](const Page& page) {
            std::memcpy(bytes + 16, page.data(), page.size());
            return DeviceIoResult{true, 16 + 512, 0};
        };
        const std::uint8_t command = s.in.irDriveRegs.bCommandReg;
        const std::uint8_t features = s.in.irDriveRegs.bFeaturesReg;
        if (command == storage::kAtaSmart && features == storage::kSmartEnable)
            return pos.enableFails ? fail() : DeviceIoResult{true, 16, 0};
        if (command == storage::kAtaIdentifyDevice || command == storage::kAtaIdentifyPacketDevice)
            return pos.identifyFails ? fail() : give(pos.identify);
        if (command == storage::kAtaSmart && features == storage::kSmartReadAttributes)
            return pos.attributesFail ? fail() : give(pos.attributes);
        if (command == storage::kAtaSmart && features == storage::kSmartReadThresholds)
            return pos.thresholdsFail ? fail() : give(pos.thresholds);
        return {false, 0, 87};  // ERROR_INVALID_PARAMETER
    }
};

}  // namespace brimlow::testing
