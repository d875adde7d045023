#pragma once

// Nearest-neighbour sampling shared by the painting code (internal).

namespace tessaly::skin::px {

// The source index for destination index i when `srcCount` pixels starting
// at `srcStart` are stretched over `dstCount` pixels: the source pixel under
// the centre of the destination pixel. Equal counts map one to one.
inline int stretchIndex(int i, int srcStart, int srcCount, int dstCount)
{
    return srcStart + int((2LL * i + 1) * srcCount / (2LL * dstCount));
}

// i mod n for any sign of i (n > 0).
inline int wrap(int i, int n)
{
    const int m = i % n;
    return m < 0 ? m + n : m;
}

} // namespace tessaly::skin::px
