#pragma once
// Integer geometry in device pixels of a window's client area. Rectangles are half-open:
// right and bottom are one past the last pixel, so width = right - left and a point on the
// right or bottom edge is outside.
#include <algorithm>
#include <cstdint>

namespace orvane::platform {

struct Point {
    int32_t x = 0;
    int32_t y = 0;
    friend bool operator==(const Point&, const Point&) = default;
};

struct Size {
    int32_t width = 0;
    int32_t height = 0;
    friend bool operator==(const Size&, const Size&) = default;
};

struct Rect {
    int32_t left = 0;
    int32_t top = 0;
    int32_t right = 0;
    int32_t bottom = 0;

    static constexpr Rect fromSize(int32_t x, int32_t y, int32_t w, int32_t h) { return {x, y, x + w, y + h}; }

    constexpr int32_t width() const { return right - left; }
    constexpr int32_t height() const { return bottom - top; }
    constexpr Size size() const { return {width(), height()}; }
    constexpr bool isEmpty() const { return right <= left || bottom <= top; }
    constexpr bool contains(Point p) const { return p.x >= left && p.x < right && p.y >= top && p.y < bottom; }
    constexpr bool intersects(const Rect& o) const {
        return !isEmpty() && !o.isEmpty() && left < o.right && o.left < right && top < o.bottom && o.top < bottom;
    }
    constexpr Rect intersected(const Rect& o) const {
        Rect r{std::max(left, o.left), std::max(top, o.top), std::min(right, o.right), std::min(bottom, o.bottom)};
        return r.isEmpty() ? Rect{} : r;
    }
    // The smallest rectangle holding both; an empty rectangle adds nothing.
    constexpr Rect united(const Rect& o) const {
        if (isEmpty()) return o;
        if (o.isEmpty()) return *this;
        return {std::min(left, o.left), std::min(top, o.top), std::max(right, o.right), std::max(bottom, o.bottom)};
    }
    constexpr Rect translated(int32_t dx, int32_t dy) const { return {left + dx, top + dy, right + dx, bottom + dy}; }
    constexpr Rect adjusted(int32_t dl, int32_t dt, int32_t dr, int32_t db) const {
        return {left + dl, top + dt, right + dr, bottom + db};
    }
    friend bool operator==(const Rect&, const Rect&) = default;
};

}  // namespace orvane::platform
