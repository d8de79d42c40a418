#pragma once

namespace pellamo {

// Lets window descriptions create TsuiTreeView and TsuiMemo.
void RegisterSkinViewClasses();

}
