// CStatic: a static text.
#pragma once

#include "afx/wnd.h"

class CStatic : public CWnd {};
