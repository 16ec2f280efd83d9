#include "platform/api/user.h"
#include "platform/host/host.h"

namespace {

struct Metric {
  int index;
  int value;
};

// The sizes of the classic desktop: frames, captions and the menu bar.
constexpr Metric kMetrics[] = {
    {SM_CXVSCROLL, 17},    {SM_CYHSCROLL, 17},   {SM_CYCAPTION, 23},    {SM_CXBORDER, 1},
    {SM_CYBORDER, 1},      {SM_CXFIXEDFRAME, 3}, {SM_CYFIXEDFRAME, 3},  {SM_CXICON, 32},
    {SM_CYICON, 32},       {SM_CXCURSOR, 32},    {SM_CYCURSOR, 32},     {SM_CYMENU, 20},
    {SM_CXMIN, 112},       {SM_CYMIN, 27},       {SM_CXSIZEFRAME, 4},   {SM_CYSIZEFRAME, 4},
    {SM_CXDOUBLECLK, 4},   {SM_CYDOUBLECLK, 4},  {SM_CXEDGE, 2},        {SM_CYEDGE, 2},
    {SM_CXSMICON, 16},     {SM_CYSMICON, 16},    {SM_CYSMCAPTION, 17},  {SM_CXMENUCHECK, 13},
    {SM_CYMENUCHECK, 13},
};

}  // namespace

int GetSystemMetrics(int index) {
  if (index == SM_CXSCREEN || index == SM_CXFULLSCREEN) return host::Current().ScreenBounds().width;
  if (index == SM_CYSCREEN) return host::Current().ScreenBounds().height;
  if (index == SM_CYFULLSCREEN) return host::Current().ScreenBounds().height - 23;
  for (const Metric& m : kMetrics) {
    if (m.index == index) return m.value;
  }
  return 0;
}
