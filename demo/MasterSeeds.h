#pragma once

// Shared pieces of the master data builders (Partners.cpp, GoodsCatalog.cpp,
// MasterData.cpp). Internal to the demo generator.

#include <string>

#include "demo/Model.h"
#include "demo/Random.h"

namespace morvane::demo::detail {

// prefix + number with leading zeros to `width` digits: code("JM", 3, 3) is JM003.
std::string code(const char* prefix, int number, int width);
std::string personName(Rng& rng, bool female);
std::string phone(Rng& rng);

struct BrandSeed {
    const char* name;
    const char* english;
    const char* prefix;  // goods numbers begin with it
    char sex;            // 'F', 'M' or 'U'
};
extern const BrandSeed kBrands[4];

// Areas, employees, clients with their shop assistants, workers, suppliers, warehouses.
void buildPartners(Rng& rng, Master& m);
// Brands, colours, size classes, goods with colours, expense items, processes.
void buildGoods(Rng& rng, Master& m);

}  // namespace morvane::demo::detail
