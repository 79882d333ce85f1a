#include "views/terminal_layout.h"

#include <algorithm>

namespace vorn::views {

namespace {

constexpr int kColumnDlu = 4;
constexpr int kRowDlu = 8;

int rounded_up(int value, int divisor) {
    return (value + divisor - 1) / divisor;
}

} // namespace

int pixels_to_dlu_x(int pixels) {
    return rounded_up(pixels * 4, 6);
}

int pixels_to_dlu_y(int pixels) {
    return rounded_up(pixels * 8, 13);
}

DialogGrid::DialogGrid(const RECT& client, int screenColumns, int screenRows) {
    const int width = std::max(1, pixels_to_dlu_x(static_cast<int>(client.right)));
    const int height = std::max(1, pixels_to_dlu_y(static_cast<int>(client.bottom)));
    // Two cells of frame each way.
    const int roomColumns = std::max(1, screenColumns - 2);
    const int roomRows = std::max(1, screenRows - 2);
    m_dluPerColumn = std::max(kColumnDlu, rounded_up(width, roomColumns));
    m_dluPerRow = std::max(kRowDlu, rounded_up(height, roomRows));
    m_frame.width = rounded_up(width, m_dluPerColumn) + 2;
    m_frame.height = rounded_up(height, m_dluPerRow) + 2;
    m_frame.column = std::max(0, (screenColumns - m_frame.width) / 2);
    m_frame.row = std::max(0, (screenRows - m_frame.height) / 2);
}

Cells DialogGrid::cells_of(const RECT& rect) const {
    const int left = pixels_to_dlu_x(static_cast<int>(rect.left));
    const int top = pixels_to_dlu_y(static_cast<int>(rect.top));
    const int right = pixels_to_dlu_x(static_cast<int>(rect.right));
    const int bottom = pixels_to_dlu_y(static_cast<int>(rect.bottom));
    Cells cells;
    cells.column = left / m_dluPerColumn;
    cells.row = top / m_dluPerRow;
    cells.width = std::max(1, right / m_dluPerColumn - cells.column);
    cells.height = std::max(1, bottom / m_dluPerRow - cells.row);
    return cells;
}

POINT DialogGrid::client_point(int column, int row) const {
    const int x = column * m_dluPerColumn + m_dluPerColumn / 2;
    const int y = row * m_dluPerRow + m_dluPerRow / 2;
    return POINT{x * 6 / 4, y * 13 / 8};
}

bool DialogGrid::to_client(int screenColumn, int screenRow, int& column, int& row) const {
    column = screenColumn - m_frame.column - 1;
    row = screenRow - m_frame.row - 1;
    return column >= 0 && row >= 0 && column < m_frame.width - 2 && row < m_frame.height - 2;
}

} // namespace vorn::views
