// Pellamo: network television player.
#include "app/startup.h"

int main(int argc, char** argv)
{
    // Options, then files and addresses to open, as a desktop entry's %U passes them.
    return pellamo::RunPellamoCommandLine({ argv + 1, argv + argc });
}
