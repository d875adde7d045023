#include "skin/paint/stack_blur.h"

#include <algorithm>
#include <cstring>
#include <vector>

#include "skin/paint/pixel_kernels.h"

#if defined(__x86_64__)
#include <immintrin.h>
#endif

namespace tessaly::skin {

namespace {

constexpr int maxRadius = 254;

// floor(sum / divisor) for sums below 2^24: a float estimate, corrected by
// the exact remainder (all values involved are exact in float). Written
// without branches, over N lanes of sums, so that it vectorises.
struct Divider {
    explicit Divider(int divisor) : d(float(divisor)), inverse(1.0f / float(divisor)) {}

    template <int N>
    TESSALY_INLINE lanes::Lanes<uint32_t, N> of(lanes::Lanes<uint32_t, N> sum) const
    {
        using Ints = lanes::Lanes<int32_t, N>;
        using Floats = lanes::Lanes<float, N>;
        const Floats f = lanes::convert<Floats>((Ints)sum);
        Ints q = lanes::convert<Ints>(f * inverse);
        const Floats rest = f - lanes::convert<Floats>(q) * d;
        q += lanes::oneWhere<Ints>(rest >= d) - lanes::oneWhere<Ints>(rest < 0.0f);
        return (lanes::Lanes<uint32_t, N>)q;
    }

    float d;
    float inverse;
};

// The running sums of a window of N lanes (a pixel's channels, or one
// byte column): `sum` holds the weighted sum, `in` the lanes still to come
// into the window's rising half, `out` those of its falling half. One step
// moves the window on by one, taking the lane leaving the window, the one
// entering it and the next centre.
template <int N>
struct Window {
    using Sums = lanes::Lanes<uint32_t, N>;
    Sums sum, in, out;

