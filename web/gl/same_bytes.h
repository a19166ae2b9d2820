#pragma once

#include <cstdint>
#include <cstring>

#ifdef __wasm_simd128__
#include <wasm_simd128.h>
#endif

namespace standin {

// Whether `bytes` bytes at `a` and at `b` are the same, compared 32 at a
// time, then eight.
inline bool sameBytes(const void* a, const void* b, std::size_t bytes) {
  const auto* p = static_cast<const unsigned char*>(a);
  const auto* q = static_cast<const unsigned char*>(b);
  const auto word = [](const unsigned char* at) {
    std::uint64_t w;
    std::memcpy(&w, at, 8);
    return w;
  };
  std::size_t i = 0;
#ifdef __wasm_simd128__
  const auto differ = [&](std::size_t at) {
    return wasm_v128_xor(wasm_v128_load(p + at), wasm_v128_load(q + at));
  };
  for (; i + 64 <= bytes; i += 64) {
    const v128_t d = wasm_v128_or(wasm_v128_or(differ(i), differ(i + 16)),
                                  wasm_v128_or(differ(i + 32), differ(i + 48)));
    if (wasm_v128_any_true(d)) return false;
  }
#endif
  for (; i + 32 <= bytes; i += 32) {
    const std::uint64_t differ = (word(p + i) ^ word(q + i)) | (word(p + i + 8) ^ word(q + i + 8)) |
                                 (word(p + i + 16) ^ word(q + i + 16)) |
                                 (word(p + i + 24) ^ word(q + i + 24));
    if (differ != 0) return false;
  }
  for (; i + 8 <= bytes; i += 8) {
    if (word(p + i) != word(q + i)) return false;
  }
  for (; i < bytes; ++i) {
    if (p[i] != q[i]) return false;
  }
  return true;
}

}  // namespace standin
