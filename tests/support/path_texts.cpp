#include "path_texts.h"
#include "lumbra_test.h"
#include <algorithm>
#include <cstdio>
#include <vector>

namespace lt {

namespace {

const std::string LongName = std::string(251, 'L') + ".EXE"; // 255 characters, a program of the disc
const std::string LongerName(256, 'M');         // too long for any file system
const std::string HighName = "\xC4PFEL \xE9t\xE9"; // "ÄPFEL été" in the ANSI code page

template <class T> const T& Pick(std::mt19937& random, const std::vector<T>& from)
{
    return from[std::uniform_int_distribution<std::size_t>(0, from.size() - 1)(random)];
}

bool Chance(std::mt19937& random, double p)
{
    return std::bernoulli_distribution(p)(random);
}

} // namespace

const std::string GrammarStart = "C:\\lumbra-tests\\start";

void MakeGrammarDisc(bool stubs, bool documents)
{
    const std::string& start = GrammarStart;
    auto program = [&](const std::string& path) {
        if (stubs)
            PutStub(path);
        else
            WriteBytes(path, "x");
    };
    ClearFolder("E:");
    MakeFolder("E:\\GAMES\\SUB");
    MakeFolder("E:\\" + HighName);
    program("E:\\ROOT.EXE");
    for (const char* name : {"AUTORUN.EXE", "RUN.EXE", "SUB\\DEEP.EXE"})
        program(std::string("E:\\GAMES\\") + name);
    if (documents) {
        WriteBytes("E:\\GAMES\\README.TXT", "read me");
        WriteBytes("E:\\GAMES\\SETUP.BAT", "@echo off\r\n");
    }
    program("E:\\" + LongName);
    program("E:\\" + HighName + "\\\xC9T\xC9.EXE");
    RemoveTree(start);
    MakeFolder(start + "\\GAMES");
    program(start + "\\START.EXE");
    program(start + "\\GAMES\\LOCAL.EXE");
}

namespace {

const std::vector<std::string> Separators = {"\\", "\\", "\\", "/", "\\\\", "/\\", "\\/"};
const std::vector<std::string> Lasts = {
    "",        "",         "RUN.EXE",  "run.exe",   "AUTORUN.EXE", "README.TXT", "SETUP.BAT", "MISSING.EXE",
    "*",       "?",        "*.EXE",    "*.exe;*.BAT", "R?N.EXE",   "A*",         "*.*",       "*.TXT;;*.BAT",
    ";",       ".",        "..",       "RUN.EXE.",  "RUN.EXE ",    "RUN.EXE. .", "CON",       "NUL",
    "COM1",    "NUL.EXE",  "CON.TXT",  "LPT1.EXE",  "START.EXE",   "LOCAL.EXE",  "DEEP.EXE",  LongName,
    "GAMES",   LongerName, "\xC9T\xC9.EXE", "\xFF\x80.EXE", "*\xC9*",   "ROOT.EXE",  "SUB"};

// Any pieces in any order: mostly texts that lead nowhere.
std::string WildText(std::mt19937& random)
{
    static const std::vector<std::string> drives = {
        "",      "",       "E:",      "e:",       "F:",           "Q:",         "N:",          "C:",
        "E:",    "E:",     "\\\\SERVER\\SHARE", "\\\\",  "\\\\?\\E:", "\\\\.\\E:", "\\\\.\\NUL",  ":",
        "E::",   "1:",     "\xC4:",  "//SERVER/SHARE"};
    static const std::vector<std::string> folders = {
        "GAMES", "games", "GAMES", "SUB",   "G*",    "GAM?S",  "*",   "?",    ".",         "..",
        "GAMES.", "GAMES ", "GAMES. .", "NOPE", "CON",  "NUL",   "COM1", "LPT1", LongName,   LongerName,
        HighName, "\xFF\x80\x81", "", "lumbra-tests", "start", "A*", "*.*"};
    std::string text = Pick(random, drives);
    bool rooted = Chance(random, 0.6);
    int depth = std::uniform_int_distribution<int>(0, 4)(random);
    for (int i = 0; i < depth; ++i) {
        if (i > 0 || rooted)
            text += Pick(random, Separators);
        text += Pick(random, folders);
    }
    if (depth > 0 || rooted)
        text += Pick(random, Separators);
    return text + Pick(random, Lasts);
}

// A real folder of the fixture, its names spelt in the ways the system accepts for them
// (letter case, "/", ".", "x\..", trailing dots and blanks, a wildcard now and then).
std::string PlausibleText(std::mt19937& random)
{
    static const std::vector<std::vector<std::string>> folders = {
        {"E:"}, {"E:", "GAMES"}, {"E:", "GAMES", "SUB"}, {"E:", HighName}, {"C:", "lumbra-tests", "start"},
        {"C:", "lumbra-tests", "start", "GAMES"}, {"", "GAMES"}, {"", ""}, {"\\", "GAMES"}};
    std::vector<std::string> names = Pick(random, folders);
    std::string text = names[0] == "\\" ? "" : names[0];
    for (std::size_t i = 1; i < names.size(); ++i) {
        std::string name = names[i];
        if (Chance(random, 0.2))
            for (char& c : name)
                if (c >= 'A' && c <= 'Z' && Chance(random, 0.5))
                    c = static_cast<char>(c - 'A' + 'a');
        if (Chance(random, 0.1))
            name += Chance(random, 0.5) ? "." : " ";
        if (Chance(random, 0.05) && !name.empty())
            name[name.size() / 2] = '?';
        if (i > 1 || !names[0].empty()) // a relative path starts with its first name
            text += Pick(random, Separators);
        if (Chance(random, 0.1))
            text += Chance(random, 0.5) ? std::string(".") + Pick(random, Separators)
                                         : "NOPE" + Pick(random, Separators) + ".." + Pick(random, Separators);
        text += name;
    }
    if (Chance(random, 0.7)) {
        if (!text.empty() && text.back() != ':')
            text += Pick(random, Separators);
        text += Pick(random, Lasts);
    }
    return text;
}

} // namespace

std::string RandomPathText(std::mt19937& random)
{
    std::string text = Chance(random, 0.5) ? PlausibleText(random) : WildText(random);
    if (Chance(random, 0.1))
        text += Pick(random, Separators);
    if (Chance(random, 0.08))
        text = "[" + text + "]";
    if (Chance(random, 0.01)) {
        // The longest text a Windows path can be, made of the same pieces.
        std::string filler = "E:";
        while (filler.size() < 32767)
            filler += Pick(random, Separators) + "GAMES";
        text = filler.substr(0, 32767 - std::min<std::size_t>(text.size(), 32767)) + text;
        text.resize(32767, 'x');
    }
    return text;
}

std::string Printable(const std::string& text)
{
    std::string shown;
    for (unsigned char c : text.substr(0, 300)) {
        if (c >= 32 && c < 128) {
            shown += static_cast<char>(c);
        } else {
            char hex[8];
            std::snprintf(hex, sizeof hex, "\\x%02X", c);
            shown += hex;
        }
    }
    if (text.size() > 300)
        shown += "... (" + std::to_string(text.size()) + " bytes)";
    return shown;
}

} // namespace lt
