#include "grid/editors/editimagex.h"

namespace kx {

void TEditImageX::Changed() {
    if (OnChange)
        OnChange();
}

void TEditImageX::SetImageIndex(int index) {
    if (index == imageIndex_)
        return;
    imageIndex_ = index;
    if (OnIndexChange)
        OnIndexChange();
}

void TEditImageX::SetImages(TGridPictureList* images) {
    if (images == images_)
        return;
    images_ = images;
    Changed();
}

void TEditImageX::SetUseImageHeight(bool use) {
    if (use == useImageHeight_)
        return;
    useImageHeight_ = use;
    Changed();
}

void TEditImageX::SetVisible(bool visible) {
    if (visible == visible_)
        return;
    visible_ = visible;
    Changed();
}

void TEditImageX::SetWidth(int width) {
    if (width == width_)
        return;
    width_ = width;
    Changed();
}

void TEditImageX::Assign(const TEditImageX& source) {
    SetImages(source.images_);
    SetImageIndex(source.imageIndex_);
    SetVisible(source.visible_);
    SetWidth(source.width_);
}

} // namespace kx
