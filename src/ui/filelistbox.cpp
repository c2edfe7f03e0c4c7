#include "filelistbox.h"
#include <algorithm>
#include <cstring>
#include "form.h"
#include "inouterror.h"
#include "sysutils.h"

namespace ui {

namespace {

bool HasWildcards(const std::string& s)
{
    return s.find_first_of("*?") != std::string::npos;
}

bool EndsWithBackslash(const std::string& s)
{
    return !s.empty() && LastDelimiter(s, "\\") == s.size() - 1;
}

std::string JoinPath(const std::string& folder, const std::string& name)
{
    return EndsWithBackslash(folder) ? folder + name : folder + "\\" + name;
}

void EnterFolder(const std::string& folder)
{
    if (IsDevicePath(folder)) {
        // Some systems make a device such as COM1 the current directory; it holds no files.
        SetLastError(ERROR_DIRECTORY);
        InOutCheck(false);
    }
    InOutCheck(SetCurrentDirectoryA(folder.c_str()) != FALSE);
}

// A directory entry that the system would take for a device (NUL, CON.TXT, ...): never a
// file to start. Only short stems can be device names, so most names skip the check.
bool IsDeviceEntry(const char* name)
{
    std::size_t stem = std::strcspn(name, ". ");
    return stem >= 3 && stem <= 7 && IsDevicePath(name);
}

// The drive part of a path: "E:" for a drive letter, "\\SERVER\SHARE" for a network
// path, or an empty text. Sets rest to what follows it.
std::string SplitDrive(const std::string& path, std::string* rest)
{
    std::size_t end = 0;
    if (path.size() >= 2 && path[1] == ':') {
        end = 2;
    } else if (path.rfind("\\\\", 0) == 0) {
        std::size_t server = path.find('\\', 2);
        end = server == std::string::npos ? path.size() : path.find('\\', server + 1);
        if (end == std::string::npos)
            end = path.size();
    }
    if (rest)
        *rest = path.substr(end);
    return path.substr(0, end);
}

// The system takes "/" between folder names as it takes "\"; written as "\" here, so
// that a name never holds a path. (No double-byte character has "/" as its second byte.)
std::string WithBackslashes(std::string path)
{
    std::replace(path.begin(), path.end(), '/', '\\');
    return path;
}

// The current directory without its drive part ("\" at a root).
std::string CurrentFolderWithoutDrive()
{
    std::string rest;
    SplitDrive(GetCurrentDir(), &rest);
    return rest.empty() ? "\\" : rest;
}

// Returns to the current directory it found, provided that folder still exists.
class CurrentDirectoryKeeper {
public:
    CurrentDirectoryKeeper() : saved_(GetCurrentDir()) {}
    ~CurrentDirectoryKeeper()
    {
        if (DirectoryExists(saved_))
            SetCurrentDirectoryA(saved_.c_str());
    }
    CurrentDirectoryKeeper(const CurrentDirectoryKeeper&) = delete;
    CurrentDirectoryKeeper& operator=(const CurrentDirectoryKeeper&) = delete;

private:
    std::string saved_;
};

} // namespace

void TFileListBox::Create(int itemHeight, const std::string& mask)
{
    CreateHandle("LISTBOX", WS_TABSTOP | WS_VSCROLL | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT, WS_EX_CLIENTEDGE, false);
    itemHeight_ = itemHeight;
    directory_ = GetCurrentDir();
    mask_ = mask;
}

void TFileListBox::HandleCreated()
{
    SendMessageA(Handle(), LB_SETITEMHEIGHT, 0, Owner.Scaled(itemHeight_));
    if (read_) {
        FillWindow();
        return;
    }
    try {
        ReadFileNames(); // the first read, of the folder the process started in
    } catch (const EInOutError&) {
        // the start-up folder can't be listed: the list starts empty
    }
}

void TFileListBox::ScaleChanged()
{
    TWinControl::ScaleChanged();
    if (HandleAllocated())
        SendMessageA(Handle(), LB_SETITEMHEIGHT, 0, Owner.Scaled(itemHeight_));
}

void TFileListBox::SetMask(const std::string& mask)
{
    if (mask != mask_) {
        mask_ = mask;
        ReadFileNames();
    }
}

void TFileListBox::SetDirectory(const std::string& folder)
{
    if (!SameText(folder, directory_)) {
        directory_ = folder;
        ReadFileNames();
    }
}

int TFileListBox::ItemIndex() const
{
    LRESULT index = SendMessageA(Handle(), LB_GETCURSEL, 0, 0);
    return index == LB_ERR ? -1 : static_cast<int>(index);
}

void TFileListBox::SetItemIndex(int index)
{
    SendMessageA(Handle(), LB_SETCURSEL, static_cast<WPARAM>(index), 0);
}

std::string TFileListBox::FullPath(int index) const
{
    return JoinPath(directory_, Items().at(static_cast<std::size_t>(index)));
}

std::string TFileListBox::FileName() const
{
    int index = ItemIndex();
    return index < 0 ? std::string() : FullPath(index);
}

int TFileListBox::IndexOf(const std::string& name) const
{
    const std::vector<std::string>& items = Items();
    for (std::size_t i = 0; i < items.size(); ++i)
        if (SameText(items[i], name))
            return static_cast<int>(i);
    return -1;
}

void TFileListBox::ReadFileNames()
{
    EnterFolder(directory_);
    items_.clear();
    std::size_t start = 0;
    for (;;) {
        std::size_t end = mask_.find(';', start);
        std::string pattern = mask_.substr(start, end == std::string::npos ? std::string::npos : end - start);
        WIN32_FIND_DATAA found;
        HANDLE search = pattern.empty() ? INVALID_HANDLE_VALUE : FindFirstFileA(pattern.c_str(), &found);
        if (search != INVALID_HANDLE_VALUE) {
            do {
                if (!(found.dwFileAttributes & (FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_DIRECTORY)) &&
                    !IsDeviceEntry(found.cFileName))
                    items_.emplace_back(found.cFileName);
            } while (FindNextFileA(search, &found));
            FindClose(search);
        }
        if (end == std::string::npos)
            break;
        start = end + 1;
    }
    // Sorted once here, as the system's sorted list box would order them; filling an
    // unsorted list box in that order stays linear in the number of files.
    std::stable_sort(items_.begin(), items_.end(),
                     [](const std::string& a, const std::string& b) { return CompareTextLocale(a, b) < 0; });
    read_ = true;
    if (HandleAllocated())
        FillWindow(); // else the window is filled when it is made
}

void TFileListBox::FillWindow()
{
    HWND list = Handle();
    SendMessageA(list, WM_SETREDRAW, FALSE, 0);
    SendMessageA(list, LB_RESETCONTENT, 0, 0);
    std::size_t bytes = 0;
    for (const std::string& item : items_)
        bytes += item.size() + 1;
    SendMessageA(list, LB_INITSTORAGE, items_.size(), static_cast<LPARAM>(bytes));
    for (const std::string& item : items_) {
        LRESULT added = SendMessageA(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item.c_str()));
        if (added == LB_ERR || added == LB_ERRSPACE) {
            SendMessageA(list, WM_SETREDRAW, TRUE, 0);
            throw EOutOfResources("The file list refused an entry");
        }
    }
    SendMessageA(list, WM_SETREDRAW, TRUE, 0);
    InvalidateRect(list, nullptr, TRUE);
}

