// Helpers for tests that set up folders and drives, start the real lumbra.exe and watch it
// from outside: its windows, its exit code, the files it writes, the programs it starts.
#pragma once
#include <windows.h>
#include <optional>
#include <string>
#include <vector>

namespace lt {

// The built programs (the B: drive of the test environment).
std::string BuiltProgram(const std::string& name); // e.g. "lumbra.exe"

// File system helpers; paths are Windows paths.
void RemoveTree(const std::string& path);          // a folder and all below it (or a file)
void ClearFolder(const std::string& folder);       // everything inside it
void MakeFolder(const std::string& path);          // with its parents
void WriteBytes(const std::string& path, const std::string& bytes);
std::optional<std::string> ReadBytes(const std::string& path);
void PutStub(const std::string& path);             // a copy of the recording stub program
void SetAttributes(const std::string& path, DWORD attributes);
// Fills the disk that holds path with the file path, to the last byte.
void FillDisk(const std::string& path);

// The test environment's folder on the Unix side, with relative appended ("disc-f/GAMES").
std::string EnvUnixPath(const std::string& relative);
// Runs a shell command on the Unix side (Wine starts Unix programs too), as something
// outside the Windows world would act: a disc taken out, a folder removed. Its exit code.
int RunUnix(const std::string& command);

// What a process holds: kernel handles, GDI objects and windows (USER objects that can be
// counted from outside). Wine's GetGuiResources answers 0, so GDI objects are counted in
// the process's own GDI handle table (Wine keeps one per process), read from outside.
struct ProcessCounts {
    int handles = -1, gdi = -1, windows = -1;
};
ProcessCounts CountsOf(HANDLE process);

// A fresh folder C:\lumbra-tests\<name> holding a copy of lumbra.exe.
std::string HomeFolder(const std::string& name);
// The same with a path file beside lumbra.exe holding path and CR LF.
std::string HomeWith(const std::string& name, const std::string& path);

// How many cases a long test runs: the environment variable name when it is set (the full
// counts, see README), else fallback (the count for every run).
int CountFromEnvironment(const char* name, int fallback);

// Why the tests that need R: (read-only) and T: (a full disk) can't run, or empty.
std::string NoMountsReason();

// One program start that the stub recorded.
struct Started {
    std::string exe, cwd, commandLine;
    long long counter = 0; // the performance counter when it started
};

// A running lumbra.exe.
class Lumbra {
public:
    // Starts home\lumbra.exe with the show command, in cwd (home when empty); the stub log is
    // home\started.log.
    explicit Lumbra(const std::string& home, int showCommand = SW_SHOWNORMAL, const std::string& cwd = "");
    ~Lumbra(); // ends the process if it still runs
    Lumbra(const Lumbra&) = delete;
    Lumbra& operator=(const Lumbra&) = delete;

    DWORD Pid() const { return info_.dwProcessId; }
    HANDLE Process() const { return info_.hProcess; }
    // The exit code once it has ended within ms, or nothing.
    std::optional<DWORD> WaitForExit(DWORD ms);
    bool Running();

    // Its main window (class "TForm1"), waiting up to ms for it to exist.
    HWND Form(DWORD ms = 5000);
    HWND AppWindow();                 // class "TApplication"
    HWND Child(const char* windowClass); // first child window of that class
    HWND Edit() { return Child("EDIT"); }
    // Entry mode: the edit box is shown (after a failed attempt, until a confirm).
    bool EditShown();
    HWND List() { return Child("LISTBOX"); }

    std::vector<Started> StartedPrograms() const;
    std::string Home() const { return home_; }

private:
    std::string home_;
    PROCESS_INFORMATION info_{};
};

// Text of a window of another process.
std::string WindowText(HWND window);
RECT WindowRect(HWND window);
// The window with the keyboard focus in the thread that owns window.
HWND FocusOf(HWND window);
// The list box's entries.
std::vector<std::string> ListItems(HWND list);

// Waits up to ms for condition to hold, polling; returns whether it did.
template <class F> bool WaitFor(F condition, DWORD ms)
{
    DWORD start = GetTickCount();
    for (;;) {
        if (condition())
            return true;
        if (GetTickCount() - start > ms)
            return false;
        Sleep(25);
    }
}

// Real input, as a user gives it: through the system's input queue to the foreground window.
void TypeText(const std::string& text);
void PressKey(WORD vk);
void MoveMouse(int x, int y);                // screen coordinates
void MouseButton(int x, int y, bool down, bool right = false);
void Click(int x, int y, bool right = false);

// The visible message box (class "#32770") of process pid, or nothing.
HWND MessageBoxOf(DWORD pid);
// The text of the message box's message.
std::string MessageBoxText(HWND box);

// A copy of the screen.
class Screenshot {
public:
    Screenshot();
    COLORREF Pixel(int x, int y) const;
    int Width() const { return width_; }
    int Height() const { return height_; }
    // Saves it as a BMP file in the environment's shots folder; returns its path.
    std::string Save(const std::string& name) const;
    // Pixels of rect (screen coordinates) that equal colour.
    int Count(const RECT& rect, COLORREF colour) const;

private:
    int width_ = 0, height_ = 0;
    std::vector<DWORD> pixels_;
};

} // namespace lt
