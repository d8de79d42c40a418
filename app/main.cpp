// Pellamo: network television player.
#include "app/startup.h"

int main()
{
    return pellamo::RunPellamo();
}
