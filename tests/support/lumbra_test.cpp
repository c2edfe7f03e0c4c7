#include "lumbra_test.h"
#include <gtest/gtest.h>
#include <shellapi.h>
#include <cstdlib>

namespace lt {

namespace {

std::string Env(const char* name)
{
    const char* value = std::getenv(name);
    return value ? value : "";
}

// The test environment's folder as a Windows path (through Z:).
std::string EnvFolder()
{
    std::string unix = Env("LUMBRA_TEST_ENV");
    for (char& c : unix)
        if (c == '/')
            c = '\\';
    return "Z:" + unix;
}

} // namespace

std::string BuiltProgram(const std::string& name)
{
    return "B:\\" + name;
}

void RemoveTree(const std::string& path)
{
    DWORD attributes = GetFileAttributesA(path.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES)
        return;
    SetFileAttributesA(path.c_str(), attributes & ~(FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM));
    if (!(attributes & FILE_ATTRIBUTE_DIRECTORY)) {
        DeleteFileA(path.c_str());
        return;
    }
    ClearFolder(path);
    RemoveDirectoryA(path.c_str());
}

void ClearFolder(const std::string& folder)
{
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((folder + "\\*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE)
        return;
    std::vector<std::string> names;
    do {
        std::string name = found.cFileName;
        if (name != "." && name != "..")
            names.push_back(name);
    } while (FindNextFileA(search, &found));
    FindClose(search);
    for (const std::string& name : names)
        RemoveTree(folder + "\\" + name);
}

void MakeFolder(const std::string& path)
{
    std::size_t slash = path.find_last_of('\\');
    if (slash != std::string::npos && slash > 2)
        MakeFolder(path.substr(0, slash));
    CreateDirectoryA(path.c_str(), nullptr);
}

void WriteBytes(const std::string& path, const std::string& bytes)
{
    HANDLE f = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(f, INVALID_HANDLE_VALUE) << "cannot write " << path << ": " << GetLastError();
    DWORD written = 0;
    WriteFile(f, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
    CloseHandle(f);
    ASSERT_EQ(written, bytes.size());
}

std::optional<std::string> ReadBytes(const std::string& path)
{
    HANDLE f = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                           OPEN_EXISTING, 0, nullptr);
    if (f == INVALID_HANDLE_VALUE)
        return std::nullopt;
    std::string bytes;
    char buffer[65536];
    DWORD got = 0;
    while (ReadFile(f, buffer, sizeof buffer, &got, nullptr) && got > 0)
        bytes.append(buffer, got);
    CloseHandle(f);
    return bytes;
}

void PutStub(const std::string& path)
{
    ASSERT_TRUE(CopyFileA(BuiltProgram("stub.exe").c_str(), path.c_str(), FALSE))
        << "cannot copy the stub to " << path << ": " << GetLastError();
}

void SetAttributes(const std::string& path, DWORD attributes)
{
    ASSERT_TRUE(SetFileAttributesA(path.c_str(), attributes)) << path;
}

void FillDisk(const std::string& path)
{
    HANDLE filler = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    ASSERT_NE(filler, INVALID_HANDLE_VALUE) << path;
    std::string block(4096, 'f');
    DWORD written = 0;
    while (WriteFile(filler, block.data(), static_cast<DWORD>(block.size()), &written, nullptr) && written > 0) {
    }
    while (WriteFile(filler, block.data(), 1, &written, nullptr) && written > 0) {
    }
    CloseHandle(filler);
}

std::string HomeFolder(const std::string& name)
{
    std::string home = "C:\\lumbra-tests\\" + name;
    RemoveTree(home);
    MakeFolder(home);
    CopyFileA(BuiltProgram("lumbra.exe").c_str(), (home + "\\lumbra.exe").c_str(), FALSE);
    return home;
}

std::string HomeWith(const std::string& name, const std::string& path)
{
    std::string home = HomeFolder(name);
    WriteBytes(home + "\\lumbra.dat", path + "\r\n");
    return home;
}

std::string EnvUnixPath(const std::string& relative)
{
    return Env("LUMBRA_TEST_ENV") + "/" + relative;
}

int RunUnix(const std::string& command)
{
    // Wine hands back a process that has ended at once, so the command writes its exit
    // code to a file when it is done, and that file is waited for.
    static int runs = 0;
    std::string done = "unix-done-" + std::to_string(GetCurrentProcessId()) + "-" + std::to_string(++runs);
    std::string script = command + "; echo $? >'" + EnvUnixPath(done) + ".tmp'; mv '" + EnvUnixPath(done) + ".tmp' '" +
                         EnvUnixPath(done) + "'";
    std::string quoted;
    for (char c : script)
        quoted += c == '"' ? std::string("\\\"") : std::string(1, c);
    std::string commandLine = "Z:\\bin\\sh -c \"" + quoted + "\"";
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION info{};
    if (!CreateProcessA(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &info)) {
        ADD_FAILURE() << "cannot run " << command << ": " << GetLastError();
        return -1;
    }
    CloseHandle(info.hThread);
    CloseHandle(info.hProcess);
    std::string marker = EnvFolder() + "\\" + done;
    std::optional<std::string> code;
    if (!WaitFor([&] { return (code = ReadBytes(marker)).has_value(); }, 30000)) {
        ADD_FAILURE() << "no end of " << command;
        return -1;
    }
    DeleteFileA(marker.c_str());
    return std::atoi(code->c_str());
}

namespace {

using QuerySystemInformation = LONG(NTAPI*)(ULONG, PVOID, ULONG, PULONG);
using QueryInformationProcess = LONG(NTAPI*)(HANDLE, ULONG, PVOID, ULONG, PULONG);

template <class F> F NtFunction(const char* name)
{
    // through void(*)(), the type that any function pointer may be cast from
    return reinterpret_cast<F>(reinterpret_cast<void (*)()>(GetProcAddress(GetModuleHandleA("ntdll.dll"), name)));
}

int HandlesOf(DWORD pid)
{
    struct Entry {
        USHORT pid, backTrace;
        UCHAR type, attributes;
        USHORT value;
        PVOID object;
        ULONG access;
    };
    auto query = NtFunction<QuerySystemInformation>("NtQuerySystemInformation");
    std::vector<char> buffer(1 << 20);
    ULONG length = 0;
    LONG status;
    const ULONG SystemHandleInformation = 16;
    while ((status = query(SystemHandleInformation, buffer.data(), static_cast<ULONG>(buffer.size()), &length)) ==
           static_cast<LONG>(0xC0000004)) // too small
        buffer.resize(buffer.size() * 2);
    if (status != 0)
        return -1;
    ULONG count = *reinterpret_cast<ULONG*>(buffer.data());
    auto* entries = reinterpret_cast<Entry*>(buffer.data() + sizeof(void*));
    int n = 0;
    for (ULONG i = 0; i < count; ++i)
        n += entries[i].pid == static_cast<USHORT>(pid);
    return n;
}

int GdiObjectsOf(HANDLE process)
{
    struct BasicInformation {
        PVOID exitStatus, peb, affinity, priority, pid, parent;
    } basic{};
    auto query = NtFunction<QueryInformationProcess>("NtQueryInformationProcess");
    if (query(process, 0, &basic, sizeof basic, nullptr) != 0)
        return -1;
    PVOID table = nullptr; // the PEB's GdiSharedHandleTable
    if (!ReadProcessMemory(process, static_cast<char*>(basic.peb) + 0xF8, &table, sizeof table, nullptr) || !table)
        return -1;
    struct Entry {
        UINT64 object;
        ULONG owner;
        USHORT unique;
        UCHAR type, flags;
        UINT64 user;
    };
    std::vector<Entry> entries(0x10000);
    if (!ReadProcessMemory(process, table, entries.data(), entries.size() * sizeof(Entry), nullptr))
        return -1;
    int n = 0;
    for (const Entry& e : entries)
        n += e.type != 0;
    return n;
}

BOOL CALLBACK CountChild(HWND, LPARAM count)
{
    ++*reinterpret_cast<int*>(count);
    return TRUE;
}

BOOL CALLBACK CountWindow(HWND window, LPARAM param)
{
    auto* counting = reinterpret_cast<std::pair<DWORD, int>*>(param);
    DWORD pid = 0;
    GetWindowThreadProcessId(window, &pid);
    if (pid == counting->first) {
        ++counting->second;
        EnumChildWindows(window, CountChild, reinterpret_cast<LPARAM>(&counting->second));
    }
    return TRUE;
}

} // namespace

ProcessCounts CountsOf(HANDLE process)
{
    DWORD pid = GetProcessId(process);
    std::pair<DWORD, int> counting{pid, 0};
    EnumWindows(CountWindow, reinterpret_cast<LPARAM>(&counting));
    return {HandlesOf(pid), GdiObjectsOf(process), counting.second};
}

int CountFromEnvironment(const char* name, int fallback)
{
    std::string value = Env(name);
    return value.empty() ? fallback : std::atoi(value.c_str());
}

std::string NoMountsReason()
{
    return Env("LUMBRA_TEST_NO_MOUNTS");
}

Lumbra::Lumbra(const std::string& home, int showCommand, const std::string& cwd) : home_(home)
{
    std::string log = home + "\\started.log";
    DeleteFileA(log.c_str());
    SetEnvironmentVariableA("LUMBRA_STUB_LOG", log.c_str());
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESHOWWINDOW;
    startup.wShowWindow = static_cast<WORD>(showCommand);
    std::string exe = home + "\\lumbra.exe";
    std::string commandLine = "\"" + exe + "\"";
    std::string folder = cwd.empty() ? home : cwd;
    if (!CreateProcessA(exe.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, folder.c_str(), &startup,
                        &info_))
        ADD_FAILURE() << "cannot start " << exe << ": " << GetLastError();
}

Lumbra::~Lumbra()
{
    if (!info_.hProcess)
        return;
    if (WaitForSingleObject(info_.hProcess, 0) == WAIT_TIMEOUT) {
        TerminateProcess(info_.hProcess, 99);
        WaitForSingleObject(info_.hProcess, 5000);
    }
    CloseHandle(info_.hThread);
    CloseHandle(info_.hProcess);
}

std::optional<DWORD> Lumbra::WaitForExit(DWORD ms)
{
    if (!info_.hProcess || WaitForSingleObject(info_.hProcess, ms) != WAIT_OBJECT_0)
        return std::nullopt;
    DWORD code = 0;
    GetExitCodeProcess(info_.hProcess, &code);
    return code;
}

bool Lumbra::Running()
{
    return info_.hProcess && WaitForSingleObject(info_.hProcess, 0) == WAIT_TIMEOUT;
}

namespace {
struct FindTopLevel {
    DWORD pid;
    const char* windowClass;
    bool visibleOnly;
    HWND found = nullptr;
};

BOOL CALLBACK FindTopLevelProc(HWND window, LPARAM param)
{
    auto* find = reinterpret_cast<FindTopLevel*>(param);
    DWORD pid = 0;
    GetWindowThreadProcessId(window, &pid);
    char name[64];
    if (pid == find->pid && (!find->visibleOnly || IsWindowVisible(window)) && GetClassNameA(window, name, sizeof name) &&
        lstrcmpA(name, find->windowClass) == 0) {
        find->found = window;
        return FALSE;
    }
    return TRUE;
}

HWND TopLevelOf(DWORD pid, const char* windowClass, bool visibleOnly = false)
{
    FindTopLevel find{pid, windowClass, visibleOnly};
    EnumWindows(FindTopLevelProc, reinterpret_cast<LPARAM>(&find));
    return find.found;
}
} // namespace

HWND Lumbra::Form(DWORD ms)
{
    HWND form = nullptr;
    WaitFor([&] { return (form = TopLevelOf(Pid(), "TForm1")) != nullptr; }, ms);
    return form;
}

bool Lumbra::EditShown()
{
    HWND edit = Edit();
    return edit && (GetWindowLongA(edit, GWL_STYLE) & WS_VISIBLE);
}

HWND Lumbra::AppWindow()
{
    return TopLevelOf(Pid(), "TApplication");
}

HWND Lumbra::Child(const char* windowClass)
{
    HWND form = Form();
    return form ? FindWindowExA(form, nullptr, windowClass, nullptr) : nullptr;
}

std::vector<Started> Lumbra::StartedPrograms() const
{
    std::vector<Started> started;
    std::optional<std::string> log = ReadBytes(home_ + "\\started.log");
    if (!log)
        return started;
    std::size_t start = 0;
    while (start < log->size()) {
        std::size_t end = log->find("\r\n", start);
        if (end == std::string::npos)
            break;
        std::string line = log->substr(start, end - start);
        std::size_t a = line.find('|'), b = line.find('|', a + 1), c = line.rfind('|');
        if (c <= b) // a line without the counter (a batch file writes its own)
            c = line.size();
        started.push_back({line.substr(0, a), line.substr(a + 1, b - a - 1), line.substr(b + 1, c - b - 1),
                           c < line.size() ? std::atoll(line.c_str() + c + 1) : 0});
        start = end + 2;
    }
    return started;
}

std::string WindowText(HWND window)
{
    LRESULT length = SendMessageA(window, WM_GETTEXTLENGTH, 0, 0);
    std::string text(static_cast<std::size_t>(length) + 1, '\0');
    LRESULT got = SendMessageA(window, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()));
    text.resize(static_cast<std::size_t>(got));
    return text;
}

RECT WindowRect(HWND window)
{
    RECT r{};
    GetWindowRect(window, &r);
    return r;
}

HWND FocusOf(HWND window)
{
    GUITHREADINFO info{};
    info.cbSize = sizeof info;
    GetGUIThreadInfo(GetWindowThreadProcessId(window, nullptr), &info);
    return info.hwndFocus;
}

std::vector<std::string> ListItems(HWND list)
{
    std::vector<std::string> items;
    LRESULT count = SendMessageA(list, LB_GETCOUNT, 0, 0);
    for (LRESULT i = 0; i < count; ++i) {
        // Read as UTF-16: Wine passes the ANSI form of LB_GETTEXT between processes as wide text.
        LRESULT length = SendMessageW(list, LB_GETTEXTLEN, i, 0);
        std::wstring wide(static_cast<std::size_t>(length) + 1, L'\0');
        length = SendMessageW(list, LB_GETTEXT, i, reinterpret_cast<LPARAM>(wide.data()));
        std::string item(static_cast<std::size_t>(length) * 2 + 1, '\0');
        int n = WideCharToMultiByte(CP_ACP, 0, wide.data(), static_cast<int>(length), item.data(),
                                    static_cast<int>(item.size()), nullptr, nullptr);
        item.resize(static_cast<std::size_t>(n));
        items.push_back(item);
    }
    return items;
}

namespace {
void SendKey(WORD vk, bool up)
{
    INPUT input{};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = vk;
    input.ki.wScan = static_cast<WORD>(MapVirtualKeyA(vk, MAPVK_VK_TO_VSC));
    input.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
    SendInput(1, &input, sizeof input);
}
} // namespace

void PressKey(WORD vk)
{
    SendKey(vk, false);
    SendKey(vk, true);
    Sleep(30);
}

void TypeText(const std::string& text)
{
    for (char c : text) {
        SHORT scan = VkKeyScanA(c);
        ASSERT_NE(scan, -1) << "no key types " << c;
        bool shift = (scan >> 8) & 1;
        if (shift)
            SendKey(VK_SHIFT, false);
        PressKey(static_cast<WORD>(scan & 0xFF));
        if (shift)
            SendKey(VK_SHIFT, true);
    }
    Sleep(100);
}

void MoveMouse(int x, int y)
{
    INPUT input{};
    input.type = INPUT_MOUSE;
    input.mi.dx = MulDiv(x, 65536, GetSystemMetrics(SM_CXSCREEN)) + 1;
    input.mi.dy = MulDiv(y, 65536, GetSystemMetrics(SM_CYSCREEN)) + 1;
    input.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
    SendInput(1, &input, sizeof input);
    Sleep(50);
}

void MouseButton(int x, int y, bool down, bool right)
{
    MoveMouse(x, y);
    INPUT input{};
    input.type = INPUT_MOUSE;
    input.mi.dwFlags = right ? (down ? MOUSEEVENTF_RIGHTDOWN : MOUSEEVENTF_RIGHTUP)
                             : (down ? MOUSEEVENTF_LEFTDOWN : MOUSEEVENTF_LEFTUP);
    SendInput(1, &input, sizeof input);
    Sleep(100);
}

void Click(int x, int y, bool right)
{
    MouseButton(x, y, true, right);
    MouseButton(x, y, false, right);
}

HWND MessageBoxOf(DWORD pid)
{
    return TopLevelOf(pid, "#32770", true);
}

std::string MessageBoxText(HWND box)
{
    HWND text = GetDlgItem(box, 0xFFFF); // the message's static control
    return text ? WindowText(text) : std::string();
}

Screenshot::Screenshot()
{
    HDC screen = GetDC(nullptr);
    width_ = GetSystemMetrics(SM_CXSCREEN);
    height_ = GetSystemMetrics(SM_CYSCREEN);
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width_;
    info.bmiHeader.biHeight = -height_; // top-down
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    void* bits = nullptr;
    HBITMAP bitmap = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    HDC memory = CreateCompatibleDC(screen);
    HGDIOBJ old = SelectObject(memory, bitmap);
    BitBlt(memory, 0, 0, width_, height_, screen, 0, 0, SRCCOPY);
    GdiFlush();
    pixels_.assign(static_cast<DWORD*>(bits), static_cast<DWORD*>(bits) + width_ * height_);
    for (DWORD& p : pixels_)
        p |= 0xFF000000; // opaque, so that image viewers show the saved file as it was seen
    SelectObject(memory, old);
    DeleteDC(memory);
    DeleteObject(bitmap);
    ReleaseDC(nullptr, screen);
}

COLORREF Screenshot::Pixel(int x, int y) const
{
    if (x < 0 || y < 0 || x >= width_ || y >= height_)
        return CLR_INVALID;
    DWORD p = pixels_[static_cast<std::size_t>(y) * width_ + x];
    return RGB((p >> 16) & 0xFF, (p >> 8) & 0xFF, p & 0xFF);
}

int Screenshot::Count(const RECT& rect, COLORREF colour) const
{
    int n = 0;
    for (int y = rect.top; y < rect.bottom; ++y)
        for (int x = rect.left; x < rect.right; ++x)
            if (Pixel(x, y) == colour)
                ++n;
    return n;
}

std::string Screenshot::Save(const std::string& name) const
{
    std::string path = EnvFolder() + "\\shots\\" + name + ".bmp";
    BITMAPFILEHEADER file{};
    BITMAPINFOHEADER header{};
    header.biSize = sizeof header;
    header.biWidth = width_;
    header.biHeight = -height_;
    header.biPlanes = 1;
    header.biBitCount = 32;
    DWORD size = static_cast<DWORD>(pixels_.size() * 4);
    file.bfType = 0x4D42;
    file.bfOffBits = sizeof file + sizeof header;
    file.bfSize = file.bfOffBits + size;
    std::string bytes(reinterpret_cast<const char*>(&file), sizeof file);
    bytes.append(reinterpret_cast<const char*>(&header), sizeof header);
    bytes.append(reinterpret_cast<const char*>(pixels_.data()), size);
    WriteBytes(path, bytes);
    return path;
}

} // namespace lt
