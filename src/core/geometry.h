#pragma once

// Window geometry in whole logical pixels, as every window system counts it:
// a rectangle is its top-left corner and its size, and holds the pixels from
// x to x + width - 1.

struct Point
{
    int x = 0;
    int y = 0;
};

struct Size
{
    int width = 0;
    int height = 0;
};

struct Rect
{
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
};
