// The process's command line, as one text.
#pragma once

#include "win32/base.h"

// The process's arguments joined by blanks; an argument that is empty or holds a blank,
// a tab or a double quote is put in double quotes (its quotes, and the backslashes before
// them, escaped), as a Windows command line reads. The text lives as long as the process.
LPSTR WINAPI GetCommandLineA();
