#include "platform/workbook/CompoundFile.h"

#include "platform/workbook/Bytes.h"
#include "platform/workbook/WorkbookError.h"

#include <algorithm>
#include <cstdint>
#include <vector>

namespace morvane::workbook {

using namespace bytes;

namespace {

constexpr char kSignature[] = "\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1";
constexpr std::uint32_t kFree = 0xFFFFFFFF;
constexpr std::uint32_t kEndOfChain = 0xFFFFFFFE;
constexpr std::uint32_t kFatSector = 0xFFFFFFFD;
constexpr std::uint32_t kDifatSector = 0xFFFFFFFC;
constexpr std::uint32_t kNoStream = 0xFFFFFFFF;
constexpr std::size_t kSector = 512;
constexpr std::size_t kMiniCutoff = 4096;
constexpr std::size_t kHeaderDifat = 109;
constexpr std::size_t kIdsPerSector = kSector / 4;

void putDirEntry(std::string& out, std::string_view name, unsigned type, std::uint32_t child,
                 std::uint32_t start, std::uint32_t size) {
    const std::size_t begin = out.size();
    // Names are UTF-16; ours are ASCII.
    for (char ch : name)
        put16(out, static_cast<unsigned char>(ch));
    put16(out, 0);
    out.resize(begin + 64, '\0');
    put16(out, name.empty() ? 0 : static_cast<unsigned>((name.size() + 1) * 2));
    put8(out, type);
    put8(out, 1);  // black in the red-black tree
    put32(out, kNoStream);
    put32(out, kNoStream);
    put32(out, child);
    out.append(16 + 4 + 8 + 8, '\0');  // class id, state bits, times
    put32(out, start);
    put32(out, size);
    put32(out, 0);
}

}  // namespace

std::string writeCompoundFile(std::string_view streamName, std::string stream) {
    std::string& data = stream;
    if (data.size() < kMiniCutoff)
        data.resize(kMiniCutoff, '\0');
    if (data.size() % kSector)
        data.resize(data.size() + kSector - data.size() % kSector, '\0');
    if (data.size() > 0x7FFFFFFFu)
        throw WorkbookError("The workbook is too large for an .xls file; save it as .xlsx");
    const std::size_t streamSectors = data.size() / kSector;

    // The FAT covers every sector, its own and the DIFAT's included.
    std::size_t fat = 1, difat = 0;
    for (;;) {
        difat =
            fat > kHeaderDifat ? (fat - kHeaderDifat + kIdsPerSector - 2) / (kIdsPerSector - 1) : 0;
        if (streamSectors + 1 + fat + difat <= fat * kIdsPerSector)
            break;
        ++fat;
    }
    const auto dirSector = static_cast<std::uint32_t>(streamSectors);
    const auto firstFat = dirSector + 1;
    const auto firstDifat = static_cast<std::uint32_t>(firstFat + fat);

    std::string out;
    out.reserve((1 + streamSectors + 1 + fat + difat) * kSector);
    out.append(kSignature, 8);
    out.append(16, '\0');
    put16(out, 0x003E);
    put16(out, 0x0003);
    put16(out, 0xFFFE);
    put16(out, 9);
    put16(out, 6);
    out.append(6, '\0');
    put32(out, 0);
    put32(out, static_cast<std::uint32_t>(fat));
    put32(out, dirSector);
    put32(out, 0);
    put32(out, kMiniCutoff);
    put32(out, kEndOfChain);
    put32(out, 0);
    put32(out, difat ? firstDifat : kEndOfChain);
    put32(out, static_cast<std::uint32_t>(difat));
    for (std::size_t i = 0; i < kHeaderDifat; ++i)
        put32(out, i < fat ? firstFat + static_cast<std::uint32_t>(i) : kFree);

    out += data;

    putDirEntry(out, "Root Entry", 5, 1, kEndOfChain, 0);
    putDirEntry(out, streamName, 2, kNoStream, 0, static_cast<std::uint32_t>(data.size()));
    putDirEntry(out, "", 0, kNoStream, 0, 0);
    putDirEntry(out, "", 0, kNoStream, 0, 0);

    const std::size_t fatBegin = out.size();
    for (std::size_t s = 0; s < streamSectors; ++s)
        put32(out, s + 1 < streamSectors ? static_cast<std::uint32_t>(s + 1) : kEndOfChain);
    put32(out, kEndOfChain);  // directory
    for (std::size_t i = 0; i < fat; ++i)
        put32(out, kFatSector);
    for (std::size_t i = 0; i < difat; ++i)
        put32(out, kDifatSector);
    out.resize(fatBegin + fat * kSector, '\xFF');

    for (std::size_t i = 0; i < difat; ++i) {
        for (std::size_t k = 0; k < kIdsPerSector - 1; ++k) {
            const std::size_t f = kHeaderDifat + i * (kIdsPerSector - 1) + k;
            put32(out, f < fat ? firstFat + static_cast<std::uint32_t>(f) : kFree);
        }
        put32(out, i + 1 < difat ? firstDifat + static_cast<std::uint32_t>(i + 1) : kEndOfChain);
    }
    return out;
}

namespace {

class CompoundReader {
  public:
    explicit CompoundReader(std::string_view file) : file_(file) {
        if (file.size() < 512 || file.substr(0, 8) != std::string_view(kSignature, 8))
            throw WorkbookError("The file is not an .xls workbook (no compound file header)");
        const unsigned shift = get16(file, 30);
        const unsigned miniShift = get16(file, 32);
        if ((shift != 9 && shift != 12) || miniShift != 6)
            throw WorkbookError("The .xls file has an unknown sector size");
        sector_ = std::size_t{1} << shift;
        cutoff_ = get32(file, 56);

        std::vector<std::uint32_t> fatSectors;
        const std::uint32_t fatCount = get32(file, 44);
        for (std::size_t i = 0; i < kHeaderDifat && fatSectors.size() < fatCount; ++i)
            fatSectors.push_back(get32(file, 76 + 4 * i));
        std::uint32_t next = get32(file, 68);
        const std::size_t perDifat = sector_ / 4 - 1;
        for (std::size_t guard = 0; next < kDifatSector && fatSectors.size() < fatCount; ++guard) {
            if (guard > sectorCount())
                broken();
            const std::string_view s = sectorAt(next);
            for (std::size_t k = 0; k < perDifat && fatSectors.size() < fatCount; ++k)
                fatSectors.push_back(get32(s, 4 * k));
            next = get32(s, 4 * perDifat);
        }
        fat_.reserve(fatSectors.size() * sector_ / 4);
        for (std::uint32_t f : fatSectors) {
            const std::string_view s = sectorAt(f);
            for (std::size_t k = 0; k < sector_ / 4; ++k)
                fat_.push_back(get32(s, 4 * k));
        }
        directory_ = chain(get32(file, 48), fat_, sector_, nullptr);
        miniFatStart_ = get32(file, 60);
    }

