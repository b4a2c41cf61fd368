#pragma once
// The report window's ways out for its report: the clipboard, and a text file that the user
// names in the system's save dialog.
#include <windows.h>

#include <string>

namespace netprobe::cli {

// The text with CR LF line ends, as an edit control shows a line break and Windows' tools read one.
std::string WithCrLf(const std::string& text);

// Puts UTF-8 text on the clipboard as Unicode text with CR LF line ends. False when the
// clipboard could not be had.
bool CopyToClipboard(HWND owner, const std::string& utf8);

// Asks where to save, offering `suggested` (a file name) in the system's save dialog; empty
// when the user cancelled.
std::wstring AskSavePath(HWND owner, const std::wstring& suggested);

// Writes UTF-8 text (with a byte-order mark, which Notepad needs to tell it from the ANSI code
// page, and CR LF line ends) to `path`, replacing the file. 0 on success, else the system's
// error code.
DWORD SaveTextFile(const std::wstring& path, const std::string& utf8);

// netprobe-report-YYYY-MM-DD.txt for today's local date.
std::wstring TodaysReportName();

}  // namespace netprobe::cli
