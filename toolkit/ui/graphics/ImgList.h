#pragma once
// Image lists: equally sized images drawn by index (tool buttons, menu items, grid titles).
#include <memory>
#include <vector>

#include "toolkit/ui/graphics/Bitmap.h"

class TImageList : public TComponent {
    TK_CLASS_PUBLISHED(TImageList, TComponent)
public:
    explicit TImageList(TComponent* owner);
    ~TImageList() override;

    int Width() const { return width_; }
    int Height() const { return height_; }
    // Changing the size clears the list.
    void SetWidth(int width);
    void SetHeight(int height);
    int Count() const { return static_cast<int>(images_.size()); }

    // Adds the image (several images when it is a multiple of Width wide, cut left to right); the
    // mask, when given, marks with its white pixels what is transparent. Returns the first index.
    int Add(const TBitmap* image, const TBitmap* mask = nullptr);
    // Adds the image with maskColor drawn as transparent.
    int AddMasked(const TBitmap* image, TColor maskColor);
    // Appends copies of every image of another list (resized to this list's size when they differ).
    void AddImages(const TImageList* other);
    void Replace(int index, const TBitmap* image);
    void Delete(int index);
    void Clear();
    // Copies image index into bitmap (EListError when out of range).
    void GetBitmap(int index, TBitmap* bitmap) const;
    const TBitmap* Image(int index) const;
    // Draws image index at (x, y); a disabled image is drawn in grey.
    void Draw(TCanvas* canvas, int x, int y, int index, bool enabled = true) const;

    TNotifyEvent OnChange;

private:
    void Changed();
    std::unique_ptr<TBitmap> Cut(const TBitmap& source, int left) const;

    int width_ = 16;
    int height_ = 16;
    std::vector<std::unique_ptr<TBitmap>> images_;
};
