// Scripted device files for tests: the paths that open, what their I/O controls answer, and a
// record of every open and close, so a test sees both what was asked and that nothing stayed open.
#pragma once

#include "platform/device_io.h"

#include <cstdint>
#include <functional>
#include <map>
#include <stdexcept>
#include <memory>
#include <string>
#include <vector>

namespace brimlow::testing {

class ScriptedDeviceIo final : public DeviceIo {
public:
    // Answers one I/O control: the code, the input and the output buffers.
    using ControlHandler =
        std::function<DeviceIoResult(std::uint32_t code, const void* in, std::uint32_t inSize, void* out, std::uint32_t outSize)>;

    struct OpenCall {
        std::string path;
        std::uint32_t access;
        std::uint32_t share;
    };

    // ERROR_FILE_NOT_FOUND, as the system answers for a device name nobody registered.
    static constexpr std::uint32_t kNotFound = 2;
    // ERROR_NOT_SUPPORTED, as Wine answers the controls it does not know.
    static constexpr std::uint32_t kNotSupported = 50;

    // A device that opens at `path`; without `control` every I/O control fails as not supported.
    void AddDevice(const std::string& path, ControlHandler control = {}) { devices_[path] = std::move(control); }
    // Opening `path` throws, as a broken seam would.
    void ThrowOnOpen(const std::string& path) { throwing_.push_back(path); }

    OpenedDevice Open(const std::string& path, std::uint32_t access, std::uint32_t share) override {
        opens.push_back({path, access, share});
        for (const std::string& p : throwing_)
            if (p == path) throw std::runtime_error("scripted failure opening " + path);
        const auto device = devices_.find(path);
        if (device == devices_.end()) return {nullptr, kNotFound};
        ++openHandles_;
        return {std::make_unique<File>(*this, device->second), 0};
    }

    // Every open so far, in order.
    std::vector<OpenCall> opens;
    // Devices opened and not yet closed.
    int openHandles() const { return openHandles_; }
    // Every I/O control sent, by code.
    std::vector<std::uint32_t> controls;

private:
    class File final : public DeviceFile {
    public:
        File(ScriptedDeviceIo& owner, ControlHandler control) : owner_(owner), control_(std::move(control)) {}
        ~File() override { --owner_.openHandles_; }
        DeviceIoResult Control(std::uint32_t code, const void* in, std::uint32_t inSize, void* out,
                               std::uint32_t outSize) override {
            owner_.controls.push_back(code);
            if (!control_) return {false, 0, kNotSupported};
            return control_(code, in, inSize, out, outSize);
        }

    private:
        ScriptedDeviceIo& owner_;
        ControlHandler control_;
    };

    std::map<std::string, ControlHandler> devices_;
    std::vector<std::string> throwing_;
    int openHandles_ = 0;
};

}  // namespace brimlow::testing
