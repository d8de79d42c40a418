#pragma once

namespace pellamo {

// Registers the theme components by class name, so window descriptions
// can create them (TsuiFileTheme, TsuiBuiltInFileTheme, TsuiThemeManager).
void RegisterSkinThemeClasses();

}
