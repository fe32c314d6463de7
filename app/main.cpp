// The reference host. Until the palette and its windows exist it can only say
// what it is and which platform pieces it was built with.
#include "Utf8.h"
#include "WinDef.h"

#include <cstdio>

int main()
{
    std::printf("materials: the reference host of the Materials palette.\n");
    std::printf("The window layer is not built yet, so there is nothing to show on screen;\n");
    std::printf("run `make test` to check the platform pieces that exist.\n");
    return 0;
}
