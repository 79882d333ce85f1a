/* The security service support library: everything it publishes. */
#ifndef VORN_SUPPORT_H
#define VORN_SUPPORT_H

#include "vorn/addrtext.h"
#include "vorn/nodeid.h"
#include "vorn/tables.h"
#include "vorn/vornlog.h"
#include "vorn/win32.h"

#endif
