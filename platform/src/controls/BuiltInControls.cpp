// The registrars of the built-in control families.
#include "controls/BuiltInControls.h"

#include <vector>

namespace
{

std::vector<void (*)()>& Registrars()
{
    static std::vector<void (*)()> registrars;
    return registrars;
}

} // namespace

bool AddBuiltInClassRegistrar(void (*pfnRegister)())
{
    Registrars().push_back(pfnRegister);
    return true;
}

void EnsureBuiltInClasses()
{
    // Registering looks classes up again, so the flag is set first.
    static bool bDone = false;
    if (bDone)
        return;
    bDone = true;
    for (void (*pfnRegister)() : Registrars())
        pfnRegister();
}
