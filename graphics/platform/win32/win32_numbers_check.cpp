// The numbers of win32_numbers.h are the system's own.
#include <windows.h>

#include <type_traits>

#include "platform/platform.h"
#include "platform/win32/win32_numbers.h"

namespace zr590::platform::win32 {

static_assert(std::is_same_v<Uint, UINT> && std::is_same_v<Word, WORD>);
static_assert(sizeof(Dword) == sizeof(DWORD) && sizeof(WParam) == sizeof(WPARAM) &&
              sizeof(LParam) == sizeof(LPARAM));
static_assert(std::is_unsigned_v<WParam> && std::is_signed_v<LParam>);

static_assert(kWmCreate == WM_CREATE && kWmDestroy == WM_DESTROY && kWmSize == WM_SIZE &&
              kWmKillFocus == WM_KILLFOCUS && kWmPaint == WM_PAINT && kWmKeyDown == WM_KEYDOWN &&
              kWmKeyUp == WM_KEYUP && kWmChar == WM_CHAR && kWmCommand == WM_COMMAND &&
              kWmTimer == WM_TIMER && kWmLButtonDown == WM_LBUTTONDOWN && kMkLButton == MK_LBUTTON);
static_assert(kWsPopup == WS_POPUP && kWsChild == WS_CHILD && kWsVisible == WS_VISIBLE &&
              kWsCaption == WS_CAPTION && kWsBorder == WS_BORDER && kWsSysMenu == WS_SYSMENU &&
              kWsGroup == WS_GROUP && kWsTabStop == WS_TABSTOP && kDsModalFrame == DS_MODALFRAME &&
              kEsMultiLine == ES_MULTILINE && kEsAutoVScroll == ES_AUTOVSCROLL &&
              kEsWantReturn == ES_WANTRETURN && kBsDefPushButton == BS_DEFPUSHBUTTON &&
              kSsLeft == SS_LEFT);
static_assert(kCtrlKey == VK_CONTROL);

}  // namespace zr590::platform::win32
