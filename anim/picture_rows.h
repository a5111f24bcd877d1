// Platform-free core: the composing's row operations, each with a plain
// body and a 16-byte vector body chosen when compiling: SSE2 on x86-64
// (always there), WebAssembly SIMD128 in the page's SIMD build; i686, ARM
// and the page's scalar build (or PENNYDANCE_SCALAR_COMPOSING, which the
// tests use to run the plain bodies too) take the plain ones. Both bodies
// give the same pixels.
//   ExpandMaskIndices   a stored mask row's colour indices through the
//   ExpandImageIndices  picture's colour lookup (and an image row's), each
//                       Zoom times
//   CombineRow          (pixel AND keep) OR paint over a row of the picture
#pragma once

#include <cstddef>
#include <cstdint>

#if !defined(PENNYDANCE_SCALAR_COMPOSING) && defined(__SSE2__)
#include <emmintrin.h>
#define PICTURE_ROW_VECTORS 1
#define PICTURE_ROW_LOOKUPS 0  // SSE2 has no byte table lookup
#elif !defined(PENNYDANCE_SCALAR_COMPOSING) && defined(__wasm_simd128__)
#include <wasm_simd128.h>
#define PICTURE_ROW_VECTORS 1
#define PICTURE_ROW_LOOKUPS 1  // i8x16.swizzle: a table of sixteen bytes
#else
#define PICTURE_ROW_VECTORS 0
#define PICTURE_ROW_LOOKUPS 0
#endif

#if PICTURE_ROW_VECTORS
namespace picture_rows {

#if defined(__SSE2__)
typedef __m128i Vector;
inline Vector Load(const void* at) { return _mm_loadu_si128(static_cast<const __m128i*>(at)); }
inline void Store(void* at, Vector v) { _mm_storeu_si128(static_cast<__m128i*>(at), v); }
inline Vector And(Vector a, Vector b) { return _mm_and_si128(a, b); }
inline Vector Or(Vector a, Vector b) { return _mm_or_si128(a, b); }
inline Vector Xor(Vector a, Vector b) { return _mm_xor_si128(a, b); }
inline Vector Repeated(uint32_t pixel) { return _mm_set1_epi32(static_cast<int32_t>(pixel)); }
inline Vector Repeated(uint16_t pixel) { return _mm_set1_epi16(static_cast<int16_t>(pixel)); }
inline Vector RepeatedByte(uint8_t byte) { return _mm_set1_epi8(static_cast<char>(byte)); }
// All ones in each byte of a that equals b's, else zero.
inline Vector EqualBytes(Vector a, Vector b) { return _mm_cmpeq_epi8(a, b); }
// Bit i set when byte i is not zero (all ones, as EqualBytes makes them).
inline uint32_t ByteBits(Vector v) { return static_cast<uint32_t>(_mm_movemask_epi8(v)); }
// The lanes of Bits bits of a and b in turn, from their low halves or from
// their high ones.
template <int Bits>
inline Vector Interleaved(Vector a, Vector b, bool high) {
  if (Bits == 8) return high ? _mm_unpackhi_epi8(a, b) : _mm_unpacklo_epi8(a, b);
  if (Bits == 16) return high ? _mm_unpackhi_epi16(a, b) : _mm_unpacklo_epi16(a, b);
  return high ? _mm_unpackhi_epi32(a, b) : _mm_unpacklo_epi32(a, b);
}
#else
typedef v128_t Vector;
inline Vector Load(const void* at) { return wasm_v128_load(at); }
inline void Store(void* at, Vector v) { wasm_v128_store(at, v); }
inline Vector And(Vector a, Vector b) { return wasm_v128_and(a, b); }
inline Vector Or(Vector a, Vector b) { return wasm_v128_or(a, b); }
inline Vector Xor(Vector a, Vector b) { return wasm_v128_xor(a, b); }
inline Vector Repeated(uint32_t pixel) { return wasm_i32x4_splat(static_cast<int32_t>(pixel)); }
inline Vector Repeated(uint16_t pixel) { return wasm_i16x8_splat(static_cast<int16_t>(pixel)); }
inline Vector RepeatedByte(uint8_t byte) { return wasm_i8x16_splat(static_cast<int8_t>(byte)); }
inline Vector EqualBytes(Vector a, Vector b) { return wasm_i8x16_eq(a, b); }
inline uint32_t ByteBits(Vector v) { return wasm_i8x16_bitmask(v); }
template <int Bits>
inline Vector Interleaved(Vector a, Vector b, bool high) {
  if (Bits == 8) {
    return high ? wasm_i8x16_shuffle(a, b, 8, 24, 9, 25, 10, 26, 11, 27, 12, 28, 13, 29, 14, 30, 15, 31)
                : wasm_i8x16_shuffle(a, b, 0, 16, 1, 17, 2, 18, 3, 19, 4, 20, 5, 21, 6, 22, 7, 23);
  }
  if (Bits == 16) {
    return high ? wasm_i16x8_shuffle(a, b, 4, 12, 5, 13, 6, 14, 7, 15) : wasm_i16x8_shuffle(a, b, 0, 8, 1, 9, 2, 10, 3, 11);
  }
  return high ? wasm_i32x4_shuffle(a, b, 2, 6, 3, 7) : wasm_i32x4_shuffle(a, b, 0, 4, 1, 5);
}
// Byte i of the result is table[indices[i]], or 0 where that is 16 or more.
inline Vector LookedUp(Vector table, Vector indices) { return wasm_i8x16_swizzle(table, indices); }
// All ones in each byte of a below b's (unsigned), else zero.
inline Vector BelowBytes(Vector a, Vector b) { return wasm_u8x16_lt(a, b); }
// Each byte of a less b's, wrapping.
inline Vector BytesMinus(Vector a, Vector b) { return wasm_i8x16_sub(a, b); }
#endif

// Stores, from out on, the pixels that the selection (all ones or zero in
// each lane) picks, each lane widened Levels times: a selected lane becomes
// chosen, any other other.
template <int Bits, int Levels>
inline void StoreSelected(Vector selection, uint8_t* out, Vector chosen, Vector other) {
  if constexpr (Levels == 0) {
    Store(out, Xor(other, And(selection, Xor(chosen, other))));
  } else {
    StoreSelected<Bits * 2, Levels - 1>(Interleaved<Bits>(selection, selection, false), out, chosen, other);
    StoreSelected<Bits * 2, Levels - 1>(Interleaved<Bits>(selection, selection, true), out + (16 << (Levels - 1)),
                                        chosen, other);
  }
}

// Stores the pixels, each of its Zoom times, from out on.
template <typename Pixel, int Zoom>
inline void StoreZoomed(Vector pixels, uint8_t* out) {
  if (Zoom == 1) {
    Store(out, pixels);
  } else {
    Store(out, Interleaved<8 * sizeof(Pixel)>(pixels, pixels, false));
    Store(out + 16, Interleaved<8 * sizeof(Pixel)>(pixels, pixels, true));
  }
}

}  // namespace picture_rows
#endif

