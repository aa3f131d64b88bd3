#pragma once
#include <memory>

namespace stepwise {

// An image as a front end holds it; the core only passes pictures between boxes and the clipboard.
class PictureData {
public:
    virtual ~PictureData() = default;
};

using Picture = std::shared_ptr<const PictureData>;  // empty: no picture

}  // namespace stepwise
