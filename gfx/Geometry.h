#pragma once

#include <algorithm>

// Points, sizes and rectangles in pixels. Rectangles exclude their right and bottom edges.
struct TPoint {
    int X = 0;
    int Y = 0;
    friend bool operator==(const TPoint&, const TPoint&) = default;
};

struct TSize {
    int cx = 0;
    int cy = 0;
    friend bool operator==(const TSize&, const TSize&) = default;
};

struct TRect {
    int Left = 0;
    int Top = 0;
    int Right = 0;
    int Bottom = 0;

    int Width() const { return Right - Left; }
    int Height() const { return Bottom - Top; }
    bool IsEmpty() const { return Right <= Left || Bottom <= Top; }
    bool Contains(TPoint p) const { return p.X >= Left && p.X < Right && p.Y >= Top && p.Y < Bottom; }
    // The part both rectangles cover; the empty TRect{} when they do not overlap.
    TRect Intersect(const TRect& other) const {
        const TRect r{std::max(Left, other.Left), std::max(Top, other.Top), std::min(Right, other.Right),
                      std::min(Bottom, other.Bottom)};
        return r.IsEmpty() ? TRect{} : r;
    }
    // The smallest rectangle covering both; an empty rectangle adds nothing (two give TRect{}).
    TRect Union(const TRect& other) const {
        if (IsEmpty()) return other.IsEmpty() ? TRect{} : other;
        if (other.IsEmpty()) return *this;
        return TRect{std::min(Left, other.Left), std::min(Top, other.Top), std::max(Right, other.Right),
                     std::max(Bottom, other.Bottom)};
    }
    friend bool operator==(const TRect&, const TRect&) = default;
};

inline TRect Rect(int left, int top, int right, int bottom) { return TRect{left, top, right, bottom}; }
inline TRect Bounds(int left, int top, int width, int height) { return TRect{left, top, left + width, top + height}; }
