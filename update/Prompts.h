#pragma once

// The two questions before a server check. Each returns true when the check
// may go on, at once when the user has turned the question off.
bool PromptForQuery();
bool PromptForConnection();
