// Small helpers over the system for ANSI path texts (double-byte aware).
#pragma once
#include <windows.h>
#include <string>

namespace ui {

// Byte index of the last character of s that is one of delimiters, or npos.
// The second byte of a double-byte character never counts.
std::size_t LastDelimiter(const std::string& s, const char* delimiters);

// The folder part of a file name, up to and including its last backslash or colon.
std::string ExtractFilePath(const std::string& fileName);

// The full path of the running executable, as the system reports it.
std::string ModuleFileName();

// The process's current directory, as the system reports it.
std::string GetCurrentDir();

// True when the system takes name for a device (NUL, CON, COM1, E:\GAMES\NUL.TXT, \\.\X,
// ...) rather than a place on a disk.
bool IsDevicePath(const std::string& name);
bool FileExists(const std::string& name);       // an existing file, not a folder or a device
bool DirectoryExists(const std::string& name);  // an existing folder

// True when both names lead to the same file (compared by volume and file index, not by
// spelling); false when either can't be opened.
bool SameFile(const std::string& a, const std::string& b);

// Letter case ignored, in the user's locale (as the system's list boxes compare).
int CompareTextLocale(const std::string& a, const std::string& b);
bool SameText(const std::string& a, const std::string& b);

// Turns the thread's critical-error prompts ("no disk in the drive") off while it lives.
class QuietDriveErrors {
public:
    QuietDriveErrors();
    ~QuietDriveErrors();
    QuietDriveErrors(const QuietDriveErrors&) = delete;
    QuietDriveErrors& operator=(const QuietDriveErrors&) = delete;

private:
    DWORD previous_ = 0;
};

} // namespace ui
