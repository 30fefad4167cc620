#pragma once

// Small goods pictures for goodsImage.fimage: a 64 x 64 JPEG of a garment
// silhouette in the goods' main colour, with a pattern that varies by goods.

#include <cstdint>
#include <vector>

namespace morvane::demo {

enum class GarmentShape { Top, Trousers, Dress, Accessory };

// rgb as 0xRRGGBB. Throws std::runtime_error when the encoder fails.
std::vector<unsigned char> makeGoodsPicture(std::uint32_t rgb, GarmentShape shape, int pattern);

}  // namespace morvane::demo
