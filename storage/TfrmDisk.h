// The drive window TfrmDisk: one fixed drive at a time - its volume facts through the system's
// volume calls, the used-space gauge, the file-system flags, and the SMART section for the
// physical disk that holds the volume. Created hidden at start; every showing refills it.
#pragma once

#include "storage/smartapi.h"
#include "ui/form.h"

#include <cstdint>
#include <functional>
#include <string>

namespace brimlow {

// What the window learnt about one volume.
struct VolumeFacts {
    bool diskPresent = false;
    unsigned driveType = 0;
    std::uint32_t sectorsPerCluster = 0, bytesPerSector = 0, freeClusters = 0, totalClusters = 0;
    std::uint64_t totalBytes = 0, freeBytes = 0;
    std::string label, fileSystem;
    std::uint32_t serial = 0, fileSystemFlags = 0, maxComponentLength = 0;
    std::uint32_t features = 0;
};

// The facts of the volume at `root` ("C:\"); no disk gives zeros and empty texts.
VolumeFacts ReadVolumeFacts(const std::string& root);

class TfrmDisk : public ui::Form {
public:
    TfrmDisk();

    // The SMART section's platform family, device files and messages; the system's by default.
    void SetSmartPlatform(storage::SmartPlatform platform);
    // The CD/DVD window's switch; until one is set the button stays disabled.
    void SetShowCdDvd(std::function<void()> showCdDvd);

    void Refresh1Click();
    void cbDriveChange();
    void cbDriveCloseUp();
    // True when the drive list has the focus: the wheel must not change the selected drive.
    bool FormMouseWheel();
    // Gathers and shows everything for `designation` ("C:").
    void ShowDrive(const std::string& designation);

    const VolumeFacts& facts() const { return facts_; }

protected:
    void FormCreate() override;
    void FormShow() override;

private:
    void ShowIcon(const std::string& root);
    void ShowSmart(const std::string& designation);

    storage::SmartPlatform smart_;
    std::function<void()> showCdDvd_;
    VolumeFacts facts_;
};

}  // namespace brimlow
