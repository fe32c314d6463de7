// The reference host. Until the palette and the host's own windows exist it
// can only say what it is.
#include "Utf8.h"
#include "WinDef.h"

#include <cstdio>

int main()
{
    std::printf("materials: the reference host of the Materials palette.\n");
    std::printf("The palette and the host window are not built yet, so there is nothing to show;\n");
    std::printf("run `make test` to check the platform pieces that exist.\n");
    return 0;
}
