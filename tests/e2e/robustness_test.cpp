// The real program against bad input and a changing world: random path files, a folder
// removed between two attempts, a disc taken out after the list was read, a drive letter
// that leads to a file; and a long run of failed attempts and confirms.
#include <gtest/gtest.h>
#include <memory>
#include "lumbra_test.h"
#include "path_texts.h"

namespace {

std::string FolderOf(const std::string& file)
{
    return file.substr(0, file.find_last_of('\\'));
}

bool SameFolder(const std::string& a, const std::string& b)
{
    auto trimmed = [](std::string s) {
        if (!s.empty() && s.back() == '\\')
            s.pop_back(); // "E:\" and "E:" both stand for the root here
        return s;
    };
    return CompareStringA(LOCALE_INVARIANT, NORM_IGNORECASE, trimmed(a).c_str(), -1, trimmed(b).c_str(), -1) ==
           CSTR_EQUAL;
}

// The outcome of an attempt: the program ended after starting one file of the folder it
// listed, in that folder; or it waits in entry mode having started nothing.
enum class Outcome { Launched, Entry, Neither };

Outcome OutcomeOf(lt::Lumbra& lumbra, DWORD ms, std::string* detail)
{
    bool settled = lt::WaitFor([&] { return !lumbra.Running() || lumbra.EditShown(); }, ms);
    if (!settled) {
        *detail = "neither ended nor in entry mode";
        return Outcome::Neither;
    }
    if (lumbra.Running()) {
        Sleep(300); // a start that the stub has not written yet would show here
        if (!lumbra.StartedPrograms().empty()) {
            *detail = "in entry mode after starting " + lumbra.StartedPrograms()[0].exe;
            return Outcome::Neither;
        }
        return Outcome::Entry;
    }
    std::optional<DWORD> code = lumbra.WaitForExit(0);
    lt::WaitFor([&] { return !lumbra.StartedPrograms().empty(); }, 3000);
    std::vector<lt::Started> started = lumbra.StartedPrograms();
    if (code != 0u || started.size() != 1) {
        *detail = "ended with " + std::to_string(code.value_or(999)) + " after " + std::to_string(started.size()) +
                  " starts";
        return Outcome::Neither;
    }
    if (!SameFolder(FolderOf(started[0].exe), started[0].cwd)) {
        *detail = "started " + started[0].exe + " in " + started[0].cwd;
        return Outcome::Neither;
    }
    *detail = started[0].exe;
    return Outcome::Launched;
}

// A path text of random pieces in the path file of a freshly started program: it starts a
// file of the folder it lists, in that folder, or waits in entry mode. Confirming an empty
// text after a failure then starts the first entry of the list as it was, in its folder:
// the failure left the process's current directory where it was.
TEST(BadInput, RandomPathTextsEndToEnd)
{
    lt::MakeGrammarDisc(true, false);
    std::mt19937 random(121126);
    const int count = lt::CountFromEnvironment("LUMBRA_E2E_PATH_TEXTS", 12);
    std::vector<std::string> texts;
    std::vector<std::unique_ptr<lt::Lumbra>> runs;
    for (int i = 0; i < count; ++i) {
        texts.push_back(lt::RandomPathText(random));
        if (texts.back().find('\0') != std::string::npos || texts.back().size() > 4000)
            texts.back().resize(std::min<std::size_t>(texts.back().find('\0'), 4000));
    }
    int launched = 0;
    std::vector<int> inEntry;
    const int batch = 6; // programs at once: enough to be quick, few enough for two cores
    for (int first = 0; first < count; first += batch) {
        runs.clear();
        for (int i = first; i < std::min(count, first + batch); ++i)
            runs.push_back(std::make_unique<lt::Lumbra>(lt::HomeWith("random-" + std::to_string(i), texts[i]),
                                                        SW_SHOWNORMAL, lt::GrammarStart));
        for (int i = first; i < std::min(count, first + batch); ++i) {
            SCOPED_TRACE(lt::Printable(texts[i]));
            std::string detail;
            Outcome outcome = OutcomeOf(*runs[i - first], 15000, &detail);
            EXPECT_NE(outcome, Outcome::Neither) << detail;
            launched += outcome == Outcome::Launched;
            if (outcome == Outcome::Entry && inEntry.size() < 3)
                inEntry.push_back(i);
        }
    }
    runs.clear();
    std::printf("%d path texts: %d launched, %d in entry mode\n", count, launched, count - launched);

    for (int i : inEntry) {
        SCOPED_TRACE("then an empty text after " + lt::Printable(texts[i]));
        lt::Lumbra lumbra(lt::HomeWith("random-" + std::to_string(i), texts[i]), SW_SHOWNORMAL, lt::GrammarStart);
        ASSERT_TRUE(lt::WaitFor([&] { return lumbra.EditShown(); }, 8000));
        lt::PressKey(VK_DELETE);
        lt::PressKey(VK_RETURN);
        ASSERT_TRUE(lt::WaitFor([&] { return !lumbra.EditShown(); }, 2000));
        std::string detail;
        Outcome outcome = OutcomeOf(lumbra, 8000, &detail);
        EXPECT_NE(outcome, Outcome::Neither) << detail;
        if (outcome == Outcome::Launched) {
            EXPECT_TRUE(SameFolder(FolderOf(detail), lt::GrammarStart)) << detail << ": the list was left as it was";
        }
    }
}

struct Disc {
    // F: with a game in GAMES and another in OTHER.
    Disc()
    {
        lt::ClearFolder("F:");
        lt::MakeFolder("F:\\GAMES");
        lt::MakeFolder("F:\\OTHER");
        lt::PutStub("F:\\GAMES\\A.EXE");
        lt::PutStub("F:\\OTHER\\B.EXE");
    }
};

// The next attempt, after a confirm of text (typed over the selected text), ends in entry
// mode again without starting anything.
void ConfirmAndExpectEntry(lt::Lumbra& lumbra, const std::string& text)
{
    SCOPED_TRACE("confirmed \"" + text + "\"");
    if (text.empty())
        lt::PressKey(VK_DELETE);
    else
        lt::TypeText(text);
    lt::PressKey(VK_RETURN);
    ASSERT_TRUE(lt::WaitFor([&] { return !lumbra.EditShown(); }, 2000)) << "the confirm was taken";
    ASSERT_TRUE(lt::WaitFor([&] { return lumbra.EditShown(); }, 5000)) << "entry mode again";
    EXPECT_TRUE(lumbra.Running());
    EXPECT_TRUE(lumbra.StartedPrograms().empty());
}

void ConfirmAndExpectLaunch(lt::Lumbra& lumbra, const std::string& text, const std::string& exe)
{
    lt::TypeText(text);
    lt::PressKey(VK_RETURN);
    ASSERT_EQ(lumbra.WaitForExit(6000), 0u);
    ASSERT_TRUE(lt::WaitFor([&] { return !lumbra.StartedPrograms().empty(); }, 3000));
    EXPECT_EQ(lumbra.StartedPrograms()[0].exe, exe);
    EXPECT_TRUE(SameFolder(lumbra.StartedPrograms()[0].cwd, FolderOf(exe)));
}

TEST(BadInput, FolderRemovedBetweenTwoAttempts)
{
    Disc disc;
    // The first attempt lists F:\GAMES (the process stays in it) and fails on the name.
    lt::Lumbra lumbra(lt::HomeWith("folder-removed", "F:\\GAMES\\MISSING.EXE"));
    ASSERT_TRUE(lt::WaitFor([&] { return lumbra.EditShown(); }, 6000));
    ASSERT_EQ(lt::RunUnix("rm -rf '" + lt::EnvUnixPath("disc-f/GAMES") + "'"), 0);
    ASSERT_EQ(GetFileAttributesA("F:\\GAMES"), INVALID_FILE_ATTRIBUTES);
    ConfirmAndExpectEntry(lumbra, "");         // the listed A.EXE is gone
    ConfirmAndExpectEntry(lumbra, "F:\\GAMES"); // the folder is gone
    ConfirmAndExpectLaunch(lumbra, "F:\\OTHER", "F:\\OTHER\\B.EXE");
}

// Puts the disc of F: back however the test ends.
struct DiscBack {
    ~DiscBack()
    {
        lt::RunUnix("[ ! -e '" + lt::EnvUnixPath("disc-f-out") + "' ] || mv '" + lt::EnvUnixPath("disc-f-out") + "' '" +
                    lt::EnvUnixPath("disc-f") + "'");
    }
};

TEST(BadInput, DiscTakenOutAfterTheListWasRead)
{
    Disc disc;
    DiscBack back;
    lt::Lumbra lumbra(lt::HomeWith("disc-out", "F:\\GAMES\\MISSING.EXE"));
    ASSERT_TRUE(lt::WaitFor([&] { return lumbra.EditShown(); }, 6000));
    // The drive letter stays and leads nowhere, as an empty CD drive does.
    ASSERT_EQ(lt::RunUnix("mv '" + lt::EnvUnixPath("disc-f") + "' '" + lt::EnvUnixPath("disc-f-out") + "'"), 0);
    ASSERT_EQ(GetFileAttributesA("F:\\"), INVALID_FILE_ATTRIBUTES);
    ConfirmAndExpectEntry(lumbra, "");
    ConfirmAndExpectEntry(lumbra, "F:\\GAMES");
    ConfirmAndExpectEntry(lumbra, "F:\\");
    ASSERT_EQ(lt::RunUnix("mv '" + lt::EnvUnixPath("disc-f-out") + "' '" + lt::EnvUnixPath("disc-f") + "'"), 0);
    ConfirmAndExpectLaunch(lumbra, "F:\\GAMES", "F:\\GAMES\\A.EXE"); // the disc is back
}

TEST(BadInput, DriveLetterLeadingToAFile)
{
    // G: is a link to a file, not to a folder (made by the environment).
    ASSERT_NE(GetFileAttributesA("G:\\"), FILE_ATTRIBUTE_DIRECTORY);
    const char* texts[] = {"G:\\", "G:", "G:\\A.EXE", "G:A.EXE", "G:\\*.EXE", "G:\\GAMES\\"};
    std::vector<std::unique_ptr<lt::Lumbra>> runs;
    int i = 0;
    for (const char* text : texts)
        runs.push_back(std::make_unique<lt::Lumbra>(lt::HomeWith("drive-file-" + std::to_string(i++), text)));
    for (std::size_t k = 0; k < runs.size(); ++k) {
        SCOPED_TRACE(texts[k]);
        std::string detail;
        EXPECT_EQ(OutcomeOf(*runs[k], 10000, &detail), Outcome::Entry) << detail;
    }
}

// Failed attempt and confirm, over and over in one run of the program (the path file
// alternating between two unreachable paths): the window answers at once throughout, and
// what the process holds after the last cycle is what it held after the first.
TEST(Endurance, FailedAttemptsAndConfirms)
{
    const int cycles = lt::CountFromEnvironment("LUMBRA_CYCLES", 10);
    lt::Lumbra lumbra(lt::HomeWith("endurance", "Q:\\ONE"));
    ASSERT_TRUE(lt::WaitFor([&] { return lumbra.EditShown(); }, 6000));
    HWND form = lumbra.Form();
    lt::ProcessCounts first, last;
    DWORD slowest = 0, started = GetTickCount();
    for (int cycle = 1; cycle <= cycles; ++cycle) {
        SCOPED_TRACE("cycle " + std::to_string(cycle));
        const std::string path = cycle % 2 ? "Q:\\TWO" : "Q:\\ONE";
        lt::TypeText(path);
        lt::PressKey(VK_RETURN);
        ASSERT_TRUE(lt::WaitFor([&] { return lt::ReadBytes(lumbra.Home() + "\\lumbra.dat") == path + "\r\n"; }, 2000));
        ASSERT_TRUE(lt::WaitFor([&] { return lumbra.EditShown(); }, 5000)) << "the attempt failed into entry mode";
        DWORD before = GetTickCount();
        DWORD_PTR result = 0;
        ASSERT_TRUE(SendMessageTimeoutA(form, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 2000, &result)) << "the window answers";
        slowest = std::max(slowest, GetTickCount() - before);
        (cycle == 1 ? first : last) = lt::CountsOf(lumbra.Process());
        if (cycle % 100 == 0)
            std::printf("cycle %d: handles %d, GDI %d, windows %d, %lu s\n", cycle, last.handles, last.gdi, last.windows,
                        (GetTickCount() - started) / 1000);
    }
    if (cycles == 1)
        last = first;
    std::printf("%d cycles: handles %d -> %d, GDI objects %d -> %d, windows %d -> %d, slowest answer %lu ms\n", cycles,
                first.handles, last.handles, first.gdi, last.gdi, first.windows, last.windows, slowest);
    EXPECT_GT(first.handles, 0);
    EXPECT_GT(first.gdi, 0);
    EXPECT_GT(first.windows, 0);
    EXPECT_EQ(last.handles, first.handles);
    EXPECT_EQ(last.gdi, first.gdi);
    EXPECT_EQ(last.windows, first.windows);
    EXPECT_TRUE(lumbra.StartedPrograms().empty());
}

} // namespace