bool TFileListBox::ApplyFilePath(const std::string& typed)
{
    const std::string text = WithBackslashes(typed);
    if (text.empty())
        return false;
    if (SameText(text, FileName()))
        return true; // the named file is selected already

    const std::string startFolder = GetCurrentDir();
    std::string drive, folder, name;
    {
        CurrentDirectoryKeeper keeper;
        std::string rest;
        if (text.size() >= 2 && text.front() == '[' && text.back() == ']')
            rest = text.substr(1, text.size() - 2); // relative to the current directory
        else
            drive = SplitDrive(text, &rest);
        if (!drive.empty() && DirectoryExists(drive))
            EnterFolder(drive); // for a drive letter: that drive's current folder

        std::size_t cut = LastDelimiter(rest, "\\:");
        name = cut == std::string::npos ? rest : rest.substr(cut + 1);
        if (cut == std::string::npos)
            folder = CurrentFolderWithoutDrive();
        else if (cut == 0 && rest[0] == '\\')
            folder.assign(1, '\\');
        else
            folder = rest.substr(0, rest[cut] == ':' ? cut + 1 : cut);
        if (folder.empty())
            folder = CurrentFolderWithoutDrive();
        EnterFolder(folder);

        if (!name.empty() && !HasWildcards(name) && !FileExists(name)) {
            EnterFolder(name); // the last component is a folder
            folder = JoinPath(folder, name);
            name.clear();
        }
    }

    std::string root = drive.empty() ? SplitDrive(startFolder, nullptr) : drive;
    std::string newFolder = root + folder;
    if (!SameText(newFolder, directory_)) {
        if (DirectoryExists(directory_))
            SetCurrentDirectoryA(directory_.c_str());
        EnterFolder(newFolder);
        SetDirectory(GetCurrentDir());
    }

    if (HasWildcards(name)) {
        SetMask(name);
        return false;
    }
    if (name.empty())
        return false;

    SetItemIndex(IndexOf(name)); // clears a selection that is not the named file
    if (!FileExists(name)) {
        SetLastError(ERROR_FILE_NOT_FOUND);
        InOutCheck(false);
    }
    if (ItemIndex() < 0) {
        SetMask(name);
        SetItemIndex(IndexOf(name));
    }
    return ItemIndex() >= 0;
}

} // namespace ui
