#include "demo/GoodsPicture.h"

#include <turbojpeg.h>

#include <cstdlib>
#include <stdexcept>
#include <string>

namespace morvane::demo {

namespace {

constexpr int kSide = 64;

bool insideShape(GarmentShape shape, int x, int y) {
    const int dx = x < 32 ? 31 - x : x - 32;  // distance from the middle
    switch (shape) {
        case GarmentShape::Top:  // body, sleeves, neck opening
            if (y >= 12 && y < 58 && dx < 14)
                return !(y < 17 && dx < 5);
            return y >= 12 && y < 30 && dx < 14 + (30 - y) && dx >= 14;
        case GarmentShape::Trousers:
            if (y >= 8 && y < 20)
                return dx < 14;
            return y >= 20 && y < 60 && dx >= 2 && dx < 14;
        case GarmentShape::Dress:
            return y >= 8 && y < 60 && dx < 6 + (y - 8) / 3 && !(y < 12 && dx < 3);
        case GarmentShape::Accessory:
            return (x - 32) * (x - 32) + (y - 36) * (y - 36) < 20 * 20 && y > 20;
    }
    return false;
}

}  // namespace

std::vector<unsigned char> makeGoodsPicture(std::uint32_t rgb, GarmentShape shape, int pattern) {
    const int red = int(rgb >> 16 & 0xFF), green = int(rgb >> 8 & 0xFF), blue = int(rgb & 0xFF);
    std::vector<unsigned char> pixels(std::size_t(kSide * kSide * 3));
    for (int y = 0; y < kSide; ++y) {
        for (int x = 0; x < kSide; ++x) {
            unsigned char* p = &pixels[std::size_t((y * kSide + x) * 3)];
            if (!insideShape(shape, x, y)) {
                p[0] = p[1] = p[2] = static_cast<unsigned char>(236 - y / 4);  // light backdrop
                continue;
            }
            bool accent = false;
            switch (pattern % 4) {
                case 1:
                    accent = (y / 4) % 2 == 0;
                    break;  // stripes
                case 2:
                    accent = ((x / 6) + (y / 6)) % 2 == 0;
                    break;  // checks
                case 3:
                    accent = (x % 8 < 2) && (y % 8 < 2);
                    break;  // dots
                default:
                    break;  // plain
            }
            const int shade = accent ? 48 : 0;
            p[0] = static_cast<unsigned char>(red > 127 ? red - shade : red + shade);
            p[1] = static_cast<unsigned char>(green > 127 ? green - shade : green + shade);
            p[2] = static_cast<unsigned char>(blue > 127 ? blue - shade : blue + shade);
        }
    }

    tjhandle handle = tjInitCompress();
    if (handle == nullptr)
        throw std::runtime_error("JPEG encoder: cannot start");
    unsigned char* jpeg = nullptr;
    unsigned long size = 0;
    const int rc = tjCompress2(handle, pixels.data(), kSide, 0, kSide, TJPF_RGB, &jpeg, &size,
                               TJSAMP_420, 80, 0);
    if (rc != 0) {
        const std::string message = tjGetErrorStr2(handle);
        tjDestroy(handle);
        throw std::runtime_error("JPEG encoder: " + message);
    }
    std::vector<unsigned char> out(jpeg, jpeg + size);
    tjFree(jpeg);
    tjDestroy(handle);
    return out;
}

}  // namespace morvane::demo