// The plain body: out[0, count * Zoom) = lookup[indices[c]], each Zoom
// times; count is at most 112.
template <typename Pixel, int Zoom>
inline void ExpandIndices(const uint8_t* indices, int32_t count, const uint32_t* lookup, Pixel* out) {
  for (int32_t c = 0; c < count; ++c) {
    const Pixel pixel = static_cast<Pixel>(lookup[indices[c]]);
    for (int z = 0; z < Zoom; ++z) out[c * Zoom + z] = pixel;
  }
}

// The same for an image. Where vectors look up sixteen bytes at once (not
// SSE2), the vector body looks up sixteen indices below LookupIndices at a
// time in tables[b], the lookup's first pixels byte by byte, and any
// sixteen with a higher one one by one.
const int32_t LookupIndices = 32;
template <typename Pixel, int Zoom>
inline void ExpandImageIndices(const uint8_t* indices, int32_t count, const uint32_t* lookup,
                               const uint8_t (*tables)[LookupIndices], Pixel* out) {
#if PICTURE_ROW_LOOKUPS
  using namespace picture_rows;
  if (count >= 16) {
    Vector low[sizeof(Pixel)], high[sizeof(Pixel)];
    for (size_t b = 0; b < sizeof(Pixel); ++b) {
      low[b] = Load(tables[b]);
      high[b] = Load(tables[b] + 16);
    }
    const Vector limit = RepeatedByte(LookupIndices), sixteen = RepeatedByte(16);
    const auto expand = [&](int32_t c) {
      const Vector bytes = Load(indices + c);
      if (ByteBits(BelowBytes(bytes, limit)) != 0xFFFFu) {
        ExpandIndices<Pixel, Zoom>(indices + c, 16, lookup, out + c * Zoom);
        return;
      }
      // An index below 16 finds nothing in the high table (less 16 it
      // wraps to 240 or more), one of 16 or more nothing in the low.
      const Vector over = BytesMinus(bytes, sixteen);
      Vector planes[sizeof(Pixel)];
      for (size_t b = 0; b < sizeof(Pixel); ++b) {
        planes[b] = Or(LookedUp(low[b], bytes), LookedUp(high[b], over));
      }
      uint8_t* to = reinterpret_cast<uint8_t*>(out + c * Zoom);
      if constexpr (sizeof(Pixel) == 2) {
        StoreZoomed<Pixel, Zoom>(Interleaved<8>(planes[0], planes[1], false), to);
        StoreZoomed<Pixel, Zoom>(Interleaved<8>(planes[0], planes[1], true), to + 16 * Zoom);
      } else {
        for (int half = 0; half < 2; ++half) {
          const Vector firstTwo = Interleaved<8>(planes[0], planes[1], half == 1);
          const Vector lastTwo = Interleaved<8>(planes[2], planes[3], half == 1);
          StoreZoomed<Pixel, Zoom>(Interleaved<16>(firstTwo, lastTwo, false), to + 32 * half * Zoom);
          StoreZoomed<Pixel, Zoom>(Interleaved<16>(firstTwo, lastTwo, true), to + (32 * half + 16) * Zoom);
        }
      }
    };
    int32_t c = 0;
    for (; c + 16 <= count; c += 16) expand(c);
    if (c < count) expand(count - 16);
    return;
  }
#else
  (void)tables;
#endif
  ExpandIndices<Pixel, Zoom>(indices, count, lookup, out);
}

