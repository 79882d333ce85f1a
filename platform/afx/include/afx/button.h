// CButton: a push button.
#pragma once

#include "afx/wnd.h"

class CButton : public CWnd {};
