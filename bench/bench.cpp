// Lumbra's benchmarks, each beside a baseline measured in the same run (run by bench/run.sh).
//   attempt cost against folder size, beside a bare enumeration and sort of the same folder
//   start-up to the window shown, memory and GUI objects, beside a minimal Win32 program
//   start to the started program over 20 runs
#include <windows.h>
#include <psapi.h>
#include <algorithm>
#include <optional>
#include <cstdio>
#include <string>
#include <vector>
#include "lumbra_test.h"

namespace {

double Ms(long long ticks)
{
    static LARGE_INTEGER frequency = [] {
        LARGE_INTEGER f;
        QueryPerformanceFrequency(&f);
        return f;
    }();
    return ticks * 1000.0 / frequency.QuadPart;
}

long long Now()
{
    LARGE_INTEGER now;
    QueryPerformanceCounter(&now);
    return now.QuadPart;
}

struct Stats {
    double min, median, max;
};

Stats Of(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    return {v.front(), v[v.size() / 2], v.back()};
}

// A folder of n program files: the stub A.EXE first, then n - 1 empty ones (made by
// bench/run.sh from outside, which is far quicker than through Wine).
std::string Folder(int n)
{
    std::string folder = "F:\\N" + std::to_string(n);
    lt::PutStub(folder + "\\A.EXE");
    return folder;
}

// Milliseconds from starting lumbra with path to the stub's start.
double TimeToStart(const std::string& home, const std::string& path)
{
    lt::WriteBytes(home + "\\lumbra.dat", path + "\r\n");
    long long start = Now();
    lt::Lumbra lumbra(home);
    lt::WaitFor([&] { return !lumbra.StartedPrograms().empty(); }, 60000);
    std::vector<lt::Started> started = lumbra.StartedPrograms();
    lumbra.WaitForExit(10000);
    return started.empty() ? -1 : Ms(started[0].counter - start);
}

// Milliseconds from starting the baseline on folder to the start of the program it starts.
double BaselineToStart(const std::string& home, const std::string& folder)
{
    std::string log = home + "\\started.log";
    DeleteFileA(log.c_str());
    SetEnvironmentVariableA("LUMBRA_STUB_LOG", log.c_str());
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION info{};
    std::string line = "\"" + lt::BuiltProgram("baseline_list.exe") + "\" " + folder;
    long long start = Now();
    if (!CreateProcessA(nullptr, line.data(), nullptr, nullptr, FALSE, CREATE_NO_WINDOW, nullptr, folder.c_str(),
                        &startup, &info))
        return -1;
    WaitForSingleObject(info.hProcess, INFINITE);
    CloseHandle(info.hThread);
    CloseHandle(info.hProcess);
    std::optional<std::string> text;
    lt::WaitFor([&] { return (text = lt::ReadBytes(log)) && text->find("\r\n") != std::string::npos; }, 60000);
    if (!text)
        return -1;
    std::size_t bar = text->rfind('|');
    return Ms(std::atoll(text->c_str() + bar + 1) - start);
}

HWND VisibleWindowOf(DWORD pid)
{
    struct Find {
        DWORD pid;
        HWND found;
    } find{pid, nullptr};
    EnumWindows(
        [](HWND w, LPARAM p) -> BOOL {
            auto* f = reinterpret_cast<Find*>(p);
            DWORD owner = 0;
            GetWindowThreadProcessId(w, &owner);
            RECT r;
            GetWindowRect(w, &r);
            if (owner == f->pid && IsWindowVisible(w) && r.right - r.left > 100) {
                f->found = w;
                return FALSE;
            }
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&find));
    return find.found;
}

struct StartUp {
    double ms;
    SIZE_T privateBytes;
    lt::ProcessCounts counts;
};

// Start to the first visible window, then memory and GUI objects once it waits.
StartUp MeasureStartUp(const std::string& exe, const std::string& folder)
{
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION info{};
    std::string line = "\"" + exe + "\"";
    long long start = Now();
    CreateProcessA(exe.c_str(), line.data(), nullptr, nullptr, FALSE, 0, nullptr, folder.c_str(), &startup, &info);
    lt::WaitFor([&] { return VisibleWindowOf(info.dwProcessId) != nullptr; }, 10000);
    StartUp result{Ms(Now() - start), 0, {}};
    Sleep(500);
    PROCESS_MEMORY_COUNTERS memory{};
    GetProcessMemoryInfo(info.hProcess, &memory, sizeof memory);
    result.privateBytes = memory.PagefileUsage; // the commit charge: its private memory (Wine leaves PrivateUsage 0)
    result.counts = lt::CountsOf(info.hProcess);
    TerminateProcess(info.hProcess, 0);
    WaitForSingleObject(info.hProcess, 5000);
    CloseHandle(info.hThread);
    CloseHandle(info.hProcess);
    return result;
}

} // namespace

