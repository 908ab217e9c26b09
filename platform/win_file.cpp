#include "platform/win_file.h"

#include "platform/win_handles.h"
#include "platform/win_text.h"

#include <windows.h>

#include <vector>

namespace brimlow::win {

namespace {

std::string FolderOf(const std::string& path) {
    const DWORD needed = ::GetFullPathNameA(path.c_str(), 0, nullptr, nullptr);
    if (needed == 0) RaiseLastError();
    std::vector<char> full(needed + 1, '\0');
    char* namePart = nullptr;
    const DWORD length = ::GetFullPathNameA(path.c_str(), static_cast<DWORD>(full.size()), full.data(), &namePart);
    if (length == 0 || length >= full.size()) RaiseLastError();
    // A path that ends in a separator names a folder: there is no file to put in its place.
    if (!namePart) throw PlatformError(ERROR_INVALID_NAME);
    return std::string(full.data(), namePart);
}

// The temporary file exists from creation on; it goes again unless it was moved into place.
class TemporaryFile {
public:
    explicit TemporaryFile(const std::string& folder) {
        char name[MAX_PATH + 1] = {};
        if (::GetTempFileNameA(folder.c_str(), "brm", 0, name) == 0) RaiseLastError();
        name_ = name;
    }
    ~TemporaryFile() {
        if (!name_.empty()) ::DeleteFileA(name_.c_str());
    }
    TemporaryFile(const TemporaryFile&) = delete;
    TemporaryFile& operator=(const TemporaryFile&) = delete;

    const std::string& name() const { return name_; }
    void Kept() { name_.clear(); }

private:
    std::string name_;
};

void WriteAll(const std::string& name, std::string_view bytes) {
    FileHandle file(::CreateFileA(name.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL,
                                  nullptr));
    if (!file) RaiseLastError();
    while (!bytes.empty()) {
        const DWORD chunk = static_cast<DWORD>(std::min<std::size_t>(bytes.size(), 1u << 20));
        DWORD written = 0;
        if (!::WriteFile(file.get(), bytes.data(), chunk, &written, nullptr)) RaiseLastError();
        if (written == 0) throw PlatformError(ERROR_WRITE_FAULT);
        bytes.remove_prefix(written);
    }
    if (!::FlushFileBuffers(file.get())) RaiseLastError();
    // Closing can still report a failed write on some file systems (network shares).
    if (!::CloseHandle(file.release())) RaiseLastError();
}

void MoveIntoPlace(const std::string& from, const std::string& to) {
    if (::MoveFileExA(from.c_str(), to.c_str(), MOVEFILE_REPLACE_EXISTING)) return;
    const DWORD error = ::GetLastError();
    // Windows 9x has no MoveFileExA: there the old file goes first, then the new one is renamed.
    if (error != ERROR_CALL_NOT_IMPLEMENTED) throw PlatformError(error);
    if (!::DeleteFileA(to.c_str()) && ::GetLastError() != ERROR_FILE_NOT_FOUND) RaiseLastError();
    if (!::MoveFileA(from.c_str(), to.c_str())) RaiseLastError();
}

}  // namespace

void ReplaceFileContents(const std::string& path, std::string_view bytes) {
    if (path.empty()) throw PlatformError(ERROR_INVALID_NAME);
    TemporaryFile temporary(FolderOf(path));
    WriteAll(temporary.name(), bytes);
    MoveIntoPlace(temporary.name(), path);
    temporary.Kept();
}

}  // namespace brimlow::win
