// Writes the fuzz targets' starting inputs from the recorded hardware fixtures: the CPUID dumps
// and the SMART tables of real machines, turned into the byte layouts each target reads. Real
// answers start the fuzzer deep inside the decoders instead of at their first length check.
//   fuzz_seeds FIXTURE_DIR OUT_DIR   (writes OUT_DIR/<target>/<fixture name>)
#include "cpu/cpuid.h"
#include "platform/registry_text.h"
#include "storage/smartapi.h"
#include "tests/fakes/mmc_pages.h"
#include "tests/fakes/scripted_smart_drive.h"
#include "tests/fuzz/fuzz_input.h"
#include "tests/fuzz/wmi_value_encoding.h"

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string_view>
#include <iostream>
#include <map>
#include <sstream>
#include <string>
#include <vector>

namespace fs = std::filesystem;
using namespace brimlow;
using brimlow::fuzz::FuzzOutput;

namespace {

struct CpuidLine {
    std::uint32_t leaf, eax, ebx, ecx, edx;
};

std::vector<CpuidLine> ReadCpuidDump(const fs::path& file) {
    std::vector<CpuidLine> lines;
    std::ifstream in(file);
    std::string line;
    while (std::getline(in, line)) {
        if (line.empty() || line[0] == '#') continue;
        std::istringstream fields(line);
        CpuidLine l{};
        fields >> std::hex >> l.leaf >> l.eax >> l.ebx >> l.ecx >> l.edx;
        if (fields) lines.push_back(l);
    }
    return lines;
}

struct SmartRecording {
    std::string model, firmware;
    std::vector<testing::AttributeRow> rows;
};

// "# model: <model>   firmware: <firmware>   serial: (omit)", then the attribute rows.
SmartRecording ReadSmartTable(const fs::path& file) {
    SmartRecording r;
    std::ifstream in(file);
    std::string line;
    const auto field = [](const std::string& text, const std::string& name) {
        const auto at = text.find(name);
        if (at == std::string::npos) return std::string();
        const auto start = at + name.size();
        const auto end = text.find("   ", start);
        return text.substr(start, end == std::string::npos ? std::string::npos : end - start);
    };
    while (std::getline(in, line)) {
        if (line.rfind("# model: ", 0) == 0) {
            r.model = field(line, "# model: ");
            r.firmware = field(line, "firmware: ");
        }
        if (line.empty() || line[0] == '#') continue;
        std::istringstream fields(line);
        testing::AttributeRow row{};
        std::string flags, type, raw;
        fields >> row.id >> flags >> row.current >> row.worst >> row.threshold >> type >> raw;
        if (!fields) continue;
        row.flags = std::stoi(flags, nullptr, 16);
        row.raw = std::stoull(raw) & 0xFFFFFFFFFFFFull;
        r.rows.push_back(row);
    }
    return r;
}

std::vector<std::uint8_t> Utf16(const std::string& text) {
    std::vector<std::uint8_t> wide;
    for (const char c : text) {
        wide.push_back(static_cast<std::uint8_t>(c));
        wide.push_back(0);
    }
    wide.push_back(0);
    wide.push_back(0);
    return wide;
}

std::string BrandOf(const std::vector<CpuidLine>& dump) {
    std::string brand;
    for (const CpuidLine& l : dump) {
        if (l.leaf < kLeafBrandFirst || l.leaf > kLeafBrandLast) continue;
        for (const std::uint32_t r : {l.eax, l.ebx, l.ecx, l.edx})
            for (int i = 0; i < 4; ++i) brand += static_cast<char>((r >> (8 * i)) & 0xFF);
    }
    return brand.substr(0, brand.find('\0'));
}

const CpuidLine* LeafOf(const std::vector<CpuidLine>& dump, std::uint32_t leaf) {
    for (const CpuidLine& l : dump)
        if (l.leaf == leaf) return &l;
    return nullptr;
}

class SeedWriter {
public:
    explicit SeedWriter(fs::path out) : out_(std::move(out)) {}
    void Write(const std::string& target, const std::string& name, const std::vector<std::uint8_t>& bytes) {
        const fs::path dir = out_ / target;
        fs::create_directories(dir);
        std::ofstream(dir / name, std::ios::binary)
            .write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
        ++written_[target];
    }
    void Report() const {
        for (const auto& [target, count] : written_) std::cout << target << ": " << count << " seeds\n";
    }

private:
    fs::path out_;
    std::map<std::string, int> written_;
};

void CpuidSeeds(const std::string& name, const std::vector<CpuidLine>& dump, SeedWriter& seeds) {
    FuzzOutput cpuid;
    cpuid.U8(0);
    for (const CpuidLine& l : dump)
        for (const std::uint32_t v : {l.leaf, l.eax, l.ebx, l.ecx, l.edx}) cpuid.U32(v);
    seeds.Write("cpuid", name, cpuid.bytes);

    // What the registry and WMI say about the same processor.
    const std::string brand = BrandOf(dump);
    const CpuidLine* leaf0 = LeafOf(dump, 0);
    const CpuidLine* leaf1 = LeafOf(dump, 1);
    std::string vendor;
    if (leaf0)
        for (const std::uint32_t r : {leaf0->ebx, leaf0->edx, leaf0->ecx})
            for (int i = 0; i < 4; ++i) vendor += static_cast<char>((r >> (8 * i)) & 0xFF);
    const auto registry = [&](const std::string& suffix, std::uint8_t type, const std::vector<std::uint8_t>& data) {
        std::vector<std::uint8_t> bytes{type};
        bytes.insert(bytes.end(), data.begin(), data.end());
        seeds.Write("registry_text", name + suffix, bytes);
    };
    std::vector<std::uint8_t> sz(brand.begin(), brand.end());
    sz.push_back(0);
    registry(".sz", kRegSz, sz);
    registry(".wide", kRegBinary, Utf16(brand));
    std::vector<std::uint8_t> multi(vendor.begin(), vendor.end());
    multi.push_back(0);
    multi.insert(multi.end(), sz.begin(), sz.end());
    multi.push_back(0);
    registry(".multi", kRegMultiSz, multi);
    if (leaf1) {
        FuzzOutput number;
        number.U32(leaf1->eax);
        registry(".dword", kRegDword, number.bytes);
        number.U32(leaf1->edx);
        registry(".qword", kRegQword, number.bytes);
    }

    // A Win32_Processor instance.
    FuzzOutput wmi;
    wmi.Text(".", 3);
    wmi.U8(fuzz::CimTypePick(kCimString));
    wmi.U8(fuzz::kValueScalar);
    wmi.U8(fuzz::kScalarText);
    wmi.Text(brand, 64);
    wmi.U8(1);  // one instance
    wmi.U8(4);  // of four properties
    const auto property = [&](const std::string& pname, int cimType) {
        wmi.Text(pname, 16);
        wmi.U8(fuzz::CimTypePick(cimType));
        wmi.U8(fuzz::kValueScalar);
    };
    property("Name", kCimString);
    wmi.U8(fuzz::kScalarText);
    wmi.Text(brand, 64);
    property("Manufacturer", kCimString);
    wmi.U8(fuzz::kScalarText);
    wmi.Text(vendor, 64);
    property("Family", kCimUint16);
    wmi.U8(fuzz::kScalarInteger);
    wmi.U64(leaf1 ? (leaf1->eax >> 8) & 0xF : 0);
    property("ProcessorId", kCimString);
    wmi.U8(fuzz::kScalarText);
    char id[32];
    std::snprintf(id, sizeof id, "%08X%08X", leaf1 ? leaf1->edx : 0u, leaf1 ? leaf1->eax : 0u);
    wmi.Text(id, 64);
    wmi.Text("Name", 16);
    seeds.Write("wmi_value", name, wmi.bytes);
}

void Reply(FuzzOutput& out, bool ok, std::span<const std::uint8_t> reply) {
    out.U8(ok ? 0 : 1);
    out.U16(static_cast<std::uint16_t>(reply.size()));
    out.Bytes(reply);
    if (!ok) out.U8(31);
}

void SmartSeeds(const std::string& name, const SmartRecording& r, SeedWriter& seeds) {
    using testing::Page;
    Page attributes, thresholds;
    testing::PutAttributes(r.rows, attributes, thresholds);
    std::vector<std::uint8_t> pages(attributes.begin(), attributes.end());
    pages.insert(pages.end(), thresholds.begin(), thresholds.end());
    seeds.Write("smart_pages", name, pages);

    const Page identify = testing::IdentifyPage(r.model, "", r.firmware, 78165360);
    seeds.Write("identify", name, std::vector<std::uint8_t>(identify.begin(), identify.end()));

    // A drive at position 0 that answers every command as a healthy one does.
    const auto withHeader = [](const Page& page, std::size_t extra) {
        std::vector<std::uint8_t> reply(storage::kSendCmdOutHeader, 0);
        reply[0] = 0x00;
        reply[1] = 0x02;  // cBufferSize 512
        reply.insert(reply.end(), page.begin(), page.end());
        reply.resize(reply.size() + extra, 0);
        return reply;
    };
    storage::GetVersionOutParams version{};
    version.bVersion = 1;
    version.bIDEDeviceMap = 0x01;
    const auto* v = reinterpret_cast<const std::uint8_t*>(&version);
    FuzzOutput drive;
    drive.U8(0);  // NT
    for (int conversation = 0; conversation < 2; ++conversation) {
        drive.U8(0);  // opens
        Reply(drive, true, std::span<const std::uint8_t>(v, sizeof version));
        Reply(drive, true, {});  // SMART ENABLE
        Reply(drive, true, withHeader(identify, 1));
        if (conversation == 1) {
            Reply(drive, true, withHeader(attributes, 0));
            Reply(drive, true, withHeader(thresholds, 0));
        }
    }
    drive.U8(0);  // the SCSI port opens for the miniport IDENTIFY
    std::vector<std::uint8_t> miniport(sizeof(storage::SrbIoControl), 0);
    const auto identifyReply = withHeader(identify, 0);
    miniport.insert(miniport.end(), identifyReply.begin(), identifyReply.end());
    miniport.resize(572, 0);
    Reply(drive, true, miniport);
    drive.U8(0);  // C: opens for its device number
    const storage::StorageDeviceNumber number{7, 0, 1};
    Reply(drive, true, std::span<const std::uint8_t>(reinterpret_cast<const std::uint8_t*>(&number), sizeof number));
    seeds.Write("smart_drive", name, drive.bytes);

    // Win32_DiskDrive of the same drive, two instances.
    FuzzOutput wmi;
    wmi.Text(",", 3);
    wmi.U8(fuzz::CimTypePick(kCimUint16 | kCimArrayFlag));
    wmi.U8(fuzz::kValueArray);
    wmi.U8(2);
    for (const std::uint64_t capability : {3u, 4u}) {
        wmi.U8(fuzz::kScalarInteger);
        wmi.U64(capability);
    }
    wmi.U8(2);
    for (int instance = 0; instance < 2; ++instance) {
        wmi.U8(3);
        wmi.Text("Model", 16);
        wmi.U8(fuzz::CimTypePick(kCimString));
        wmi.U8(fuzz::kValueScalar);
        wmi.U8(fuzz::kScalarText);
        wmi.Text(r.model, 64);
        wmi.Text("Size", 16);
        wmi.U8(fuzz::CimTypePick(kCimUint64));
        wmi.U8(fuzz::kValueScalar);
        wmi.U8(fuzz::kScalarText);
        wmi.Text(std::to_string(78165360ull * 512), 64);
        wmi.Text("Temperature", 16);
        wmi.U8(fuzz::CimTypePick(kCimReal64));
        wmi.U8(fuzz::kValueScalar);
        wmi.U8(fuzz::kScalarReal);
        double celsius = 0;
        for (const auto& row : r.rows)
            if (row.id == 194) celsius = static_cast<double>(row.raw & 0xFF) + 0.5;
        std::uint64_t bits;
        std::memcpy(&bits, &celsius, sizeof bits);
        wmi.U64(bits);
    }
    wmi.Text("Model", 16);
    seeds.Write("wmi_value", name, wmi.bytes);

    std::vector<std::uint8_t> wide{kRegBinary};
    const auto model = Utf16(r.model);
    wide.insert(wide.end(), model.begin(), model.end());
    seeds.Write("registry_text", name + ".wide", wide);
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::cerr << "usage: fuzz_seeds FIXTURE_DIR OUT_DIR\n";
        return 2;
    }
    const fs::path fixtures = argv[1];
    SeedWriter seeds(argv[2]);
    int files = 0;
    for (const char* kind : {"cpuid", "smart"}) {
        const fs::path dir = fixtures / kind;
        if (!fs::is_directory(dir)) continue;
        for (const auto& entry : fs::directory_iterator(dir)) {
            if (entry.path().extension() != ".txt") continue;
            const std::string name = entry.path().stem().string();
            if (std::string(kind) == "cpuid")
                CpuidSeeds(name, ReadCpuidDump(entry.path()), seeds);
            else
                SmartSeeds(name, ReadSmartTable(entry.path()), seeds);
            ++files;
        }
    }
    if (files == 0) {
        std::cerr << "no fixtures under " << fixtures << "\n";
        return 1;
    }
    // The optical drives' capability pages of the tests, and a GET CONFIGURATION header and an
    // INQUIRY reply of a DVD writer.
    for (const auto& [name, page] : {std::pair{"dvd-rom", &brimlow::testing::kDvdRomPage},
                                     std::pair{"cd-rom-8x", &brimlow::testing::kCdRom8xPage},
                                     std::pair{"cd-rw-writer", &brimlow::testing::kCdRwWriterPage},
                                     std::pair{"dvd-writer", &brimlow::testing::kDvdWriterPage}})
        seeds.Write("mmc_replies", name, *page);
    seeds.Write("mmc_replies", "configuration-dvd+r", {0, 0, 0, 0x24, 0, 0, 0x00, 0x1B});
    std::vector<std::uint8_t> inquiry = {5, 0x80, 0, 0x32, 31, 0, 0, 0};
    for (const char c : std::string_view("BRIMTESTDVD WRITER 24X  1.00\x01vendor text here"))
        inquiry.push_back(static_cast<std::uint8_t>(c));
    seeds.Write("mmc_replies", "inquiry-dvd-writer", inquiry);
    // Wine's HID mouse: its top collection (generic desktop, mouse, application), then a button
    // range and the X value.
    FuzzOutput mouse;
    for (const std::uint16_t v : {0x01, 0x02}) mouse.U16(v);
    mouse.U8(1);
    mouse.U8(0);
    mouse.U16(0x09);
    mouse.U8(1);
    for (const std::uint16_t v : {1, 3, 0}) mouse.U16(v);
    mouse.U8(0);
    mouse.U8(0);
    seeds.Write("hid_caps", "wine-mouse", mouse.bytes);
    seeds.Report();
    return 0;
}