    TESSALY_INLINE void step(Sums leave, Sums enter, Sums centre)
    {
        sum -= out;
        out -= leave;
        in += enter;
        sum += in;
        out += centre;
        in -= centre;
    }
};

// The initial sums of a row or column whose pixel k (4 byte lanes) is at
// `at(k)`: the window centred on the first pixel, edges repeated.
template <class At>
void startSums(uint32_t* sum, uint32_t* in, uint32_t* out, int count, int radius, At at)
{
    for (int k = -radius; k <= radius; ++k) {
        const uint8_t* p = at(std::clamp(k, 0, count - 1));
        const uint32_t weight = uint32_t(radius + 1 - (k < 0 ? -k : k));
        for (int c = 0; c < 4; ++c) {
            sum[c] += weight * p[c];
            (k <= 0 ? out[c] : in[c]) += p[c];
        }
    }
}

// Moving bytes into and out of lanes of sums (data movement only: the
// arithmetic above is the same for every variant). Compilers turn the
// plainest forms into single-byte moves, so one pixel goes through the
// unpacking and packing of pixel_kernels.h, and two pixels of two rows
// through the AVX2 widening and narrowing.
using Sums4 = lanes::Lanes<uint32_t, 4>;
using Sums8 = lanes::Lanes<uint32_t, 8>;

TESSALY_INLINE Sums4 widen(const uint8_t* p)
{
    uint32_t pixel;
    std::memcpy(&pixel, p, 4);
    return lanes::widenPixel(pixel);
}

TESSALY_INLINE void narrow(Sums4 sums, uint8_t* p)
{
    const uint32_t pixel = lanes::narrowPixel(sums);
    std::memcpy(p, &pixel, 4);
}

#if TESSALY_AVX2_VARIANT
// One pixel of each of two rows.
__attribute__((target("avx2"))) inline Sums8 widen(const uint8_t* a, const uint8_t* b)
{
    uint32_t pa, pb;
    std::memcpy(&pa, a, 4);
    std::memcpy(&pb, b, 4);
    return (Sums8)_mm256_cvtepu8_epi32(_mm_cvtsi64_si128(int64_t(uint64_t(pb) << 32 | pa)));
}

__attribute__((target("avx2"))) inline void narrow(Sums8 sums, uint8_t* a, uint8_t* b)
{
    const __m256i words = _mm256_packs_epi32((__m256i)sums, (__m256i)sums);
    const __m256i bytes = _mm256_packus_epi16(words, words);
    const int32_t first = _mm_cvtsi128_si32(_mm256_castsi256_si128(bytes));
    const int32_t second = _mm_cvtsi128_si32(_mm256_extracti128_si256(bytes, 1));
    std::memcpy(a, &first, 4);
    std::memcpy(b, &second, 4);
}
#endif

// Pixel x of each of R rows as 4 × R lanes of sums, and back.
template <int R>
TESSALY_INLINE lanes::Lanes<uint32_t, 4 * R> pixelLanes(const uint8_t* const* lines, int x)
{
    if constexpr (R == 1)
        return widen(lines[0] + 4 * x);
    else
        return widen(lines[0] + 4 * x, lines[1] + 4 * x);
}

template <int R>
TESSALY_INLINE void storePixel(lanes::Lanes<uint32_t, 4 * R> sums, uint8_t* const* rows, int x)
{
    if constexpr (R == 1)
        narrow(sums, rows[0] + 4 * x);
    else
        narrow(sums, rows[0] + 4 * x, rows[1] + 4 * x);
}

// R rows at once, each pixel's four channels in four lanes: `lines` hold
// copies of the rows' bytes, `rows` receive the blurred bytes.
template <int R>
TESSALY_INLINE void blurRowsBody(uint8_t* const* rows, const uint8_t* const* lines, int width, int radius,
                                 const Divider& divider)
{
    const Divider divide = divider; // kept in registers: the rows written cannot change it
    constexpr int N = 4 * R;
    using Sums = lanes::Lanes<uint32_t, N>;
    uint32_t start[3][N] = {};
    for (int k = 0; k < R; ++k) {
        const uint8_t* line = lines[k];
        startSums(start[0] + 4 * k, start[1] + 4 * k, start[2] + 4 * k, width, radius,
                  [line](int i) { return line + 4 * i; });
    }
    Window<N> window;
    std::memcpy(&window.sum, start[0], sizeof(Sums));
    std::memcpy(&window.in, start[1], sizeof(Sums));
    std::memcpy(&window.out, start[2], sizeof(Sums));
    for (int x = 0; x < width; ++x) {
        storePixel<R>(divide.of<N>(window.sum), rows, x);
        window.step(pixelLanes<R>(lines, std::max(x - radius, 0)),
                    pixelLanes<R>(lines, std::min(x + radius + 1, width - 1)),
                    pixelLanes<R>(lines, std::min(x + 1, width - 1)));
    }
}

// One output row of the vertical pass over `count` byte columns: writes the
// current averages into `row`, then moves every column's window down by one
// row. The same window arithmetic on one lane, in a loop the compiler
// vectorises.
TESSALY_INLINE void stepColumnsBody(uint8_t* __restrict row, uint32_t* __restrict sum, uint32_t* __restrict in,
                                    uint32_t* __restrict out, const uint8_t* __restrict leave,
                                    const uint8_t* __restrict enter, const uint8_t* __restrict centre, int count,
                                    const Divider& divide)
{
    for (int i = 0; i < count; ++i) {
        row[i] = uint8_t(divide.of<1>(sum[i]));
        Window<1> window{sum[i], in[i], out[i]};
        window.step(leave[i], enter[i], centre[i]);
        sum[i] = window.sum;
        in[i] = window.in;
        out[i] = window.out;
    }
}

struct BlurKernels {
    // Rows the row pass takes at once.
    int rowsAtOnce;
    void (*blurRows)(uint8_t* const* rows, const uint8_t* const* lines, int width, int radius, const Divider& divide);
    void (*blurRow)(uint8_t* const* rows, const uint8_t* const* lines, int width, int radius, const Divider& divide);
    void (*stepColumns)(uint8_t* row, uint32_t* sum, uint32_t* in, uint32_t* out, const uint8_t* leave,
                        const uint8_t* enter, const uint8_t* centre, int count, const Divider& divide);
};

// A vector of 16 bytes holds one pixel's four sums; one of 32 bytes two
// pixels, one of each of two rows.
#define TESSALY_BLUR_KERNELS(NAME, ATTRIBUTES, BYTES)                                                              \
    namespace NAME {                                                                                               \
    ATTRIBUTES void blurRows(uint8_t* const* rows, const uint8_t* const* lines, int width, int radius,             \
                             const Divider& divide)                                                                \
    {                                                                                                              \
        blurRowsBody<BYTES / 16>(rows, lines, width, radius, divide);                                              \
    }                                                                                                              \
    ATTRIBUTES void blurRow(uint8_t* const* rows, const uint8_t* const* lines, int width, int radius,              \
                            const Divider& divide)                                                                 \
    {                                                                                                              \
        blurRowsBody<1>(rows, lines, width, radius, divide);                                                       \
    }                                                                                                              \
    ATTRIBUTES void stepColumns(uint8_t* row, uint32_t* sum, uint32_t* in, uint32_t* out, const uint8_t* leave,    \
                                const uint8_t* enter, const uint8_t* centre, int count, const Divider& divide)     \
    {                                                                                                              \
        stepColumnsBody(row, sum, in, out, leave, enter, centre, count, divide);                                   \
    }                                                                                                              \
    constexpr BlurKernels table{BYTES / 16, blurRows, blurRow, stepColumns};                                       \
    }
TESSALY_KERNEL_VARIANTS(TESSALY_BLUR_KERNELS)

} // namespace

void stackBlur(Bitmap& bitmap, int radius)
{
    if (radius <= 0 || bitmap.empty())
        return;
    const BlurKernels& kernels = TESSALY_CHOSEN_KERNELS();
    const int r = std::min(radius, maxRadius);
    const int w = bitmap.width(), h = bitmap.height();
    const int lanes = 4 * w;
    const Divider divide((r + 1) * (r + 1));
    auto rowBytes = [&bitmap](int y) { return reinterpret_cast<uint8_t*>(bitmap.rowPointer(y)); };

    // Horizontal pass: rows are blurred in place from copies of themselves.
    constexpr int maxRowsAtOnce = 2;
    std::vector<uint8_t> copies(std::size_t(maxRowsAtOnce) * std::size_t(lanes));
    const uint8_t* lines[maxRowsAtOnce] = {copies.data(), copies.data() + lanes};
    uint8_t* rows[maxRowsAtOnce] = {};
    int y = 0;
    auto take = [&](int count) {
        for (int k = 0; k < count; ++k) {
            rows[k] = rowBytes(y + k);
            std::memcpy(copies.data() + std::size_t(k) * std::size_t(lanes), rows[k], std::size_t(lanes));
        }
    };
    if (kernels.rowsAtOnce > 1) {
        for (; y + kernels.rowsAtOnce <= h; y += kernels.rowsAtOnce) {
            take(kernels.rowsAtOnce);
            kernels.blurRows(rows, lines, w, r, divide);
        }
    }
    for (; y < h; ++y) {
        take(1);
        kernels.blurRow(rows, lines, w, r, divide);
    }

    // Vertical pass, row by row over all columns at once. Rows above the
    // current one are already overwritten, so the rows still needed
    // (the last r + 1 centres) are kept in a ring.
    std::vector<uint32_t> sum(std::size_t(lanes), 0), in(std::size_t(lanes), 0), out(std::size_t(lanes), 0);
    for (int k = -r; k <= r; ++k) {
        const uint8_t* p = rowBytes(std::clamp(k, 0, h - 1));
        const uint32_t weight = uint32_t(r + 1 - (k < 0 ? -k : k));
        uint32_t* half = k <= 0 ? out.data() : in.data();
        for (int i = 0; i < lanes; ++i) {
            sum[std::size_t(i)] += weight * p[i];
            half[i] += p[i];
        }
    }
    const int ringRows = r + 1;
    std::vector<uint8_t> ring(std::size_t(ringRows) * std::size_t(lanes));
    auto ringRow = [&](int y) { return ring.data() + std::size_t(y % ringRows) * std::size_t(lanes); };
    for (int y = 0; y < h; ++y) {
        uint8_t* row = rowBytes(y);
        std::memcpy(ringRow(y), row, std::size_t(lanes));
        // The last row's step would read past the bottom; its window moves
        // nowhere, so it only takes the averages.
        if (y == h - 1) {
            for (int i = 0; i < lanes; ++i)
                row[i] = uint8_t(divide.of<1>(sum[std::size_t(i)]));
        } else {
            kernels.stepColumns(row, sum.data(), in.data(), out.data(), ringRow(std::max(y - r, 0)),
                                rowBytes(std::min(y + r + 1, h - 1)), rowBytes(y + 1), lanes, divide);
        }
        uint32_t* pixels = bitmap.rowPointer(y);
        for (int x = 0; x < w; ++x)
            pixels[x] |= 0xFF000000u;
    }
}

void alphaFromMask(Bitmap& bitmap, PixelView mask)
{
    if (bitmap.empty() || mask.isEmpty() || mask.width < bitmap.width() || mask.height < bitmap.height())
        return;
    for (int y = 0; y < bitmap.height(); ++y) {
        uint32_t* row = bitmap.rowPointer(y);
        const uint32_t* m = mask.row(y);
        for (int x = 0; x < bitmap.width(); ++x) {
            const uint32_t alpha = (uint32_t(redOf(m[x])) + greenOf(m[x]) + blueOf(m[x])) / 3;
            row[x] = (row[x] & 0x00FFFFFFu) | (alpha << 24);
        }
    }
}

} // namespace tessaly::skin
