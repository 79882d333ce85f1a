// Where a dialog's windows fall on the terminal: four by eight dialog units to a cell,
// more when the terminal is too small for the dialog, and back from a cell to the
// client pixel that a mouse there points at.
#pragma once

#include "win32/user.h"

namespace vorn::views {

struct Cells {
    int row = 0;
    int column = 0;
    int height = 1;
    int width = 1;
};

class DialogGrid {
public:
    // A dialog of the given client size in pixels, centred in a screen of the given cells
    // (rows kept free at the bottom for the status line are not counted).
    DialogGrid(const RECT& client, int screenColumns, int screenRows);

    int dlu_per_column() const { return m_dluPerColumn; }
    int dlu_per_row() const { return m_dluPerRow; }
    // The frame around the client area, in screen cells.
    const Cells& frame() const { return m_frame; }
    // A window's rectangle (client pixels) in cells relative to the client area.
    Cells cells_of(const RECT& rect) const;
    // The client pixel at the centre of a client-relative cell.
    POINT client_point(int column, int row) const;
    // Screen cell to client cell; false when it lies outside the client area.
    bool to_client(int screenColumn, int screenRow, int& column, int& row) const;

private:
    int m_dluPerColumn;
    int m_dluPerRow;
    Cells m_frame;
};

// Pixels to dialog units with the dialog font's base units (6 x 13).
int pixels_to_dlu_x(int pixels);
int pixels_to_dlu_y(int pixels);

} // namespace vorn::views
