#pragma once

#include <string>

// Opens a web address in the user's browser: in a new browser window, started
// from the open command of the ".htm" (or ".html") file type, or through the
// shell, which lets a running browser reuse its window. Failures are reported
// in a message box; true when a browser was started.
bool OpenUrlInBrowser(bool bNewWindow, const std::string& address);

// The open command template of a file type ("\"C:\\browser.exe\" \"%1\""),
// read from its association; false when there is none.
bool GetOpenCommandForExtension(const std::string& extension, std::string& commandTemplate);
