// CPUID answers as a processor could give them: every decoder of the register sets, from the
// vendor text to the model table. Input: one flag byte (bit 0: no CPUID at all), then records
// of five little-endian words: leaf, EAX, EBX, ECX, EDX. A leaf recorded several times answers
// in that order, as a processor whose leaf 2 must be executed more than once does.
#include "cpu/cpu_models.h"
#include "cpu/cpuid.h"
#include "cpu/cpuid_recorded.h"
#include "tests/fuzz/fuzz_input.h"

using namespace brimlow;
using brimlow::fuzz::Expect;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    fuzz::FuzzInput in(data, size);
    RecordedCpuidSource cpu;
    cpu.SetSupported((in.U8() & 1) == 0);
    while (in.remaining() >= 20) {
        const std::uint32_t leaf = in.U32();
        CpuidRegisters r;
        r.eax = in.U32();
        r.ebx = in.U32();
        r.ecx = in.U32();
        r.edx = in.U32();
        cpu.Record(leaf, r);
    }

    const CpuidRegisters leaf0 = cpu.CpuidLeaf(kLeafVendor);
    const std::string vendor = VendorText(leaf0);
    Expect(vendor.size() == 12, "vendor text is not twelve characters");
    const CpuVendor row = LookupVendor(vendor);
    Expect(row.index >= 0 && row.index <= static_cast<std::int32_t>(CpuVendorTable().size()),
           "vendor row outside the table");
    Expect((row.index == 0) == row.company.empty(), "vendor row and company disagree");

    const CpuidRegisters leaf1 = cpu.CpuidLeaf(kLeafSignature);
    const ProcessorSignature signature = DecodeSignature(leaf1);
    Expect(signature.model >= 0 && signature.model <= 15 && signature.family >= 0 && signature.family <= 15 &&
               signature.stepping >= 0 && signature.stepping <= 15 && signature.type >= 0 && signature.type <= 3 &&
               signature.brandIndex >= 0 && signature.brandIndex <= 255,
           "signature field outside its bits");

    const TCPUFeatures features = ReadFeatures(cpu);
    std::vector<std::string> lines{"left over"};
    FeatureListLines(features, true, lines);
    Expect(lines.size() == FeatureTable().size(), "one feature line per flag");

    const std::array<std::uint8_t, 16> slots = DescriptorSlots(cpu.CpuidLeaf(kLeafCacheDescriptors));
    (void)slots;
    const TCPUCache cache = ReadCache(cpu);
    Expect(cache.Level1 >= 0 && cache.Level2 >= 0 && cache.L1Code >= 0 && cache.L1Data >= 0, "negative cache size");

    Expect(BrandString(cpu).size() <= 48, "brand string longer than its three leaves");
    const std::string serial = ProcessorSerialText(cpu);
    Expect(serial.size() == 29, "serial text is not six groups of four");

    ModelLookupInputs model;
    model.vendorIndex = row.index;
    model.family = signature.family;
    model.model = signature.model;
    model.type = signature.type;
    model.brandIndex = signature.brandIndex;
    model.level2Kb = cache.Level2;
    model.coreClockMhz = static_cast<std::int32_t>(leaf1.ecx & 0xFFFF);
    const ModelLookupResult named = ProcessorModelLookup(model);
    Expect(named.transistors >= 0, "negative transistor count");
    return 0;
}
