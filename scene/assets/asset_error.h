#pragma once
#include <stdexcept>

namespace coilrun::scene {

// A stored asset that cannot be read: an unknown class name, a truncated
// container, a picture in a form the program does not decode. what() names it.
class AssetError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

} // namespace coilrun::scene
