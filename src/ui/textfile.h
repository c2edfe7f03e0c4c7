// One-line text files: each call opens, works and closes; every step is tested as it returns.
#pragma once
#include <string>

namespace ui {

// The first line of an existing file: every byte before the first LF or Ctrl-Z or the
// end, with every CR left out. Fails with EInOutError; never creates the file.
std::string ReadFirstLine(const std::string& fileName);

// Replaces the file's whole content with text and CR LF. The new content is written to a
// file beside it and flushed, then put in place in one step, so a failed write (full
// disk, a write-protected folder, the file held elsewhere) leaves the old content as it
// was. Fails with EInOutError carrying the system's code.
void WriteLineReplacing(const std::string& fileName, const std::string& text);

} // namespace ui
