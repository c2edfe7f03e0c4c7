#include "sysutils.h"
#include <cstring>
#include <vector>

namespace ui {

std::size_t LastDelimiter(const std::string& s, const char* delimiters)
{
    std::size_t found = std::string::npos;
    for (std::size_t i = 0; i < s.size(); ++i) {
        if (IsDBCSLeadByte(static_cast<BYTE>(s[i])) && i + 1 < s.size()) {
            ++i; // skip the trail byte: it may look like a backslash
            continue;
        }
        if (s[i] != '\0' && std::strchr(delimiters, s[i]))
            found = i;
    }
    return found;
}

std::string ExtractFilePath(const std::string& fileName)
{
    std::size_t i = LastDelimiter(fileName, "\\:");
    return i == std::string::npos ? std::string() : fileName.substr(0, i + 1);
}

std::string ModuleFileName()
{
    std::vector<char> buffer(MAX_PATH);
    for (;;) {
        DWORD n = GetModuleFileNameA(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
        if (n == 0)
            return std::string();
        if (n < buffer.size())
            return std::string(buffer.data(), n);
        buffer.resize(buffer.size() * 2); // a long path: the name was cut, ask again
    }
}

std::string GetCurrentDir()
{
    DWORD n = GetCurrentDirectoryA(0, nullptr);
    std::string dir(n, '\0');
    n = GetCurrentDirectoryA(n, dir.data());
    dir.resize(n);
    return dir;
}

bool IsDevicePath(const std::string& name)
{
    DWORD n = GetFullPathNameA(name.c_str(), 0, nullptr, nullptr);
    if (n == 0)
        return false;
    std::string full(n, '\0');
    n = GetFullPathNameA(name.c_str(), n, full.data(), nullptr);
    full.resize(n);
    return full.rfind("\\\\.\\", 0) == 0 || full.rfind("\\\\?\\", 0) == 0;
}

bool FileExists(const std::string& name)
{
    if (IsDevicePath(name))
        return false; // the system answers for devices as if they were files
    DWORD attributes = GetFileAttributesA(name.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool DirectoryExists(const std::string& name)
{
    DWORD attributes = GetFileAttributesA(name.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

int CompareTextLocale(const std::string& a, const std::string& b)
{
    return CompareStringA(LOCALE_USER_DEFAULT, NORM_IGNORECASE, a.data(), static_cast<int>(a.size()),
                          b.data(), static_cast<int>(b.size())) - CSTR_EQUAL;
}

bool SameText(const std::string& a, const std::string& b)
{
    return CompareTextLocale(a, b) == 0;
}

namespace {
bool IdentityOf(const std::string& name, BY_HANDLE_FILE_INFORMATION* info)
{
    HANDLE h = CreateFileA(name.c_str(), FILE_READ_ATTRIBUTES, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                           nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (h == INVALID_HANDLE_VALUE)
        return false;
    bool ok = GetFileInformationByHandle(h, info) != FALSE;
    CloseHandle(h);
    return ok;
}
} // namespace

bool SameFile(const std::string& a, const std::string& b)
{
    BY_HANDLE_FILE_INFORMATION x, y;
    return IdentityOf(a, &x) && IdentityOf(b, &y) && x.dwVolumeSerialNumber == y.dwVolumeSerialNumber &&
           x.nFileIndexHigh == y.nFileIndexHigh && x.nFileIndexLow == y.nFileIndexLow;
}

QuietDriveErrors::QuietDriveErrors()
{
    SetThreadErrorMode(SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX, &previous_);
}

QuietDriveErrors::~QuietDriveErrors()
{
    SetThreadErrorMode(previous_, nullptr);
}

} // namespace ui
