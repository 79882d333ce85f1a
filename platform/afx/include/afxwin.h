// The dialog framework, as the system's dialogs use it.
#pragma once

#include <windows.h>

#include "afx/app.h"
#include "afx/button.h"
#include "afx/combo_box.h"
#include "afx/cstring.h"
#include "afx/data_exchange.h"
#include "afx/dialog.h"
#include "afx/edit.h"
#include "afx/exceptions.h"
#include "afx/file_dialog.h"
#include "afx/list_ctrl.h"
#include "afx/static_text.h"
#include "afx/wait_cursor.h"
#include "afx/wnd.h"
