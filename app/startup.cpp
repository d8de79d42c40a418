#include "app/startup.h"

#include <cstdio>

namespace pellamo {

int RunPellamo()
{
    std::puts("Pellamo 网络电视: the player window is being built; nothing to show yet.");
    return 0;
}

}
