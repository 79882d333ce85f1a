// A point in client pixels.
#pragma once

#include <windows.h>

struct CPoint : POINT {
    CPoint() : POINT{0, 0} {}
    CPoint(int xValue, int yValue) : POINT{xValue, yValue} {}
};
