// The Horalux class library.
#pragma once

#include "app.h"
#include "controls.h"
#include "cstring.h"
#include "ctime.h"
#include "dialog.h"
#include "gdi.h"
#include "menu.h"
#include "text.h"
#include "wnd.h"

#ifdef GetCurrentTime  // from <windows.h>, when it came after ctime.h
#undef GetCurrentTime
#endif