    std::string stream(std::string_view name) {
        for (std::size_t at = 0; at + 128 <= directory_.size(); at += 128) {
            const std::string_view e = std::string_view(directory_).substr(at, 128);
            const unsigned type = get8(e, 66);
            if (type != 2 || !sameName(e, name))
                continue;
            const std::uint32_t start = get32(e, 116);
            const std::uint32_t size = get32(e, 120);
            std::string data;
            if (size < cutoff_) {
                std::string miniFatBytes = chain(miniFatStart_, fat_, sector_, nullptr);
                std::vector<std::uint32_t> miniFat(miniFatBytes.size() / 4);
                for (std::size_t k = 0; k < miniFat.size(); ++k)
                    miniFat[k] = get32(miniFatBytes, 4 * k);
                const std::string container = chain(get32(directory_, 116), fat_, sector_, nullptr);
                data = chain(start, miniFat, 64, &container);
            } else {
                data = chain(start, fat_, sector_, nullptr);
            }
            if (data.size() < size)
                broken();
            data.resize(size);
            return data;
        }
        throw WorkbookError("The file holds no \"" + std::string(name) + "\" stream");
    }

  private:
    [[noreturn]] static void broken() {
        throw WorkbookError("The .xls file is damaged (broken sector chain)");
    }
    std::size_t sectorCount() const { return file_.size() / sector_; }
    std::string_view sectorAt(std::uint32_t id) const {
        const std::size_t at = (static_cast<std::size_t>(id) + 1) * sector_;
        if (at + sector_ > file_.size()) {
            // The last sector of a file may be cut short; read what is there.
            if (at >= file_.size())
                broken();
            return file_.substr(at);
        }
        return file_.substr(at, sector_);
    }
    // Follows a chain through a FAT; with a container, the sectors are the
    // container's mini sectors.
    std::string chain(std::uint32_t start, const std::vector<std::uint32_t>& fat, std::size_t size,
                      const std::string* container) const {
        std::string out;
        for (std::uint32_t id = start; id != kEndOfChain && id != kFree;) {
            if (id >= fat.size() || out.size() > file_.size())
                broken();
            if (container) {
                const std::size_t at = static_cast<std::size_t>(id) * size;
                if (at + size > container->size())
                    broken();
                out.append(*container, at, size);
            } else {
                out += sectorAt(id);
            }
            id = fat[id];
        }
        return out;
    }
    static bool sameName(std::string_view entry, std::string_view name) {
        const unsigned len = get16(entry, 64);
        if (len != (name.size() + 1) * 2)
            return false;
        for (std::size_t i = 0; i < name.size(); ++i) {
            const unsigned ch = get16(entry, 2 * i);
            auto lower = [](unsigned c) { return c >= 'A' && c <= 'Z' ? c + 32 : c; };
            if (lower(ch) != lower(static_cast<unsigned char>(name[i])))
                return false;
        }
        return true;
    }

    std::string_view file_;
    std::size_t sector_ = 512;
    std::uint32_t cutoff_ = 4096;
    std::vector<std::uint32_t> fat_;
    std::string directory_;
    std::uint32_t miniFatStart_ = kEndOfChain;
};

}  // namespace

std::string readCompoundStream(std::string_view file, std::string_view streamName) {
    return CompoundReader(file).stream(streamName);
}

}  // namespace morvane::workbook
