// The platform's Win32 services, as the system's code calls them.
#pragma once

#include "win32/base.h"
#include "win32/codepage.h"
#include "win32/commandline.h"
#include "win32/devices.h"
#include "win32/fileops.h"
#include "win32/files.h"
#include "win32/mapping.h"
#include "win32/memory.h"
#include "win32/profile.h"
#include "win32/restart.h"
#include "win32/security.h"
#include "win32/shortpath.h"
#include "win32/strings.h"
#include "win32/system.h"
#include "win32/threads.h"
#include "win32/timers.h"
#include "win32/version.h"
// The window services, where the program links them.
#if __has_include("win32/user.h")
#include "win32/user.h"
#endif
