// The steps of the next start, each printing one line per operation it carried out or
// that failed, and giving the number of failures.
#pragma once

#include <string>

#include <windows.h>

// A line of what was done, or "failed: " what, with the reason of the last error.
void report_done(const std::string& what);
void report_failed(const std::string& what);

// The pending operations, in order; the store is emptied.
int run_pending_operations();

// The [Rename] sections of C:\WINDOWS\WININIT.INI, then the file becomes WININIT.BAK.
int run_wininit();

// One move (or, with no destination, a deletion), reported either way.
bool carry_out(const std::string& source, const std::string* destination, DWORD flags);
