#pragma once

// A setting the skin refuses (a second window-menu box, a second middle
// section) is told in an error box with an OK button instead of an
// exception; the setting stays as it was.

#include <string>

namespace pellamo {

void ShowRefusal(const std::string& text);

}
