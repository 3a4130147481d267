// The numbers of the Windows interface that the message conversion and the dialog template
// use, with types of the same widths, so that both compile and are tested without
// <windows.h>. win32_numbers_check.cpp holds every value against <windows.h> in the Windows
// build.
#pragma once

#include <cstdint>

namespace zr590::platform::win32 {

using Uint = std::uint32_t;     // UINT
using Word = std::uint16_t;     // WORD
using Dword = std::uint32_t;    // DWORD
using WParam = std::uintptr_t;  // WPARAM
using LParam = std::intptr_t;   // LPARAM

// Messages.
inline constexpr Uint kWmCreate = 0x0001;
inline constexpr Uint kWmDestroy = 0x0002;
inline constexpr Uint kWmSize = 0x0005;
inline constexpr Uint kWmKillFocus = 0x0008;
inline constexpr Uint kWmPaint = 0x000F;
inline constexpr Uint kWmKeyDown = 0x0100;
inline constexpr Uint kWmKeyUp = 0x0101;
inline constexpr Uint kWmChar = 0x0102;
inline constexpr Uint kWmCommand = 0x0111;
inline constexpr Uint kWmTimer = 0x0113;
inline constexpr Uint kWmLButtonDown = 0x0201;
// The button state a left-button press carries.
inline constexpr WParam kMkLButton = 0x0001;

// Window, dialog and control styles.
inline constexpr Dword kWsPopup = 0x80000000;
inline constexpr Dword kWsChild = 0x40000000;
inline constexpr Dword kWsVisible = 0x10000000;
inline constexpr Dword kWsCaption = 0x00C00000;
inline constexpr Dword kWsBorder = 0x00800000;
inline constexpr Dword kWsSysMenu = 0x00080000;
inline constexpr Dword kWsGroup = 0x00020000;
inline constexpr Dword kWsTabStop = 0x00010000;
inline constexpr Dword kDsModalFrame = 0x80;
inline constexpr Dword kEsMultiLine = 0x0004;
inline constexpr Dword kEsAutoVScroll = 0x0040;
inline constexpr Dword kEsWantReturn = 0x1000;
inline constexpr Dword kBsDefPushButton = 0x0001;
inline constexpr Dword kSsLeft = 0x0000;

}  // namespace zr590::platform::win32