int main(int argc, char** argv)
{
    std::setvbuf(stdout, nullptr, _IONBF, 0); // each row as it is measured
    int largest = argc > 1 ? std::atoi(argv[1]) : 100000;
    std::string home = lt::HomeFolder("bench");
    std::string empty = lt::HomeFolder("bench-empty");
    const int runs = 7; // the machine is noisy: medians of several runs

    std::printf("| measure | Lumbra | baseline | ratio |\n|---|---|---|---|\n");

    // Attempt cost: lumbra's start-to-launch for n files less that for 10 files, beside the
    // same for the baseline, which lists, sorts and starts the first file the bare way. Both
    // include the started program's own start in that folder.
    std::vector<double> small, baseSmall;
    std::string folder10 = Folder(10);
    for (int i = 0; i < runs; ++i) {
        small.push_back(TimeToStart(home, folder10));
        baseSmall.push_back(BaselineToStart(empty, folder10));
    }
    double lumbraSmall = Of(small).median, baseEmpty = Of(baseSmall).median;
    double cost10k = 0;
    for (int n : {1000, 10000, 100000}) {
        if (n > largest)
            break;
        std::string folder = Folder(n);
        std::vector<double> lumbra, base;
        for (int i = 0; i < runs; ++i) {
            lumbra.push_back(TimeToStart(home, folder) - lumbraSmall);
            base.push_back(BaselineToStart(empty, folder) - baseEmpty);
        }
        double cost = Of(lumbra).median, bare = Of(base).median;
        std::printf("| attempt cost, %d files (ms, median of %d) | %.1f | %.1f | %.2f |\n", n, runs, cost, bare,
                    cost / bare);
        if (n == 10000)
            cost10k = cost;
        if (n == 100000 && cost10k > 0)
            std::printf("| growth, 100,000 files / 10,000 files | %.2f | | |\n", cost / cost10k);
    }

    // Start-up: to the window shown; then memory and objects while it waits.
    lt::WriteBytes(home + "\\lumbra.dat", "Q:\\NOPE\r\n");
    std::vector<double> lumbraStart, minimalStart;
    StartUp l{}, m{};
    for (int i = 0; i < 5; ++i) {
        l = MeasureStartUp(home + "\\lumbra.exe", home);
        m = MeasureStartUp(lt::BuiltProgram("minimal.exe"), home);
        lumbraStart.push_back(l.ms);
        minimalStart.push_back(m.ms);
    }
    Stats ls = Of(lumbraStart), ms = Of(minimalStart);
    std::printf("| start to window shown (ms, median of 5; min-max) | %.1f (%.1f-%.1f) | %.1f (%.1f-%.1f) | %.2f |\n",
                ls.median, ls.min, ls.max, ms.median, ms.min, ms.max, ls.median / ms.median);
    std::printf("| private memory while waiting (KiB) | %zu | %zu | %.2f |\n", l.privateBytes / 1024,
                m.privateBytes / 1024, double(l.privateBytes) / double(m.privateBytes));
    std::printf("| GDI objects / windows / kernel handles while waiting | %d / %d / %d | %d / %d / %d | |\n",
                l.counts.gdi, l.counts.windows, l.counts.handles, m.counts.gdi, m.counts.windows, m.counts.handles);

    // The first attempt: start to the started program, 20 runs, beside the baseline's start
    // to its started program (a process start and nothing to wait for) in the same folder.
    std::vector<double> first, bare;
    for (int i = 0; i < 20; ++i) {
        first.push_back(TimeToStart(home, folder10));
        bare.push_back(BaselineToStart(empty, folder10));
    }
    Stats fs = Of(first), bs = Of(bare);
    std::printf("| start to program started (ms, 20 runs: median, min-max, spread) | %.1f, %.1f-%.1f, %.1f | "
                "%.1f, %.1f-%.1f, %.1f | %.2f |\n",
                fs.median, fs.min, fs.max, fs.max - fs.min, bs.median, bs.min, bs.max, bs.max - bs.min,
                fs.median / (2000 + bs.median));
    std::printf("| first attempt beyond 2000 ms + baseline (ms, median) | %.1f | 0 | |\n", fs.median - 2000 - bs.median);
    return 0;
}
