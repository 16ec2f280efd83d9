// The common controls: their start-up call, the tooltip control, and the
// messages and notifications of the other common controls that a parent
// window reads.
#pragma once

#include "platform/api/base.h"
#include "platform/api/user_controls.h"

struct INITCOMMONCONTROLSEX {
  DWORD dwSize;
  DWORD dwICC;
};

constexpr DWORD ICC_LISTVIEW_CLASSES = 0x00000001;
constexpr DWORD ICC_TREEVIEW_CLASSES = 0x00000002;
constexpr DWORD ICC_BAR_CLASSES = 0x00000004;
constexpr DWORD ICC_TAB_CLASSES = 0x00000008;
constexpr DWORD ICC_UPDOWN_CLASS = 0x00000010;
constexpr DWORD ICC_PROGRESS_CLASS = 0x00000020;
constexpr DWORD ICC_HOTKEY_CLASS = 0x00000040;
constexpr DWORD ICC_ANIMATE_CLASS = 0x00000080;
constexpr DWORD ICC_WIN95_CLASSES = 0x000000FF;

// Makes the classes named in dwICC available to CreateWindowExW.
BOOL InitCommonControlsEx(const INITCOMMONCONTROLSEX* init);

// Tooltips.
inline LPCWSTR const TOOLTIPS_CLASSW = u"tooltips_class32";

constexpr DWORD TTS_ALWAYSTIP = 0x01;
constexpr DWORD TTS_NOPREFIX = 0x02;
constexpr DWORD TTS_NOANIMATE = 0x10;
constexpr DWORD TTS_NOFADE = 0x20;
constexpr DWORD TTS_BALLOON = 0x40;

constexpr UINT TTF_IDISHWND = 0x0001;
constexpr UINT TTF_CENTERTIP = 0x0002;
constexpr UINT TTF_RTLREADING = 0x0004;
constexpr UINT TTF_SUBCLASS = 0x0010;
constexpr UINT TTF_TRACK = 0x0020;
constexpr UINT TTF_ABSOLUTE = 0x0080;
constexpr UINT TTF_TRANSPARENT = 0x0100;

struct TOOLINFOW {
  UINT cbSize;
  UINT uFlags;
  HWND hwnd;
  UINT_PTR uId;
  RECT rect;
  HINSTANCE hinst;
  LPWSTR lpszText;
  LPARAM lParam;
  void* lpReserved;
};

// A tool's text that its window supplies on request (TTN_GETDISPINFOW).
inline LPWSTR const LPSTR_TEXTCALLBACKW = reinterpret_cast<LPWSTR>(static_cast<INT_PTR>(-1));

constexpr UINT TTM_ACTIVATE = 0x0400 + 1;
constexpr UINT TTM_SETDELAYTIME = 0x0400 + 3;
constexpr UINT TTM_GETTOOLCOUNT = 0x0400 + 13;
constexpr UINT TTM_POP = 0x0400 + 28;
constexpr UINT TTM_ADDTOOLW = 0x0400 + 50;
constexpr UINT TTM_DELTOOLW = 0x0400 + 51;
constexpr UINT TTM_NEWTOOLRECTW = 0x0400 + 52;
constexpr UINT TTM_GETTOOLINFOW = 0x0400 + 53;
constexpr UINT TTM_GETTEXTW = 0x0400 + 56;
constexpr UINT TTM_UPDATETIPTEXTW = 0x0400 + 57;

// TTM_SETDELAYTIME kinds.
constexpr WPARAM TTDT_AUTOMATIC = 0;
constexpr WPARAM TTDT_RESHOW = 1;
constexpr WPARAM TTDT_AUTOPOP = 2;
constexpr WPARAM TTDT_INITIAL = 3;

constexpr UINT TTN_FIRST = 0u - 520u;
constexpr UINT TTN_GETDISPINFOW = TTN_FIRST - 10;
constexpr UINT TTN_SHOW = TTN_FIRST - 1;
constexpr UINT TTN_POP = TTN_FIRST - 2;

struct NMTTDISPINFOW {
  NMHDR hdr;
  LPWSTR lpszText;
  WCHAR szText[80];
  HINSTANCE hinst;
  UINT uFlags;
  LPARAM lParam;
};

// Date picker and calendar.
constexpr UINT DTM_FIRST = 0x1000;
constexpr UINT DTM_GETSYSTEMTIME = DTM_FIRST + 1;
constexpr UINT DTM_SETSYSTEMTIME = DTM_FIRST + 2;
constexpr UINT MCM_FIRST = 0x1000;
constexpr UINT MCM_GETCURSEL = MCM_FIRST + 1;
constexpr UINT MCM_SETCURSEL = MCM_FIRST + 2;

constexpr LRESULT GDT_ERROR = -1;
constexpr LRESULT GDT_VALID = 0;
constexpr LRESULT GDT_NONE = 1;

constexpr UINT DTN_DATETIMECHANGE = 0u - 759u;
constexpr UINT MCN_SELECT = 0u - 746u;

// Up-down (numeric) control.
constexpr UINT UDN_FIRST = 0u - 721u;
constexpr UINT UDN_DELTAPOS = UDN_FIRST - 1;

struct NMUPDOWN {
  NMHDR hdr;
  int iPos;
  int iDelta;
};

// Tab control.
constexpr UINT TCM_FIRST = 0x1300;
constexpr UINT TCM_GETCURSEL = TCM_FIRST + 11;
constexpr UINT TCM_SETCURSEL = TCM_FIRST + 12;
constexpr UINT TCN_FIRST = 0u - 550u;
constexpr UINT TCN_SELCHANGE = TCN_FIRST - 1;

// Trackbar (slider).
constexpr UINT TBM_GETPOS = 0x0400;
constexpr UINT TBM_SETPOS = 0x0400 + 5;
constexpr WORD TB_ENDTRACK = 8;

// Header control.
constexpr UINT HDN_FIRST = 0u - 300u;
constexpr UINT HDN_ITEMCHANGEDW = HDN_FIRST - 21;
constexpr UINT HDN_ITEMCLICKW = HDN_FIRST - 22;

constexpr UINT HDI_WIDTH = 0x0001;

struct HDITEMW {
  UINT mask;
  int cxy;
  LPWSTR pszText;
  HBITMAP hbm;
  int cchTextMax;
  int fmt;
  LPARAM lParam;
  int iImage;
  int iOrder;
  UINT type;
  void* pvFilter;
  UINT state;
};

struct NMHEADERW {
  NMHDR hdr;
  int iItem;
  int iButton;
  HDITEMW* pitem;
};