namespace {

// Puts a stranger's DLL beside a program under the names of DLLs that are loaded after the
// program has started (uxtheme.dll by the first window, comctl32.dll by the first edit
// box). Wine is told to take a DLL found beside the program (exe) before its own, as
// Windows does for DLLs that are not on its known list.
struct Planted {
    Planted(const std::string& folder, const std::string& exe)
        : folder(folder), key("Software\\Wine\\AppDefaults\\" + exe)
    {
        for (const char* name : Names)
            EXPECT_TRUE(CopyFileA(lt::BuiltProgram("planted.dll").c_str(), (folder + "\\" + name).c_str(), FALSE));
        HKEY overrides;
        EXPECT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, (key + "\\DllOverrides").c_str(), 0, nullptr, 0, KEY_WRITE,
                                  nullptr, &overrides, nullptr),
                  ERROR_SUCCESS);
        for (const char* dll : {"uxtheme", "comctl32"})
            RegSetValueExA(overrides, dll, 0, REG_SZ, reinterpret_cast<const BYTE*>("native,builtin"), 15);
        RegCloseKey(overrides);
    }
    ~Planted() { RegDeleteTreeA(HKEY_CURRENT_USER, key.c_str()); }
    std::vector<std::string> Loaded() const
    {
        std::vector<std::string> loaded;
        for (const char* name : Names)
            if (GetFileAttributesA((folder + "\\" + name + ".loaded").c_str()) != INVALID_FILE_ATTRIBUTES)
                loaded.push_back(name);
        return loaded;
    }
    static constexpr const char* Names[] = {"uxtheme.dll", "comctl32.dll"};
    std::string folder, key;
};

