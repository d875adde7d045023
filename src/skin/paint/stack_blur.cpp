#include "skin/paint/stack_blur.h"

#include <algorithm>
#include <cstring>
#include <vector>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif
#if defined(__x86_64__) && defined(__GNUC__)
#include <immintrin.h>
#endif

namespace tessaly::skin {

namespace {

constexpr int maxRadius = 254;

// floor(sum / divisor) for sums below 2^24: a float estimate, corrected by
// the exact remainder (all values involved are exact in float). Written
// without branches so that the loops around it vectorise.
struct Divider {
    explicit Divider(int divisor) : d(float(divisor)), inverse(1.0f / float(divisor)) {}

    uint8_t operator()(uint32_t sum) const
    {
        const float f = float(int32_t(sum));
        int32_t q = int32_t(f * inverse);
        const float rest = f - float(q) * d;
        q += int32_t(rest >= d) - int32_t(rest < 0.0f);
        return uint8_t(q);
    }

    float d;
    float inverse;
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

#if defined(__SSE2__)
__m128i loadPixel(const uint8_t* p)
{
    int32_t value;
    std::memcpy(&value, p, 4);
    const __m128i zero = _mm_setzero_si128();
    return _mm_unpacklo_epi16(_mm_unpacklo_epi8(_mm_cvtsi32_si128(value), zero), zero);
}

// One row, in place: `line` holds a copy of the row's bytes, `row`
// receives the blurred bytes. The four lanes of a pixel are summed together
// in one vector.
void blurRow(uint8_t* row, const uint8_t* line, int width, int radius, const Divider& divide)
{
    const int r = radius;
    alignas(16) uint32_t start[3][4] = {};
    startSums(start[0], start[1], start[2], width, r, [line](int k) { return line + 4 * k; });
    __m128i sum = _mm_load_si128(reinterpret_cast<const __m128i*>(start[0]));
    __m128i in = _mm_load_si128(reinterpret_cast<const __m128i*>(start[1]));
    __m128i out = _mm_load_si128(reinterpret_cast<const __m128i*>(start[2]));
    const __m128 d = _mm_set1_ps(divide.d), inverse = _mm_set1_ps(divide.inverse), zero = _mm_setzero_ps();
    for (int x = 0; x < width; ++x) {
        const __m128 f = _mm_cvtepi32_ps(sum);
        __m128i q = _mm_cvttps_epi32(_mm_mul_ps(f, inverse));
        const __m128 rest = _mm_sub_ps(f, _mm_mul_ps(_mm_cvtepi32_ps(q), d));
        q = _mm_sub_epi32(q, _mm_castps_si128(_mm_cmpge_ps(rest, d)));  // +1
        q = _mm_add_epi32(q, _mm_castps_si128(_mm_cmplt_ps(rest, zero))); // −1
        const __m128i words = _mm_packs_epi32(q, q);
        const int32_t bytes = _mm_cvtsi128_si32(_mm_packus_epi16(words, words));
        std::memcpy(row + 4 * x, &bytes, 4);

        const __m128i centre = loadPixel(line + 4 * std::min(x + 1, width - 1));
        sum = _mm_sub_epi32(sum, out);
        out = _mm_sub_epi32(out, loadPixel(line + 4 * std::max(x - r, 0)));
        in = _mm_add_epi32(in, loadPixel(line + 4 * std::min(x + r + 1, width - 1)));
        sum = _mm_add_epi32(sum, in);
        out = _mm_add_epi32(out, centre);
        in = _mm_sub_epi32(in, centre);
    }
}
#else
void blurRow(uint8_t* row, const uint8_t* line, int width, int radius, const Divider& divide)
{
    const int r = radius;
    uint32_t sum[4] = {}, in[4] = {}, out[4] = {};
    startSums(sum, in, out, width, r, [line](int k) { return line + 4 * k; });
    for (int x = 0; x < width; ++x) {
        for (int c = 0; c < 4; ++c)
            row[4 * x + c] = divide(sum[c]);
        const uint8_t* leave = line + 4 * std::max(x - r, 0);
        const uint8_t* enter = line + 4 * std::min(x + r + 1, width - 1);
        const uint8_t* centre = line + 4 * std::min(x + 1, width - 1);
        for (int c = 0; c < 4; ++c) {
            sum[c] -= out[c];
            out[c] -= leave[c];
            in[c] += enter[c];
            sum[c] += in[c];
            out[c] += centre[c];
            in[c] -= centre[c];
        }
    }
}
#endif

#if defined(__x86_64__) && defined(__GNUC__)
// Two rows at once on 32-byte vectors (one pixel of each row per vector),
// for processors with AVX2: the same sums as blurRow.
__attribute__((target("avx2"))) __m256i loadPixelPair(const uint8_t* a, const uint8_t* b)
{
    uint32_t pa, pb;
    std::memcpy(&pa, a, 4);
    std::memcpy(&pb, b, 4);
    return _mm256_cvtepu8_epi32(_mm_cvtsi64_si128(int64_t(uint64_t(pb) << 32 | pa)));
}

__attribute__((target("avx2"))) void blurRowPair(uint8_t* rowA, const uint8_t* lineA, uint8_t* rowB,
                                                 const uint8_t* lineB, int width, int radius,
                                                 const Divider& divide)
{
    const int r = radius;
    alignas(32) uint32_t start[3][8] = {};
    startSums(start[0], start[1], start[2], width, r, [lineA](int k) { return lineA + 4 * k; });
    startSums(start[0] + 4, start[1] + 4, start[2] + 4, width, r, [lineB](int k) { return lineB + 4 * k; });
    __m256i sum = _mm256_load_si256(reinterpret_cast<const __m256i*>(start[0]));
    __m256i in = _mm256_load_si256(reinterpret_cast<const __m256i*>(start[1]));
    __m256i out = _mm256_load_si256(reinterpret_cast<const __m256i*>(start[2]));
    const __m256 d = _mm256_set1_ps(divide.d), inverse = _mm256_set1_ps(divide.inverse);
    const __m256 zero = _mm256_setzero_ps();
    for (int x = 0; x < width; ++x) {
        const __m256 f = _mm256_cvtepi32_ps(sum);
        __m256i q = _mm256_cvttps_epi32(_mm256_mul_ps(f, inverse));
        const __m256 rest = _mm256_sub_ps(f, _mm256_mul_ps(_mm256_cvtepi32_ps(q), d));
        q = _mm256_sub_epi32(q, _mm256_castps_si256(_mm256_cmp_ps(rest, d, _CMP_GE_OQ)));
        q = _mm256_add_epi32(q, _mm256_castps_si256(_mm256_cmp_ps(rest, zero, _CMP_LT_OQ)));
        const __m256i words = _mm256_packs_epi32(q, q);
        const __m256i bytes = _mm256_packus_epi16(words, words);
        const int32_t a = _mm_cvtsi128_si32(_mm256_castsi256_si128(bytes));
        const int32_t b = _mm_cvtsi128_si32(_mm256_extracti128_si256(bytes, 1));
        std::memcpy(rowA + 4 * x, &a, 4);
        std::memcpy(rowB + 4 * x, &b, 4);

        const int leave = 4 * std::max(x - r, 0), enter = 4 * std::min(x + r + 1, width - 1);
        const int next = 4 * std::min(x + 1, width - 1);
        const __m256i centre = loadPixelPair(lineA + next, lineB + next);
        sum = _mm256_sub_epi32(sum, out);
        out = _mm256_sub_epi32(out, loadPixelPair(lineA + leave, lineB + leave));
        in = _mm256_add_epi32(in, loadPixelPair(lineA + enter, lineB + enter));
        sum = _mm256_add_epi32(sum, in);
        out = _mm256_add_epi32(out, centre);
        in = _mm256_sub_epi32(in, centre);
    }
}

bool hasAvx2()
{
    static const bool available = __builtin_cpu_supports("avx2");
    return available;
}
#else
bool hasAvx2() { return false; }
void blurRowPair(uint8_t*, const uint8_t*, uint8_t*, const uint8_t*, int, int, const Divider&) {}
#endif

// The running sums of one output row step for `count` byte lanes: writes
// the current averages into `row`, then moves every lane's window down by
// one row. Kept free of aliasing so that it vectorises; processors with
// AVX2 get a copy on 32-byte vectors.
#if defined(__x86_64__) && defined(__GNUC__) && !defined(__clang__)
__attribute__((target_clones("avx2", "default")))
#endif
void stepColumns(uint8_t* __restrict row, uint32_t* __restrict sum, uint32_t* __restrict in,
                 uint32_t* __restrict out, const uint8_t* __restrict leave, const uint8_t* __restrict enter,
                 const uint8_t* __restrict centre, int count, Divider divide)
{
    for (int i = 0; i < count; ++i) {
        row[i] = divide(sum[i]);
        uint32_t s = sum[i] - out[i];
        uint32_t o = out[i] - leave[i];
        uint32_t n = in[i] + enter[i];
        s += n;
        o += centre[i];
        n -= centre[i];
        sum[i] = s;
        out[i] = o;
        in[i] = n;
    }
}

} // namespace

void stackBlur(Bitmap& bitmap, int radius)
{
    if (radius <= 0 || bitmap.empty())
        return;
    const int r = std::min(radius, maxRadius);
    const int w = bitmap.width(), h = bitmap.height();
    const int lanes = 4 * w;
    const Divider divide((r + 1) * (r + 1));
    auto rowBytes = [&bitmap](int y) { return reinterpret_cast<uint8_t*>(bitmap.rowPointer(y)); };

    std::vector<uint8_t> lines(std::size_t(2) * std::size_t(lanes));
    uint8_t* const line = lines.data();
    uint8_t* const second = lines.data() + lanes;
    int y = 0;
    if (hasAvx2()) {
        for (; y + 2 <= h; y += 2) {
            std::memcpy(line, rowBytes(y), std::size_t(lanes));
            std::memcpy(second, rowBytes(y + 1), std::size_t(lanes));
            blurRowPair(rowBytes(y), line, rowBytes(y + 1), second, w, r, divide);
        }
    }
    for (; y < h; ++y) {
        std::memcpy(line, rowBytes(y), std::size_t(lanes));
        blurRow(rowBytes(y), line, w, r, divide);
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
        if (y == h - 1) {
            for (int i = 0; i < lanes; ++i)
                row[i] = divide(sum[std::size_t(i)]);
        } else {
            stepColumns(row, sum.data(), in.data(), out.data(), ringRow(std::max(y - r, 0)),
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
