#pragma once
// The settings of the picture an edit shows at its left edge: a picture of a
// picture list, chosen by index.

#include <functional>

namespace kx {

class TGridPictureList;

class TEditImageX {
public:
    int ImageIndex() const { return imageIndex_; }
    void SetImageIndex(int index);
    TGridPictureList* Images() const { return images_; }
    void SetImages(TGridPictureList* images);
    // A picture taller than the text raises the edit.
    bool UseImageHeight() const { return useImageHeight_; }
    void SetUseImageHeight(bool use);
    bool Visible() const { return visible_; }
    void SetVisible(bool visible);
    // 0: the list's picture width.
    int Width() const { return width_; }
    void SetWidth(int width);
    void Assign(const TEditImageX& source);

    // The edit lays itself out again.
    std::function<void()> OnChange;
    // Only the picture changed.
    std::function<void()> OnIndexChange;

private:
    void Changed();

    TGridPictureList* images_ = nullptr;
    int imageIndex_ = -1;
    int width_ = 0;
    bool useImageHeight_ = true;
    bool visible_ = false;
};

} // namespace kx
