// Pellamo: network television player.
#include "app/startup.h"

int main(int argc, char** argv)
{
    // Files and addresses to open, as a desktop entry's %U passes them.
    return pellamo::RunPellamo({ argv + 1, argv + argc });
}
