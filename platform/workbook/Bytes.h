#pragma once

#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>

// Little-endian byte helpers shared by the compound-file and BIFF code.
namespace morvane::workbook::bytes {

inline void put8(std::string& out, unsigned v) {
    out.push_back(static_cast<char>(v & 0xFF));
}
inline void put16(std::string& out, unsigned v) {
    const char b[2] = {static_cast<char>(v & 0xFF), static_cast<char>((v >> 8) & 0xFF)};
    out.append(b, 2);
}
inline void put32(std::string& out, std::uint32_t v) {
    const char b[4] = {static_cast<char>(v & 0xFF), static_cast<char>((v >> 8) & 0xFF),
                       static_cast<char>((v >> 16) & 0xFF), static_cast<char>((v >> 24) & 0xFF)};
    out.append(b, 4);
}
inline void putDouble(std::string& out, double v) {
    std::uint64_t bits;
    std::memcpy(&bits, &v, 8);
    put32(out, static_cast<std::uint32_t>(bits));
    put32(out, static_cast<std::uint32_t>(bits >> 32));
}
inline void set16(std::string& out, std::size_t at, unsigned v) {
    out[at] = static_cast<char>(v & 0xFF);
    out[at + 1] = static_cast<char>((v >> 8) & 0xFF);
}
inline void set32(std::string& out, std::size_t at, std::uint32_t v) {
    for (int i = 0; i < 4; ++i)
        out[at + static_cast<std::size_t>(i)] = static_cast<char>((v >> (8 * i)) & 0xFF);
}

inline unsigned get8(std::string_view in, std::size_t at) {
    return static_cast<unsigned char>(in[at]);
}
inline unsigned get16(std::string_view in, std::size_t at) {
    return get8(in, at) | (get8(in, at + 1) << 8);
}
inline std::uint32_t get32(std::string_view in, std::size_t at) {
    return get16(in, at) | (static_cast<std::uint32_t>(get16(in, at + 2)) << 16);
}
inline double getDouble(std::string_view in, std::size_t at) {
    const std::uint64_t bits =
        get32(in, at) | (static_cast<std::uint64_t>(get32(in, at + 4)) << 32);
    double v;
    std::memcpy(&v, &bits, 8);
    return v;
}

}  // namespace morvane::workbook::bytes
