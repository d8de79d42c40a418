// pellamo-gallery: every skinned control of Pellamo, in each style.
#include "gallery/gallery_program.h"

#include <iostream>

int main(int argc, char** argv) { return pellamo::RunGallery({ argv + 1, argv + argc }, std::cout, std::cerr); }
