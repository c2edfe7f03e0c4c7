// Baseline for the attempt cost: the bare work of an attempt on the same folder in the same
// run. Enumerates "*.exe" with FindFirstFile, sorts the names as the system's list box
// would (letter case ignored, the user's locale), starts the first in that folder, and ends.
#include <windows.h>
#include <algorithm>
#include <string>
#include <vector>

int main(int argc, char** argv)
{
    if (argc < 2 || !SetCurrentDirectoryA(argv[1]))
        return 2;
    std::vector<std::string> names;
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA("*.exe", &found);
    if (search != INVALID_HANDLE_VALUE) {
        do {
            if (!(found.dwFileAttributes & (FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_DIRECTORY)))
                names.emplace_back(found.cFileName);
        } while (FindNextFileA(search, &found));
        FindClose(search);
    }
    std::stable_sort(names.begin(), names.end(), [](const std::string& a, const std::string& b) {
        return CompareStringA(LOCALE_USER_DEFAULT, NORM_IGNORECASE, a.data(), static_cast<int>(a.size()), b.data(),
                              static_cast<int>(b.size())) == CSTR_LESS_THAN;
    });
    if (names.empty())
        return 1;
    std::string first = std::string(argv[1]) + "\\" + names.front();
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION info{};
    if (!CreateProcessA(first.c_str(), nullptr, nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &info))
        return 3;
    CloseHandle(info.hThread);
    CloseHandle(info.hProcess);
    return 0;
}
