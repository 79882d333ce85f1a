// The service's Unix socket: created owner-only, served one connection (one operation)
// at a time until SIGTERM or SIGINT, then removed.
#pragma once

#include <string>

#include "key_service.h"

namespace vorn::keymgr {

// Creates the parent directory when missing and replaces a stale socket; refuses a path
// that another running key manager serves or that is not a socket. -1 with error set.
int open_listener(const std::string& path, std::string& error);

// SIGTERM and SIGINT must be blocked in the caller's thread. Returns the exit status.
int serve(int listener, const std::string& path, KeyService& service);

// Creates each missing directory of path with mode 0700.
bool make_directories(const std::string& path, std::string& error);

} // namespace vorn::keymgr
