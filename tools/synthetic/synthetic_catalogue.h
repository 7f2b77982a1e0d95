#pragma once

#include <cstddef>
#include <cstdint>

#include "catalogue/catalogue.h"

namespace tavrin {

// A large made-up catalogue for measuring: heads of the eight families with
// limits in the ranges a real product line has, the same for the same seed.
Catalogue SyntheticCatalogue(std::size_t heads, std::uint32_t seed = 1);

}  // namespace tavrin
