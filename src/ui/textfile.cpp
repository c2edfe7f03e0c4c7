#include "textfile.h"
#include "inouterror.h"
#include "sysutils.h"
#include <windows.h>
#include <algorithm>

namespace ui {

namespace {

// Closes the handle on every path; Close() is the tested close of the normal path.
class FileHandle {
public:
    explicit FileHandle(HANDLE h) : h_(h) { InOutCheck(h_ != INVALID_HANDLE_VALUE); }
    ~FileHandle()
    {
        if (h_ != INVALID_HANDLE_VALUE)
            CloseHandle(h_);
    }
    FileHandle(const FileHandle&) = delete;
    FileHandle& operator=(const FileHandle&) = delete;

    HANDLE get() const { return h_; }
    void Close()
    {
        HANDLE h = h_;
        h_ = INVALID_HANDLE_VALUE;
        InOutCheck(CloseHandle(h));
    }

private:
    HANDLE h_;
};

// Removes the file when it goes out of scope unless Keep() was called.
class LeftoverFile {
public:
    explicit LeftoverFile(std::string name) : name_(std::move(name)) {}
    ~LeftoverFile()
    {
        if (!name_.empty())
            DeleteFileA(name_.c_str());
    }
    LeftoverFile(const LeftoverFile&) = delete;
    LeftoverFile& operator=(const LeftoverFile&) = delete;
    void Keep() { name_.clear(); }

private:
    std::string name_;
};

void WriteAll(HANDLE h, const std::string& bytes)
{
    std::size_t done = 0;
    while (done < bytes.size()) {
        DWORD chunk = static_cast<DWORD>(std::min<std::size_t>(bytes.size() - done, 1u << 20));
        DWORD written = 0;
        InOutCheck(WriteFile(h, bytes.data() + done, chunk, &written, nullptr));
        if (written == 0) {
            SetLastError(ERROR_DISK_FULL);
            InOutCheck(false);
        }
        done += written;
    }
}

} // namespace

std::string ReadFirstLine(const std::string& fileName)
{
    FileHandle file(CreateFileA(fileName.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                FILE_ATTRIBUTE_NORMAL, nullptr));
    std::string line;
    char buffer[4096];
    bool ended = false;
    while (!ended) {
        DWORD got = 0;
        InOutCheck(ReadFile(file.get(), buffer, sizeof buffer, &got, nullptr));
        if (got == 0)
            break;
        for (DWORD i = 0; i < got; ++i) {
            char c = buffer[i];
            if (c == '\n' || c == '\x1a') {
                ended = true;
                break;
            }
            if (c != '\r')
                line += c;
        }
    }
    file.Close();
    return line;
}

void WriteLineReplacing(const std::string& fileName, const std::string& text)
{
    bool replacing = GetFileAttributesA(fileName.c_str()) != INVALID_FILE_ATTRIBUTES;
    if (replacing) {
        // Ask for write access first: a read-only file fails here with 5 and a file that
        // another program holds without write sharing with 32, before anything is written.
        FileHandle probe(CreateFileA(fileName.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                     FILE_ATTRIBUTE_NORMAL, nullptr));
        probe.Close();
    }

    std::string fresh = fileName + ".new";
    LeftoverFile leftover(fresh); // declared first: removed only after its handle is closed
    FileHandle file(CreateFileA(fresh.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr, CREATE_ALWAYS,
                                FILE_ATTRIBUTE_NORMAL, nullptr));
    WriteAll(file.get(), text + "\r\n");
    InOutCheck(FlushFileBuffers(file.get()));
    file.Close();

    if (replacing)
        InOutCheck(ReplaceFileA(fileName.c_str(), fresh.c_str(), nullptr, REPLACEFILE_IGNORE_MERGE_ERRORS,
                                nullptr, nullptr));
    else
        InOutCheck(MoveFileExA(fresh.c_str(), fileName.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH));
    leftover.Keep();
}

} // namespace ui
