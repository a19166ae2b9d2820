#include "reader_cases.h"

#define STB_IMAGE_IMPLEMENTATION
#define STBI_ONLY_BMP
#include <stb/stb_image.h>

#include "bmp_files.h"

Bytes edited(Bytes bytes, std::initializer_list<Field> fields) {
  for (const Field& f : fields) putField(bytes, f.at, f.value, f.size);
  return bytes;
}

namespace {

Bytes cut(Bytes bytes, std::size_t size) {
  bytes.resize(size);
  return bytes;
}

// Bottom-up and top-down, the larger information headers, widths of every
// residue modulo 4 (so every amount of row padding), and pictures of about
// a megabyte.
void addLayouts(std::vector<ReaderCase>& cases) {
  BmpLayout topDown, header108, header124, gap;
  topDown.topDown = true;
  header108.infoHeaderSize = 108;
  header124.infoHeaderSize = 124;
  gap.gap = 500;
  const std::pair<const char*, BmpLayout> layouts[] = {
      {"BottomUp", {}}, {"TopDown", topDown}, {"Header108", header108}, {"Header124", header124}};
  for (const auto& [name, layout] : layouts) {
    for (const Picture& p :
         {Picture{1, 3}, Picture{2, 3}, Picture{3, 3}, Picture{4, 3}, Picture{5, 3}, Picture{6, 3},
          Picture{7, 3}, Picture{8, 3}, Picture{1001, 300}, Picture{1024, 300}}) {
      const std::string size = std::to_string(p.width) + "x" + std::to_string(p.rows);
      cases.push_back({name + size, encodeBmp(p, layout), ""});
    }
  }
  // The decoder only takes pixels that follow the headers at once.
  cases.push_back({"PixelsAfterAGap", encodeBmp(Picture{6, 2}, gap), "", encodeBmp(Picture{6, 2})});
}

}  // namespace

std::vector<ReaderCase> readerCases() {
  std::vector<ReaderCase> cases;
  addLayouts(cases);
  const Bytes good = encodeBmp(Picture{4, 2});
  const std::string readError = "Error reading image data from %s.\n";
  Bytes only26 = cut(good, 27);
  only26[26] = 5;
  Bytes odd = edited(good, {{10, 0, 4}});
  odd[0] = 'X';
  const ReaderCase files[] = {
      // Read from byte 54 all the same.
      {"NoMagicAndOffsetZero", odd, "", good},
      {"NoFile", std::nullopt, "File Not Found : %s\n"},
      {"NoPlanes", edited(good, {{26, 0, 2}}), "Planes from %s is not 1: 0\n"},
      {"TwoPlanes", edited(good, {{26, 2, 2}}), "Planes from %s is not 1: 2\n"},
      {"EightBits", edited(good, {{28, 8, 2}}), "Bpp from %s is not 24: 8\n"},
      {"ThirtyTwoBits", edited(good, {{28, 32, 2}}), "Bpp from %s is not 24: 32\n"},
      {"RunLength", edited(good, {{30, 1, 4}}), "Compression from %s is not 0: 1\n"},
      {"BitFields", edited(good, {{30, 3, 4}}), "Compression from %s is not 0: 3\n"},
      // A missing byte enters a field as -1.
      {"Empty", Bytes{}, "Planes from %s is not 1: 65279\n"},
      {"Cut20", cut(good, 20), "Planes from %s is not 1: 65279\n"},
      {"Cut27", only26, "Planes from %s is not 1: 65285\n"},
      {"Cut28", cut(good, 28), "Bpp from %s is not 24: 65279\n"},
      {"Cut29", cut(good, 29), "Bpp from %s is not 24: 65304\n"},
      {"Huge", edited(good, {{18, 65536, 4}, {22, 65536, 4}}),
       "Size from %s is too large: 65536 x 65536\n"},
      {"FourGiB", edited(good, {{18, 21846, 4}, {22, 65536, 4}}),
       "Size from %s is too large: 21846 x 65536\n"},
      {"TallTopDown", edited(good, {{18, 1, 4}, {22, 0x80000000u, 4}}),
       "Size from %s is too large: 1 x 2147483648\n"},
      {"Widest", edited(good, {{18, 0xFFFFFFFFu, 4}, {22, 1, 4}}),
       "Size from %s is too large: 4294967295 x 1\n"},
      {"JustUnderFourGiB", edited(good, {{18, 21845, 4}, {22, 65536, 4}}), readError},
      // The picture is 3 GiB, but its rows' filling takes the pixel array to
      // 4 GiB: a 32-bit count of it wraps to 3 bytes.
      {"FilledRowsPastFourGiB", edited(cut(good, 57), {{18, 1, 4}, {22, 0x40000001u, 4}}),
       "Size from %s is too large: 1 x 1073741825\n"},
      // The last row's filling is not needed: the pixels are all there.
      {"LastRowUnfilled", cut(encodeBmp(Picture{5, 3}), 54 + 2 * 16 + 15), "",
       encodeBmp(Picture{5, 3})},
      {"ShortPixels", cut(encodeBmp(Picture{5, 3}), 54 + 3 * 16 - 20), readError},
      {"OffsetPastTheEnd", edited(good, {{10, 4096, 4}}), readError},
      {"OffsetFarPastTheEnd", edited(good, {{10, 0xEFFFFE34u, 4}}), readError},
      // Negative in a 32-bit long.
      {"OffsetTwoGiB", edited(good, {{10, 0x80000000u, 4}}), readError},
      {"OffsetLargest", edited(good, {{10, 0xFFFFFFFFu, 4}}), readError},
      {"NoColumns", edited(good, {{18, 0, 4}}), readError},
      {"NoRows", edited(good, {{22, 0, 4}}), readError},
  };
  cases.insert(cases.end(), std::begin(files), std::end(files));
  return cases;
}

std::string expectedMessage(const ReaderCase& c, const std::string& path) {
  std::string expected = c.message;
  if (const auto at = expected.find("%s"); at != std::string::npos) expected.replace(at, 2, path);
  return expected;
}

ReferencePicture referencePicture(const ReaderCase& c) {
  stbi_set_flip_vertically_on_load(1);  // bottom row first, as GL takes it
  int width = 0, rows = 0, channels = 0;
  const Bytes& file = c.shows ? *c.shows : *c.file;
  stbi_uc* decoded = stbi_load_from_memory(file.data(), static_cast<int>(file.size()), &width,
                                           &rows, &channels, 3);
  ReferencePicture picture;
  if (decoded == nullptr) return picture;
  picture.width = static_cast<std::uint32_t>(width);
  picture.rows = static_cast<std::uint32_t>(rows);
  picture.pixels.assign(decoded, decoded + std::size_t(width) * rows * 3);
  stbi_image_free(decoded);
  return picture;
}
