// Every group of the windowing API that this program uses.
#pragma once

#include "platform/api/base.h"
#include "platform/api/commctrl.h"
#include "platform/api/crt.h"
#include "platform/api/gdi.h"
#include "platform/api/kernel.h"
#include "platform/api/mm.h"
#include "platform/api/shell.h"
#include "platform/api/user.h"
