// Pellamo: network television player.
#include <cstdio>

int main()
{
    std::puts("Pellamo 网络电视: the player window is being built; nothing to show yet.");
    return 0;
}
