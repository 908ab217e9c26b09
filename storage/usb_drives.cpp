#include "storage/usb_drives.h"

#include "platform/number_picture.h"

#include <cmath>
#include <cstdlib>

namespace brimlow::storage {

namespace {

struct CapabilityName {
    std::int64_t code;
    const char* text;
};

constexpr CapabilityName kCapabilityNames[] = {
    {2, "Sequential Access."}, {3, "Random Access."}, {4, "Writing."},
    {5, "Encryption."},        {6, "Compression."},   {7, "Removable Media."},
    {10, "SMART Notification."}, {12, "Ejection Not Required Prior to Drive Dismount."},
};

constexpr std::size_t kCapabilitiesShown = 3;

std::optional<double> NumberOf(const WmiScalar& scalar) {
    if (const auto* i = std::get_if<std::int64_t>(&scalar)) return static_cast<double>(*i);
    if (const auto* d = std::get_if<double>(&scalar)) return *d;
    if (const auto* s = std::get_if<std::string>(&scalar)) {
        char* end = nullptr;
        const double value = std::strtod(s->c_str(), &end);
        if (end != s->c_str() && *end == '\0') return value;
    }
    return std::nullopt;
}

}  // namespace

std::string DiskCapabilityText(std::int64_t code) {
    for (const CapabilityName& c : kCapabilityNames)
        if (c.code == code) return std::string(c.text) + "\r";
    return {};
}

std::string CapabilitiesCell(const WmiValue& capabilities) {
    if (capabilities.IsNull() || !capabilities.IsArray()) return {};
    std::string cell;
    const auto& elements = capabilities.elements();
    for (std::size_t i = 0; i < kCapabilitiesShown && i < elements.size(); ++i) {
        const std::optional<double> code = NumberOf(elements[i]);
        if (code) cell += DiskCapabilityText(static_cast<std::int64_t>(*code));
    }
    return cell;
}

std::string GroupedNumberCell(const WmiValue& value, std::string_view thousandSeparator) {
    if (value.IsNull() || value.IsArray()) return {};
    const std::optional<double> number = NumberOf(value.scalar());
    if (!number) return {};
    return GroupThousands(static_cast<std::int64_t>(std::llround(*number)), thousandSeparator);
}

std::optional<std::vector<std::string>> UsbDriveRow(const WmiPropertyReader& read, int driveNumber,
                                                    std::string_view thousandSeparator,
                                                    std::string_view decimalSeparator) {
    const std::string interfaceType = WmiValueText(read("InterfaceType"), decimalSeparator);
    if (interfaceType != kUsbInterface) return std::nullopt;
    auto text = [&](const char* property) { return WmiValueText(read(property), decimalSeparator); };
    return std::vector<std::string>{
        std::to_string(driveNumber),
        interfaceType,
        text("Description"),
        text("MediaType"),
        text("Model"),
        CapabilitiesCell(read("Capabilities")),
        text("BytesPerSector"),
        GroupedNumberCell(read("TotalSectors"), thousandSeparator),
        GroupedNumberCell(read("Size"), thousandSeparator),
        text("Status"),
        text("PNPDeviceID"),
    };
}

}  // namespace brimlow::storage
