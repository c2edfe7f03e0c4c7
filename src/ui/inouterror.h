// The error of a failed file or folder operation: the system's error code and a text chosen by it.
#pragma once
#include <windows.h>
#include "exception.h"

namespace ui {

class EInOutError : public Exception {
public:
    explicit EInOutError(DWORD code);
    DWORD ErrorCode;
};

// The text shown for an I/O error code ("File not found", "I/O error 32", ...).
std::string InOutErrorText(DWORD code);

// Raises EInOutError with the calling thread's last error when ok is false.
// Every file and folder call is tested with this the moment it returns.
void InOutCheck(bool ok);

} // namespace ui
