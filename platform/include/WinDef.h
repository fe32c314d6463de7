// The integer types, handles and helper macros the Windows code base expects,
// with the widths it expects on a 64-bit build (LONG stays 32 bits).
#pragma once

#include <cstddef>
#include <cstdint>

using BYTE = std::uint8_t;
using WORD = std::uint16_t;
using DWORD = std::uint32_t;
using QWORD = std::uint64_t;
using UINT = unsigned int;
using INT = int;
using LONG = std::int32_t;
using ULONG = std::uint32_t;
using SHORT = std::int16_t;
using USHORT = std::uint16_t;
using LONGLONG = std::int64_t;
using ULONGLONG = std::uint64_t;
using BOOL = int;
using BOOLEAN = BYTE;
using CHAR = char;
using UCHAR = unsigned char;
using WCHAR = wchar_t;
using TCHAR = wchar_t;
using FLOAT = float;
using SIZE_T = std::size_t;
using INT_PTR = std::intptr_t;
using UINT_PTR = std::uintptr_t;
using LONG_PTR = std::intptr_t;
using ULONG_PTR = std::uintptr_t;
using DWORD_PTR = ULONG_PTR;
using WPARAM = UINT_PTR;
using LPARAM = LONG_PTR;
using LRESULT = LONG_PTR;
using COLORREF = DWORD;
using HRESULT = std::int32_t;
using ATOM = WORD;

using LPVOID = void*;
using LPCVOID = const void*;
using PVOID = void*;
using LPBYTE = BYTE*;
using LPDWORD = DWORD*;
using LPLONG = LONG*;
using LPSTR = char*;
using LPCSTR = const char*;
using LPWSTR = wchar_t*;
using LPCWSTR = const wchar_t*;
using LPTSTR = wchar_t*;
using LPCTSTR = const wchar_t*;
using PCWSTR = const wchar_t*;
using PWSTR = wchar_t*;
using LPCOLORREF = COLORREF*;

#ifndef TRUE
#define TRUE 1
#endif
#ifndef FALSE
#define FALSE 0
#endif

#define CALLBACK
#define WINAPI
#define APIENTRY
#define _T(x) L##x
#define TEXT(x) L##x

// Handles are distinct pointer types so that one kind cannot be passed for
// another by mistake; what they point to is private to the platform.
#define DECLARE_HANDLE(name)                                                                                 \
    struct name##__;                                                                                         \
    using name = name##__*
DECLARE_HANDLE(HWND);
DECLARE_HANDLE(HINSTANCE);
DECLARE_HANDLE(HKEY);
DECLARE_HANDLE(HDC);
DECLARE_HANDLE(HBITMAP);
DECLARE_HANDLE(HBRUSH);
DECLARE_HANDLE(HPEN);
DECLARE_HANDLE(HFONT);
DECLARE_HANDLE(HRGN);
DECLARE_HANDLE(HICON);
DECLARE_HANDLE(HMENU);
DECLARE_HANDLE(HPALETTE);
DECLARE_HANDLE(HIMAGELIST);
using HANDLE = void*;
using HMODULE = HINSTANCE;
using HCURSOR = HICON;
using HGDIOBJ = void*;
using HGLOBAL = void*;
using FARPROC = void (*)();
using LPHANDLE = HANDLE*;
using PHKEY = HKEY*;

#define INVALID_HANDLE_VALUE (reinterpret_cast<HANDLE>(static_cast<LONG_PTR>(-1)))
#define MAX_PATH 260

// Colour references: 0x00BBGGRR.
constexpr COLORREF RGB(BYTE r, BYTE g, BYTE b)
{
    return static_cast<COLORREF>(r) | (static_cast<COLORREF>(g) << 8) | (static_cast<COLORREF>(b) << 16);
}
constexpr BYTE GetRValue(COLORREF c)
{
    return static_cast<BYTE>(c & 0xFF);
}
constexpr BYTE GetGValue(COLORREF c)
{
    return static_cast<BYTE>((c >> 8) & 0xFF);
}
constexpr BYTE GetBValue(COLORREF c)
{
    return static_cast<BYTE>((c >> 16) & 0xFF);
}
#define CLR_NONE 0xFFFFFFFFu
#define CLR_INVALID 0xFFFFFFFFu
#define CLR_DEFAULT 0xFF000000u

// Packing and unpacking of words, longs and message parameters.
constexpr WORD MAKEWORD(ULONG_PTR low, ULONG_PTR high)
{
    return static_cast<WORD>((low & 0xFF) | ((high & 0xFF) << 8));
}
constexpr LONG MAKELONG(ULONG_PTR low, ULONG_PTR high)
{
    return static_cast<LONG>(static_cast<DWORD>((low & 0xFFFF) | ((high & 0xFFFF) << 16)));
}
constexpr WORD LOWORD(ULONG_PTR v)
{
    return static_cast<WORD>(v & 0xFFFF);
}
constexpr WORD HIWORD(ULONG_PTR v)
{
    return static_cast<WORD>((v >> 16) & 0xFFFF);
}
constexpr BYTE LOBYTE(ULONG_PTR v)
{
    return static_cast<BYTE>(v & 0xFF);
}
constexpr BYTE HIBYTE(ULONG_PTR v)
{
    return static_cast<BYTE>((v >> 8) & 0xFF);
}
constexpr LPARAM MAKELPARAM(ULONG_PTR low, ULONG_PTR high)
{
    return static_cast<LPARAM>(MAKELONG(low, high));
}
constexpr WPARAM MAKEWPARAM(ULONG_PTR low, ULONG_PTR high)
{
    return static_cast<WPARAM>(static_cast<DWORD>(MAKELONG(low, high)));
}
constexpr LRESULT MAKELRESULT(ULONG_PTR low, ULONG_PTR high)
{
    return static_cast<LRESULT>(MAKELONG(low, high));
}
// Mouse coordinates are signed 16-bit values: a position left of or above a
// window (during capture) arrives negative.
constexpr int GET_X_LPARAM(LPARAM lp)
{
    return static_cast<int>(static_cast<SHORT>(LOWORD(static_cast<ULONG_PTR>(lp))));
}
constexpr int GET_Y_LPARAM(LPARAM lp)
{
    return static_cast<int>(static_cast<SHORT>(HIWORD(static_cast<ULONG_PTR>(lp))));
}
constexpr int GET_WHEEL_DELTA_WPARAM(WPARAM wp)
{
    return static_cast<int>(static_cast<SHORT>(HIWORD(wp)));
}
constexpr WORD GET_KEYSTATE_WPARAM(WPARAM wp)
{
    return LOWORD(wp);
}

#define S_OK static_cast<HRESULT>(0)
#define S_FALSE static_cast<HRESULT>(1)
#define E_NOINTERFACE static_cast<HRESULT>(0x80004002u)
#define E_POINTER static_cast<HRESULT>(0x80004003u)
#define E_FAIL static_cast<HRESULT>(0x80004005u)
#define E_OUTOFMEMORY static_cast<HRESULT>(0x8007000Eu)
#define E_INVALIDARG static_cast<HRESULT>(0x80070057u)
#define SUCCEEDED(hr) (static_cast<HRESULT>(hr) >= 0)
#define FAILED(hr) (static_cast<HRESULT>(hr) < 0)

// a * b / c computed in 64 bits and rounded half away from zero; -1 when c is
// zero or the result does not fit in an int.
int MulDiv(int nNumber, int nNumerator, int nDenominator);
