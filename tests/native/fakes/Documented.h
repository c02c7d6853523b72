// Windows' own numbers, as its documentation gives them, for the fakes and the tests to check
// the program's constants against: a wrong value in the program must fail a test, so none of
// these comes from the program's headers.
#pragma once

#include <cstdint>

namespace harfpad::documented {

// learn.microsoft.com, LoadKeyboardLayoutA: "KLF_ACTIVATE 0x00000001",
// "KLF_SUBSTITUTE_OK 0x00000002".
inline constexpr unsigned KLF_ACTIVATE = 0x00000001;
inline constexpr unsigned KLF_SUBSTITUTE_OK = 0x00000002;

// learn.microsoft.com, Registry Value Types (winnt.h): REG_SZ 1, REG_EXPAND_SZ 2,
// REG_BINARY 3, REG_DWORD 4, REG_MULTI_SZ 7.
inline constexpr std::uint32_t REG_SZ = 1, REG_EXPAND_SZ = 2, REG_BINARY = 3, REG_DWORD = 4,
                               REG_MULTI_SZ = 7;

// learn.microsoft.com, Predefined Keys (winreg.h): HKEY_CURRENT_USER 0x80000001,
// HKEY_USERS 0x80000003.
inline constexpr std::uint32_t HKEY_CURRENT_USER = 0x80000001u, HKEY_USERS = 0x80000003u;

// learn.microsoft.com, Shell_NotifyIconA: NIM_ADD 0x00000000, NIM_DELETE 0x00000002.
inline constexpr std::uint32_t NIM_ADD = 0x0, NIM_DELETE = 0x2;

// learn.microsoft.com, WM_LBUTTONDBLCLK message: 0x0203; WM_RBUTTONUP message: 0x0205.
inline constexpr std::uint32_t WM_LBUTTONDBLCLK = 0x0203, WM_RBUTTONUP = 0x0205;

}  // namespace harfpad::documented
