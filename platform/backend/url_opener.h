#pragma once

#include <string>

namespace pellamo {

// Opens a web address in the user's browser through the desktop's
// `xdg-open`, started directly (no shell sees the address). Returns false
// when the address is empty or the program cannot be started; the browser's
// own outcome is not waited for.
bool OpenUrl(const std::string& url);

}
