// A resource-only module, as a language resource module is: it exports its
// table and has no code otherwise.
#include "Resources.h"

#include <iterator>

namespace
{
constexpr wchar_t kGreeting[] = L"Hello from the module";
constexpr wchar_t kShared[] = L"Shared text in the module";
constexpr unsigned char kImage[] = {0x89, 'P', 'N', 'G'};
constexpr int kDialog = 4242;

const SResourceEntry kEntries[] = {
    {RT_STRING, MAKEINTRESOURCEW(100), kGreeting, sizeof(kGreeting) - sizeof(wchar_t)},
    {RT_STRING, MAKEINTRESOURCEW(200), kShared, sizeof(kShared) - sizeof(wchar_t)},
    {RT_STRING, MAKEINTRESOURCEW(300), L"", 0},
    {RT_PNG, L"Folder\\Image.png", kImage, sizeof(kImage)},
    {RT_DIALOG, MAKEINTRESOURCEW(15107), &kDialog, sizeof(kDialog)},
};
} // namespace

extern "C" const SResourceEntry* PlatformResourceEntries(UINT* pnCount)
{
    *pnCount = static_cast<UINT>(std::size(kEntries));
    return kEntries;
}
