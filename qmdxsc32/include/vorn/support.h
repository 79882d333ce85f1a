/* The security service support library: everything it publishes. */
#ifndef VORN_SUPPORT_H
#define VORN_SUPPORT_H

#include "vorn/win32.h"

#endif
