// Four by eight dialog units to a cell, scaled down on a small terminal, and a cell back
// to the client pixel under it.
#include <gtest/gtest.h>

#include "views/terminal_layout.h"

namespace {

using vorn::views::DialogGrid;

// A rectangle in dialog units as the dialog manager turns it into pixels.
RECT pixels(int x, int y, int cx, int cy) {
    return RECT{x * 6 / 4, y * 13 / 8, (x + cx) * 6 / 4, (y + cy) * 13 / 8};
}

TEST(TerminalLayout, ControlsLandOnTheirTemplateCells) {
    // The login dialog: 186 x 109 units, on a roomy screen.
    const DialogGrid grid(pixels(0, 0, 186, 109), 100, 29);
    EXPECT_EQ(grid.dlu_per_column(), 4);
    EXPECT_EQ(grid.dlu_per_row(), 8);
    EXPECT_EQ(grid.frame().width, 47 + 2);
    EXPECT_EQ(grid.frame().height, 14 + 2);
    EXPECT_EQ(grid.frame().column, (100 - 49) / 2);
    const struct {
        RECT rect;
        int column, row, width;
    } cases[] = {
        {pixels(45, 49, 95, 14), 11, 6, 24}, // the password field
        {pixels(21, 88, 64, 14), 5, 11, 16}, // OK
        {pixels(7, 8, 173, 17), 1, 1, 44},   // the prompt
    };
    for (const auto& c : cases) {
        const auto cells = grid.cells_of(c.rect);
        EXPECT_EQ(cells.column, c.column);
        EXPECT_EQ(cells.row, c.row);
        EXPECT_EQ(cells.width, c.width);
    }
}

TEST(TerminalLayout, ASmallScreenTakesMoreUnitsPerCell) {
    // The certificate dialog, 334 x 186 units, does not fit 80 x 23 at 4 x 8.
    const DialogGrid grid(pixels(0, 0, 334, 186), 80, 23);
    EXPECT_GT(grid.dlu_per_column(), 4);
    EXPECT_GT(grid.dlu_per_row(), 8);
    EXPECT_LE(grid.frame().width, 80);
    EXPECT_LE(grid.frame().height, 23);
}

TEST(TerminalLayout, ACellMapsToTheClientPixelAtItsCentre) {
    const DialogGrid grid(pixels(0, 0, 186, 109), 100, 29);
    const POINT origin = grid.client_point(0, 0);
    EXPECT_EQ(origin.x, 2 * 6 / 4);
    EXPECT_EQ(origin.y, 4 * 13 / 8);
    const POINT inside = grid.client_point(11, 6);
    EXPECT_EQ(inside.x, (11 * 4 + 2) * 6 / 4);
    EXPECT_EQ(inside.y, (6 * 8 + 4) * 13 / 8);
    // The centre of the field's cell lies inside the field's pixels.
    const RECT field = pixels(45, 49, 95, 14);
    EXPECT_GE(inside.x, field.left);
    EXPECT_GE(inside.y, field.top);
    EXPECT_LT(inside.y, field.bottom);

    int column = 0;
    int row = 0;
    const auto& frame = grid.frame();
    EXPECT_TRUE(grid.to_client(frame.column + 1, frame.row + 1, column, row));
    EXPECT_EQ(column, 0);
    EXPECT_EQ(row, 0);
    EXPECT_FALSE(grid.to_client(frame.column, frame.row + 1, column, row)); // the border
    EXPECT_FALSE(grid.to_client(frame.column + frame.width - 1, frame.row + 1, column, row));
}

} // namespace