TEST(DllPlanting, ADllBesideTheProgramIsNotLoaded)
{
    // A program that does not restrict its DLL search shows that the plant would be taken.
    std::string control = lt::HomeFolder("planting-control");
    lt::PutStub(control + "\\WINPROBE.EXE"); // shows a window, as most programs do
    {
        Planted planted(control, "WINPROBE.EXE");
        SetEnvironmentVariableA("LUMBRA_STUB_LOG", (control + "\\started.log").c_str());
        STARTUPINFOA startup{};
        startup.cb = sizeof startup;
        PROCESS_INFORMATION info{};
        std::string exe = control + "\\WINPROBE.EXE";
        ASSERT_TRUE(CreateProcessA(exe.c_str(), nullptr, nullptr, nullptr, FALSE, 0, nullptr, control.c_str(), &startup,
                                   &info));
        WaitForSingleObject(info.hProcess, 10000);
        CloseHandle(info.hThread);
        CloseHandle(info.hProcess);
        if (planted.Loaded().empty())
            GTEST_SKIP() << "this Wine loads no DLL planted beside a program, so a plant could not be seen";
    }

    lt::ClearFolder("F:");
    lt::MakeFolder("F:\\PLANT");
    lt::PutStub("F:\\PLANT\\A.EXE");
    std::string home = lt::HomeWith("planting", "Q:\\");
    Planted planted(home, "lumbra.exe");
    lt::Lumbra lumbra(home);
    ASSERT_TRUE(lt::WaitFor([&] { return lumbra.EditShown(); }, 6000)); // window, edit box
    lt::TypeText("F:\\PLANT");
    lt::PressKey(VK_RETURN);
    ASSERT_EQ(lumbra.WaitForExit(6000), 0u); // and the shell's start of the program
    ASSERT_TRUE(lt::WaitFor([&] { return lumbra.StartedPrograms().size() == 1; }, 3000));
    EXPECT_EQ(planted.Loaded(), std::vector<std::string>{});
}

} // namespace
