// A file list: a LISTBOX child window listing the files of one folder that match a mask.
#pragma once
#include <string>
#include <vector>
#include "control.h"

namespace ui {

class TFileListBox : public TWinControl {
public:
    using TWinControl::TWinControl;

    // The list of the process's current directory; it is read when its window is made.
    void Create(int itemHeight, const std::string& mask);

    const std::string& Directory() const { return directory_; }
    const std::string& Mask() const { return mask_; }
    void SetMask(const std::string& mask);
    // The entries (the list's window is made first, which reads them the first time).
    const std::vector<std::string>& Items() const
    {
        Handle();
        return items_;
    }

    int ItemIndex() const;
    void SetItemIndex(int index);

    // The full path of the selected entry, or an empty text when none is selected.
    std::string FileName() const;
    // The full path of entry index.
    std::string FullPath(int index) const;

    // Points the list at a path text: a folder, optionally followed by a mask or a file
    // name (which is then selected). Leaves the process in the list's folder. Returns
    // true when the text named a file that is now selected. Raises EInOutError for a
    // folder that cannot be entered or a file that does not exist.
    bool ApplyFilePath(const std::string& text);

    void ScaleChanged() override;

protected:
    void HandleCreated() override;

private:
    void FillWindow();
    void SetDirectory(const std::string& folder);
    void ReadFileNames();
    int IndexOf(const std::string& name) const;

    std::string directory_;
    std::string mask_ = "*.*";
    int itemHeight_ = 13;
    std::vector<std::string> items_;
    bool read_ = false; // the entries have been read at least once
};

} // namespace ui
