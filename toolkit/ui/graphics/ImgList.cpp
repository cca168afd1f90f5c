#include "toolkit/ui/graphics/ImgList.h"

void TImageList::Publish(TPublisher<TImageList>& p) {
    p.Property("Height", &TImageList::Height, &TImageList::SetHeight);
    p.Property("Width", &TImageList::Width, &TImageList::SetWidth);
    p.Property("Count", &TImageList::Count);
    p.Property("OnChange", &TImageList::OnChange);
}

TImageList::TImageList(TComponent* owner) : TComponent(owner) {}

TImageList::~TImageList() = default;

void TImageList::SetWidth(int width) {
    if (width == width_ || width <= 0) return;
    width_ = width;
    Clear();
}

void TImageList::SetHeight(int height) {
    if (height == height_ || height <= 0) return;
    height_ = height;
    Clear();
}

std::unique_ptr<TBitmap> TImageList::Cut(const TBitmap& source, int left) const {
    auto image = std::make_unique<TBitmap>(width_, height_);
    for (int y = 0; y < height_; ++y)
        for (int x = 0; x < width_; ++x) {
            TColor c = source.Pixel(left + x, y);
            if (c != clNone) image->SetPixel(x, y, c);
        }
    image->SetTransparent(source.Transparent());
    if (source.TransparentMode() == tmFixed) image->SetTransparentColor(source.TransparentColor());
    return image;
}

int TImageList::Add(const TBitmap* image, const TBitmap* mask) {
    if (!image || image->Empty()) return -1;
    int first = Count();
    int pieces = std::max(1, image->Width() / width_);
    for (int i = 0; i < pieces; ++i) {
        auto piece = Cut(*image, i * width_);
        if (mask) {
            // Masked pixels become a colour the image does not use, drawn as transparent.
            const TColor hole = RGB(255, 0, 255);
            for (int y = 0; y < height_; ++y)
                for (int x = 0; x < width_; ++x)
                    if (ColorToRGB(mask->Pixel(i * width_ + x, y)) == 0xFFFFFF) piece->SetPixel(x, y, hole);
            piece->SetTransparentColor(hole);
            piece->SetTransparent(true);
        }
        images_.push_back(std::move(piece));
    }
    Changed();
    return first;
}

int TImageList::AddMasked(const TBitmap* image, TColor maskColor) {
    if (!image || image->Empty()) return -1;
    TBitmap copy;
    copy.Assign(image);
    copy.SetTransparentColor(maskColor);
    copy.SetTransparent(true);
    return Add(&copy);
}

void TImageList::AddImages(const TImageList* other) {
    if (!other || other == this) return;
    for (const auto& image : other->images_) images_.push_back(Cut(*image, 0));
    Changed();
}

void TImageList::Replace(int index, const TBitmap* image) {
    Image(index);  // range check
    if (!image) return;
    images_[static_cast<std::size_t>(index)] = Cut(*image, 0);
    Changed();
}

void TImageList::Delete(int index) {
    Image(index);
    images_.erase(images_.begin() + index);
    Changed();
}

void TImageList::Clear() {
    if (images_.empty()) return;
    images_.clear();
    Changed();
}

const TBitmap* TImageList::Image(int index) const {
    if (index < 0 || index >= Count()) throw EListError("List index out of bounds (" + std::to_string(index) + ")");
    return images_[static_cast<std::size_t>(index)].get();
}

void TImageList::GetBitmap(int index, TBitmap* bitmap) const {
    if (bitmap) bitmap->Assign(Image(index));
}

void TImageList::Draw(TCanvas* canvas, int x, int y, int index, bool enabled) const {
    if (!canvas || index < 0 || index >= Count()) return;
    const TBitmap* image = images_[static_cast<std::size_t>(index)].get();
    if (enabled) {
        canvas->Draw(x, y, image);
        return;
    }
    TBitmap grey;
    grey.Assign(image);
    // Transparent pixels stay as they are so that they are still left out.
    std::int32_t keep = grey.Transparent() ? ColorToRGB(grey.EffectiveTransparentColor()) : -1;
    for (int py = 0; py < grey.Height(); ++py)
        for (int px = 0; px < grey.Width(); ++px) {
            std::int32_t c = grey.Pixel(px, py);
            if (c == keep) continue;
            int lum = ((c & 0xFF) * 30 + ((c >> 8) & 0xFF) * 59 + ((c >> 16) & 0xFF) * 11) / 100;
            lum = 128 + lum / 2;
            grey.SetPixel(px, py, RGB(lum, lum, lum));
        }
    canvas->Draw(x, y, &grey);
}

void TImageList::Changed() {
    if (OnChange) OnChange(this);
}
