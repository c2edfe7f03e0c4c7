// The launch attempt, two seconds after start: which program the path text starts and in
// which working folder, and when the window turns to entry mode instead.
#include <gtest/gtest.h>
#include "lumbra_test.h"

namespace {

// The fixture disc in E: and a start-up folder with a GAMES folder of its own.
std::string MakeDiscAndHome(const std::string& name)
{
    lt::ClearFolder("E:");
    lt::MakeFolder("E:\\GAMES");
    lt::PutStub("E:\\ROOT.EXE");
    lt::PutStub("E:\\GAMES\\AUTORUN.EXE");
    lt::PutStub("E:\\GAMES\\RUN.EXE");
    lt::WriteBytes("E:\\GAMES\\README.TXT", "read me\r\n");
    lt::WriteBytes("E:\\GAMES\\SETUP.BAT", "@echo E:\\GAMES\\SETUP.BAT^|%CD%^|bat>>\"%LUMBRA_STUB_LOG%\"\r\n");
    lt::WriteBytes("E:\\GAMES\\DATA.XYZ", "no program opens this\r\n");
    std::string home = lt::HomeFolder(name);
    lt::MakeFolder(home + "\\GAMES");
    lt::PutStub(home + "\\GAMES\\LOCAL.EXE");
    return home;
}

// Documents of type .txt open with the stub, so that the test sees what the shell started.
void RegisterTextDocuments()
{
    HKEY key;
    RegCreateKeyExA(HKEY_CLASSES_ROOT, ".txt", 0, nullptr, 0, KEY_WRITE, nullptr, &key, nullptr);
    RegSetValueExA(key, nullptr, 0, REG_SZ, reinterpret_cast<const BYTE*>("LumbraTest.txt"), 15);
    RegCloseKey(key);
    std::string command = "\"" + lt::BuiltProgram("stub.exe") + "\" \"%1\"";
    RegCreateKeyExA(HKEY_CLASSES_ROOT, "LumbraTest.txt\\shell\\open\\command", 0, nullptr, 0, KEY_WRITE, nullptr, &key,
                    nullptr);
    RegSetValueExA(key, nullptr, 0, REG_SZ, reinterpret_cast<const BYTE*>(command.c_str()),
                   static_cast<DWORD>(command.size() + 1));
    RegCloseKey(key);
}

struct Outcome {
    std::optional<DWORD> exitCode;
    std::vector<lt::Started> started;
    bool entryMode = false;
};

// Starts lumbra with path in its path file and waits for the end of the first attempt.
Outcome Attempt(const std::string& home, const std::string& path, const std::string& cwd = "")
{
    lt::WriteBytes(home + "\\lumbra.dat", path + "\r\n");
    lt::Lumbra lumbra(home, SW_SHOWNORMAL, cwd);
    Outcome outcome;
    lt::WaitFor([&] { return (outcome.exitCode = lumbra.WaitForExit(0)) || (outcome.entryMode = lumbra.EditShown()); },
                8000);
    if (outcome.exitCode)
        lt::WaitFor([&] { return !lumbra.StartedPrograms().empty(); }, 3000);
    outcome.started = lumbra.StartedPrograms();
    return outcome;
}

struct LaunchCase {
    const char* text;
    const char* exe;  // the program started; empty for entry mode
    const char* cwd;  // its working folder ("~" for the start-up folder)
    const char* args; // a part of its command line, or empty
};

std::string Expand(const std::string& s, const std::string& home)
{
    return s.rfind('~', 0) == 0 ? home + s.substr(1) : s;
}

TEST(Launch, PathShapes)
{
    std::string home = MakeDiscAndHome("launch");
    RegisterTextDocuments();
    const LaunchCase cases[] = {
        {"E:\\", "E:\\ROOT.EXE", "E:\\", ""},
        {"E:", "E:\\ROOT.EXE", "E:\\", ""},
        {"E:\\GAMES", "E:\\GAMES\\AUTORUN.EXE", "E:\\GAMES", ""},
        {"E:\\GAMES\\", "E:\\GAMES\\AUTORUN.EXE", "E:\\GAMES", ""},
        {"E:\\GAMES\\RUN.EXE", "E:\\GAMES\\RUN.EXE", "E:\\GAMES", ""}, // the named program, not the first
        {"E:\\GAMES\\README.TXT", "B:\\stub.exe", "E:\\GAMES", "E:\\GAMES\\README.TXT"},
        {"E:\\GAMES\\*.BAT", "E:\\GAMES\\SETUP.BAT", "E:\\GAMES", "bat"},
        {"E:\\GAMES\\*.EXE;*.BAT", "E:\\GAMES\\AUTORUN.EXE", "E:\\GAMES", ""},
        {"GAMES", "~\\GAMES\\LOCAL.EXE", "~\\GAMES", ""},
        {"[GAMES]", "~\\GAMES\\LOCAL.EXE", "~\\GAMES", ""},
        {"\\lumbra-tests\\launch\\GAMES", "~\\GAMES\\LOCAL.EXE", "~\\GAMES", ""},
        {"Q:\\", "", "", ""},                       // a drive that is not there
        {"N:\\", "", "", ""},                       // a drive without a disc
        {"E:\\NOPE", "", "", ""},                   // a folder that does not exist
        {"E:\\GAMES\\MISSING.EXE", "", "", ""},     // a file that does not exist
        {"E:\\A*\\X", "", "", ""},                  // a wildcard in a folder part
        {"E:\\GAMES\\RUN.EXE\\", "", "", ""},       // a file followed by a backslash
        {"E:\\GAMES\\*.COM", "", "", ""},           // nothing matches: nothing to start
        {"E:\\GAMES\\DATA.XYZ", "", "", ""},        // the shell can't open it
    };
    for (const LaunchCase& c : cases) {
        SCOPED_TRACE(c.text);
        Outcome outcome = Attempt(home, c.text);
        if (*c.exe == '\0') {
            EXPECT_TRUE(outcome.entryMode);
            EXPECT_FALSE(outcome.exitCode.has_value());
            EXPECT_TRUE(outcome.started.empty());
            continue;
        }
        EXPECT_EQ(outcome.exitCode, 0u);
        ASSERT_EQ(outcome.started.size(), 1u);
        EXPECT_STRCASEEQ(outcome.started[0].exe.c_str(), Expand(c.exe, home).c_str());
        EXPECT_STRCASEEQ(outcome.started[0].cwd.c_str(), Expand(c.cwd, home).c_str());
        EXPECT_NE(outcome.started[0].commandLine.find(c.args), std::string::npos) << outcome.started[0].commandLine;
    }
}

TEST(Launch, EmptyPathUsesTheStartUpFolder)
{
    std::string home = MakeDiscAndHome("launch-empty");
    std::string folder = lt::HomeFolder("launch-empty-cwd");
    lt::PutStub(folder + "\\A.EXE");
    Outcome outcome = Attempt(home, "", folder);
    EXPECT_EQ(outcome.exitCode, 0u);
    ASSERT_EQ(outcome.started.size(), 1u);
    EXPECT_EQ(outcome.started[0].exe, folder + "\\A.EXE");
}

TEST(Launch, FirstInOrderIgnoringLetterCase)
{
    std::string home = lt::HomeFolder("launch-order");
    lt::ClearFolder("F:");
    lt::PutStub("F:\\b.exe");
    lt::PutStub("F:\\A.EXE");
    lt::PutStub("F:\\c.exe");
    Outcome outcome = Attempt(home, "F:\\");
    ASSERT_EQ(outcome.started.size(), 1u);
    EXPECT_EQ(outcome.started[0].exe, "F:\\A.EXE");
}

TEST(Launch, HiddenProgramIsNotStarted)
{
    std::string home = lt::HomeFolder("launch-hidden");
    lt::ClearFolder("F:");
    lt::PutStub("F:\\HIDDEN.EXE");
    lt::SetAttributes("F:\\HIDDEN.EXE", FILE_ATTRIBUTE_HIDDEN);
    EXPECT_TRUE(Attempt(home, "F:\\HIDDEN.EXE").entryMode);
    EXPECT_TRUE(Attempt(home, "F:\\").entryMode);
}

TEST(Launch, NeverStartsItself)
{
    // The executable runs from F:\SELF, whose programs it lists: itself first, then Z.EXE.
    lt::ClearFolder("F:");
    lt::MakeFolder("F:\\SELF");
    ASSERT_TRUE(CopyFileA(lt::BuiltProgram("lumbra.exe").c_str(), "F:\\SELF\\lumbra.exe", FALSE));
    EXPECT_TRUE(Attempt("F:\\SELF", "F:\\SELF").entryMode) << "only itself: nothing to start";
    lt::PutStub("F:\\SELF\\Z.EXE");
    for (const char* text : {"F:\\SELF", "F:\\SELF\\LUMBRA.EXE", "f:\\self\\.\\lumbra.exe"}) {
        SCOPED_TRACE(text);
        Outcome outcome = Attempt("F:\\SELF", text);
        ASSERT_EQ(outcome.started.size(), 1u);
        EXPECT_EQ(outcome.started[0].exe, "F:\\SELF\\Z.EXE");
    }
}

TEST(Launch, LongFullPathIsHandedOverWhole)
{
    std::string home = lt::HomeFolder("launch-long");
    lt::ClearFolder("F:");
    std::string folder = "F:\\" + std::string(100, 'D') + "\\" + std::string(100, 'E');
    lt::MakeFolder(folder);
    std::string program = folder + "\\" + std::string(49, 'P') + ".EXE"; // 258 bytes in all
    ASSERT_EQ(program.size(), 258u);
    lt::PutStub(program);
    Outcome outcome = Attempt(home, folder);
    EXPECT_EQ(outcome.exitCode, 0u);
    ASSERT_EQ(outcome.started.size(), 1u);
    EXPECT_EQ(outcome.started[0].exe, program);
}

TEST(Launch, EndsWhileTheStartedProgramShowsItsWindow)
{
    std::string home = lt::HomeFolder("launch-window");
    lt::ClearFolder("F:");
    lt::PutStub("F:\\WINDOWED.EXE");
    Outcome outcome = Attempt(home, "F:\\");
    EXPECT_EQ(outcome.exitCode, 0u);
    ASSERT_EQ(outcome.started.size(), 1u);
    EXPECT_EQ(outcome.started[0].exe, "F:\\WINDOWED.EXE");
}

TEST(Launch, EntryModeFocusesTheSelectedTextAndStopsTheTimer)
{
    std::string home = lt::HomeWith("launch-entry", "F:\\LATER");
    lt::ClearFolder("F:");
    lt::Lumbra lumbra(home);
    ASSERT_TRUE(lt::WaitFor([&] { return lumbra.EditShown(); }, 6000));
    HWND form = lumbra.Form(), edit = lumbra.Edit();
    EXPECT_TRUE(lt::WaitFor([&] { return lt::FocusOf(form) == edit; }, 1000)) << "the edit box has the focus";
    DWORD start = 0, end = 0;
    SendMessageA(edit, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    EXPECT_EQ(start, 0u);
    EXPECT_EQ(end, 8u) << "the whole text is selected";

    // The folder appears now: a running timer would start its program at the next tick.
    lt::MakeFolder("F:\\LATER");
    lt::PutStub("F:\\LATER\\A.EXE");
    Sleep(4500);
    EXPECT_TRUE(lumbra.Running());
    EXPECT_TRUE(lumbra.StartedPrograms().empty()) << "no attempt while the window waits for a path";
    EXPECT_EQ(lt::MessageBoxOf(lumbra.Pid()), nullptr) << "no message box";
}

} // namespace
