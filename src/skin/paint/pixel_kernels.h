#pragma once

// The one place that chooses the instruction set of the pixel kernels, and
// the lane types the kernels are written over.
//
// Each kernel's arithmetic is written once, as an inline template over a
// lane type: one value (plain C++), or a vector of values (the compiler's
// vector extension, which it lowers to whatever the target offers, or to
// plain code where it offers nothing). Every file with kernels compiles
// them once per instruction set with TESSALY_KERNEL_VARIANTS and calls the
// variant that chosenInstructionSet() names.

#include <cstdint>
#include <type_traits>

namespace tessaly::skin {

enum class InstructionSet {
    // Whatever the compiler's baseline for the target gives (SSE2 on
    // x86-64): runs on every processor.
    Plain,
    // 32-byte vectors, on x86-64 processors that have AVX2.
    Avx2,
};

// Whether this processor runs the set, and the program carries code for it.
bool processorHas(InstructionSet set);

// The set the kernels use: the best this processor has, unless the
// environment variable TESSALY_PIXEL_KERNELS=plain or useInstructionSet
// chose another.
InstructionSet chosenInstructionSet();

// Makes the kernels use `set` from now on (tests and benchmarks compare the
// variants with it); a set this processor lacks gives Plain. Returns the set
// now in use.
InstructionSet useInstructionSet(InstructionSet set);

#if defined(__x86_64__) && (defined(__GNUC__) || defined(__clang__))
#define TESSALY_AVX2_VARIANT 1
#else
#define TESSALY_AVX2_VARIANT 0
#endif

#define TESSALY_INLINE inline __attribute__((always_inline))

// DEFINE(namespace, attributes, vector bytes) once per instruction set the
// build carries: the plain variant on 16-byte vectors, the AVX2 variant on
// 32-byte ones.
#if TESSALY_AVX2_VARIANT
#define TESSALY_KERNEL_VARIANTS(DEFINE)                                                                            \
    DEFINE(plain, , 16)                                                                                            \
    DEFINE(avx2, __attribute__((target("avx2"))), 32)
// The kernel table of the chosen variant (each variant namespace defines
// `table`).
#define TESSALY_CHOSEN_KERNELS()                                                                                   \
    (::tessaly::skin::chosenInstructionSet() == ::tessaly::skin::InstructionSet::Avx2 ? avx2::table : plain::table)
#else
#define TESSALY_KERNEL_VARIANTS(DEFINE) DEFINE(plain, , 16)
#define TESSALY_CHOSEN_KERNELS() (plain::table)
#endif

namespace lanes {

// N values of T side by side; N = 1 is the plain type itself.
template <class T, int N>
struct Of {
    typedef T type __attribute__((vector_size(sizeof(T) * N)));
};
template <class T>
struct Of<T, 1> {
    using type = T;
};
template <class T, int N>
using Lanes = typename Of<T, N>::type;

// Value conversion lane by lane (not a reinterpretation).
template <class To, class From>
TESSALY_INLINE To convert(From value)
{
    if constexpr (std::is_arithmetic_v<From>)
        return To(value);
    else
        return __builtin_convertvector(value, To);
}

// 1 where a comparison holds, 0 elsewhere: vector comparisons give −1 in
// every lane that holds, plain ones a bool.
template <class Int, class Truth>
TESSALY_INLINE Int oneWhere(Truth truth)
{
    if constexpr (std::is_same_v<Truth, bool>)
        return Int(truth);
    else
        return -(Int)truth;
}

// All bits set where a comparison holds, none elsewhere.
template <class Unsigned, class Truth>
TESSALY_INLINE Unsigned maskWhere(Truth truth)
{
    if constexpr (std::is_same_v<Truth, bool>)
        return truth ? Unsigned(~Unsigned(0)) : Unsigned(0);
    else
        return (Unsigned)truth;
}

// (x × y + 2^14) >> 15 on 16-bit lanes: the rounded upper half of a
// product, the one multiply the mixing kernels need. The portable form works
// on 32-bit products; mulhrs uses what the processor has (the instruction
// itself on 32-byte vectors; on 16-byte ones the high and low halves of the
// products, which every x86-64 processor has) and is tested against it.
template <class Lane>
TESSALY_INLINE Lane mulhrsPortable(Lane x, Lane y)
{
    if constexpr (std::is_arithmetic_v<Lane>) {
        return Lane((int32_t(x) * int32_t(y) + 16384) >> 15);
    } else {
        using Wide = Lanes<int32_t, sizeof(Lane) / sizeof(int16_t)>;
        return __builtin_convertvector((convert<Wide>(x) * convert<Wide>(y) + 16384) >> 15, Lane);
    }
}

template <class Lane>
TESSALY_INLINE Lane mulhrs(Lane x, Lane y)
{
#if defined(__SSE2__)
    if constexpr (sizeof(Lane) == 16 && !std::is_arithmetic_v<Lane>) {
        using Unsigned = Lanes<uint16_t, 8>;
        const Unsigned low = (Unsigned)(x * y);
        const Lane high = (Lane)__builtin_ia32_pmulhw128((Lanes<int16_t, 8>)x, (Lanes<int16_t, 8>)y);
        // (high × 2^16 + low + 2^14) >> 15, without leaving 16 bits.
        return Lane((high << 1) + (Lane)(low >> 15) + (Lane)(((low & 0x7FFF) + 0x4000) >> 15));
    }
#endif
    return mulhrsPortable(x, y);
}

#if TESSALY_AVX2_VARIANT
__attribute__((target("avx2"))) inline Lanes<int16_t, 16> mulhrs(Lanes<int16_t, 16> x, Lanes<int16_t, 16> y)
{
    return (Lanes<int16_t, 16>)__builtin_ia32_pmulhrsw256(x, y);
}
#endif

// The bytes of a 16- or 32-byte vector as 16-bit lanes, in two vectors:
// each 16-byte half's first eight bytes, then its last eight (the order
// the processors' unpacking gives), and back.
template <class Bytes>
TESSALY_INLINE auto widenLow(Bytes bytes)
{
    using Words = Lanes<int16_t, sizeof(Bytes) / 2>;
    const Bytes zero = {};
    if constexpr (sizeof(Bytes) == 16)
        return (Words)__builtin_shufflevector(bytes, zero, 0, 16, 1, 17, 2, 18, 3, 19, 4, 20, 5, 21, 6, 22, 7, 23);
    else
        return (Words)__builtin_shufflevector(bytes, zero, 0, 32, 1, 33, 2, 34, 3, 35, 4, 36, 5, 37, 6, 38, 7, 39,
                                              16, 48, 17, 49, 18, 50, 19, 51, 20, 52, 21, 53, 22, 54, 23, 55);
}

template <class Bytes>
TESSALY_INLINE auto widenHigh(Bytes bytes)
{
    using Words = Lanes<int16_t, sizeof(Bytes) / 2>;
    const Bytes zero = {};
    if constexpr (sizeof(Bytes) == 16)
        return (Words)__builtin_shufflevector(bytes, zero, 8, 24, 9, 25, 10, 26, 11, 27, 12, 28, 13, 29, 14, 30, 15,
                                              31);
    else
        return (Words)__builtin_shufflevector(bytes, zero, 8, 40, 9, 41, 10, 42, 11, 43, 12, 44, 13, 45, 14, 46, 15,
                                              47, 24, 56, 25, 57, 26, 58, 27, 59, 28, 60, 29, 61, 30, 62, 31, 63);
}

// The lanes (values 0 … 255) back as bytes in their places. The portable
// form picks the low bytes; narrow uses the processors' saturating pack,
// which is the same for such values.
template <class Words>
TESSALY_INLINE auto narrowPortable(Words low, Words high)
{
    using Bytes = Lanes<uint8_t, sizeof(Words)>;
    const Bytes l = (Bytes)low, h = (Bytes)high;
    if constexpr (sizeof(Words) == 16)
        return __builtin_shufflevector(l, h, 0, 2, 4, 6, 8, 10, 12, 14, 16, 18, 20, 22, 24, 26, 28, 30);
    else
        return __builtin_shufflevector(l, h, 0, 2, 4, 6, 8, 10, 12, 14, 32, 34, 36, 38, 40, 42, 44, 46, 16, 18, 20,
                                       22, 24, 26, 28, 30, 48, 50, 52, 54, 56, 58, 60, 62);
}

template <class Words>
TESSALY_INLINE auto narrow(Words low, Words high)
{
#if defined(__SSE2__)
    if constexpr (sizeof(Words) == 16)
        return (Lanes<uint8_t, 16>)__builtin_ia32_packuswb128((Lanes<int16_t, 8>)low, (Lanes<int16_t, 8>)high);
    else
#endif
        return narrowPortable(low, high);
}

#if TESSALY_AVX2_VARIANT
__attribute__((target("avx2"))) inline Lanes<uint8_t, 32> narrow(Lanes<int16_t, 16> low, Lanes<int16_t, 16> high)
{
    return (Lanes<uint8_t, 32>)__builtin_ia32_packuswb256(low, high);
}
#endif

// One pixel's four bytes as four 32-bit lanes, and back (values 0 … 255).
TESSALY_INLINE Lanes<uint32_t, 4> widenPixel(uint32_t pixel)
{
    const Lanes<uint32_t, 4> whole = {pixel, 0, 0, 0};
    const Lanes<uint8_t, 16> bytes = (Lanes<uint8_t, 16>)whole;
    const Lanes<uint16_t, 8> words = (Lanes<uint16_t, 8>)widenLow(bytes);
    const Lanes<uint16_t, 8> zero = {};
    return (Lanes<uint32_t, 4>)__builtin_shufflevector(words, zero, 0, 8, 1, 9, 2, 10, 3, 11);
}

TESSALY_INLINE uint32_t narrowPixel(Lanes<uint32_t, 4> lanes)
{
    const Lanes<int16_t, 8> words = (Lanes<int16_t, 8>)lanes;
    const Lanes<int16_t, 8> packed = (Lanes<int16_t, 8>)narrow(words, words);
    return ((Lanes<uint32_t, 4>)narrow(packed, packed))[0];
}

} // namespace lanes

} // namespace tessaly::skin
