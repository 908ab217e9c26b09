// What the video driver and the device classes leave in the registry for the display window.
// Every read takes the key standing for HKEY_LOCAL_MACHINE, so tests can point it at fixtures.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace brimlow {

// The value `valueName` of every device instance of the first class below `classRoot` whose
// "Class" value is `className` (case-blind), each text once (case-blind). Under the classic-NT
// layout the class key is the class's own subkey; otherwise its upper-cased "Link" value names
// it. Returns the class key's name; the empty text when no class matched.
std::string ClassDriverDescriptions(HKEY machine, const std::string& classRoot, const std::string& className,
                                    const std::string& valueName, bool classicNt, std::vector<std::string>& found);

// The adapter of the video device map's first entry: at most one text in each list.
struct VideoAdapterDetails {
    std::vector<std::string> chips;
    std::vector<std::string> dacs;
    std::vector<std::string> memorySizes;
};
VideoAdapterDetails ReadVideoAdapterDetails(HKEY machine);

// "VideoBiosVersion" (its first string) and "VideoBiosDate" of HARDWARE\DESCRIPTION\System.
struct VideoBios {
    std::string version;
    std::string date;
};
VideoBios ReadVideoBios(HKEY machine);

}  // namespace brimlow