// The same for a mask, whose indices are nearly always two, opaque and
// transparent: the vector body picks one of their two pixels for sixteen
// indices at a time, and looks up any sixteen that hold another one by one.
template <typename Pixel, int Zoom>
inline void ExpandMaskIndices(const uint8_t* indices, int32_t count, const uint32_t* lookup,
                              uint8_t opaqueIndex, uint8_t transparentIndex, Pixel* out) {
#if PICTURE_ROW_VECTORS
  using namespace picture_rows;
  const Vector opaque = Repeated(static_cast<Pixel>(lookup[opaqueIndex]));
  const Vector transparent = Repeated(static_cast<Pixel>(lookup[transparentIndex]));
  const Vector opaqueBytes = RepeatedByte(opaqueIndex), transparentBytes = RepeatedByte(transparentIndex);
  // Levels of widening: a byte becomes Zoom pixels.
  constexpr int Levels = (Zoom * sizeof(Pixel) == 8) ? 3 : (Zoom * sizeof(Pixel) == 4) ? 2 : 1;
  const auto expand = [&](int32_t c) {
    const Vector bytes = Load(indices + c);
    const Vector isOpaque = EqualBytes(bytes, opaqueBytes);
    if (ByteBits(Or(isOpaque, EqualBytes(bytes, transparentBytes))) == 0xFFFFu) {
      StoreSelected<8, Levels>(isOpaque, reinterpret_cast<uint8_t*>(out + c * Zoom), opaque, transparent);
    } else {
      ExpandIndices<Pixel, Zoom>(indices + c, 16, lookup, out + c * Zoom);
    }
  };
  if (count >= 16) {
    int32_t c = 0;
    for (; c + 16 <= count; c += 16) expand(c);
    // The last sixteen overlap the ones before, which they write alike.
    if (c < count) expand(count - 16);
    return;
  }
#else
  (void)opaqueIndex;
  (void)transparentIndex;
#endif
  ExpandIndices<Pixel, Zoom>(indices, count, lookup, out);
}

// out[i] = (out[i] AND keep[i]) OR paint[i] for i in [0, count); without
// Paint only the AND.
template <typename Pixel, bool Paint>
inline void CombineRow(Pixel* out, const Pixel* keep, const Pixel* paint, int32_t count) {
#if PICTURE_ROW_VECTORS
  using namespace picture_rows;
  const int32_t perVector = 16 / sizeof(Pixel);
  if (count >= perVector) {
    const auto combine = [&](int32_t i) {
      const Vector kept = And(Load(out + i), Load(keep + i));
      Store(out + i, Paint ? Or(kept, Load(paint + i)) : kept);
    };
    int32_t i = 0;
    for (; i + perVector <= count; i += perVector) combine(i);
    // The last vector overlaps the one before: combining a pixel twice
    // leaves what combining it once does.
    if (i < count) combine(count - perVector);
    return;
  }
#endif
  for (int32_t i = 0; i < count; ++i) {
    out[i] = static_cast<Pixel>(Paint ? (out[i] & keep[i]) | paint[i] : out[i] & keep[i]);
  }
}
