#include "toolkit/ui/graphics/Bitmap.h"

#include <fstream>
#include <iterator>
#include <map>
#include <mutex>

#include "toolkit/rtl/ChangeValue.h"
#include "toolkit/rtl/SysUtils.h"

#include "toolkit/ui/graphics/RecordingCanvas.h"

void TBitmap::Publish(TPublisher<TBitmap>& p) {
    p.Property("Height", &TBitmap::Height, &TBitmap::SetHeight);
    p.Property("Transparent", &TBitmap::Transparent, &TBitmap::SetTransparent);
    p.Property("TransparentColor", &TBitmap::TransparentColor, &TBitmap::SetTransparentColor);
    p.Property("TransparentMode", &TBitmap::TransparentMode, &TBitmap::SetTransparentMode);
    p.Property("Width", &TBitmap::Width, &TBitmap::SetWidth);
}

TBitmap::TBitmap() = default;

TBitmap::TBitmap(int width, int height) { SetSize(width, height); }

TBitmap::~TBitmap() = default;

void TBitmap::SetSize(int width, int height) {
    width = std::max(width, 0);
    height = std::max(height, 0);
    if (width == width_ && height == height_) return;
    std::vector<std::int32_t> pixels(static_cast<std::size_t>(width) * static_cast<std::size_t>(height), 0xFFFFFF);
    for (int y = 0; y < std::min(height, height_); ++y)
        for (int x = 0; x < std::min(width, width_); ++x)
            pixels[static_cast<std::size_t>(y * width + x)] = pixels_[static_cast<std::size_t>(y * width_ + x)];
    pixels_ = std::move(pixels);
    width_ = width;
    height_ = height;
    Changed();
}

TColor TBitmap::Pixel(int x, int y) const {
    if (x < 0 || y < 0 || x >= width_ || y >= height_) return clNone;
    return static_cast<TColor>(pixels_[static_cast<std::size_t>(y * width_ + x)]);
}

void TBitmap::SetPixel(int x, int y, TColor color) {
    if (x < 0 || y < 0 || x >= width_ || y >= height_) return;
    pixels_[static_cast<std::size_t>(y * width_ + x)] = ColorToRGB(color);
}

void TBitmap::SetTransparent(bool value) {
    if (ChangeValue(transparent_, value)) Changed();
}

void TBitmap::SetTransparentColor(TColor color) {
    transparentColor_ = color;
    transparentMode_ = color == clDefault ? tmAuto : tmFixed;
    Changed();
}

void TBitmap::SetTransparentMode(TTransparentMode mode) {
    if (mode == transparentMode_) return;
    transparentMode_ = mode;
    if (mode == tmAuto) transparentColor_ = clDefault;
    Changed();
}

TColor TBitmap::EffectiveTransparentColor() const {
    if (transparentMode_ == tmFixed && transparentColor_ != clDefault) return transparentColor_;
    return Empty() ? clNone : Pixel(0, height_ - 1);
}

TCanvas* TBitmap::Canvas() {
    if (!canvas_) canvas_ = std::make_unique<TRecordingCanvas>(this);
    return canvas_.get();
}

void TBitmap::Assign(const TPersistent* source) {
    if (auto* other = dynamic_cast<const TBitmap*>(source)) {
        if (other == this) return;
        width_ = other->width_;
        height_ = other->height_;
        pixels_ = other->pixels_;
        transparent_ = other->transparent_;
        transparentColor_ = other->transparentColor_;
        transparentMode_ = other->transparentMode_;
        Changed();
        return;
    }
    if (!source) {  // assigning nothing empties the bitmap
        SetSize(0, 0);
        return;
    }
    TPersistent::Assign(source);
}

bool TBitmap::SameImage(const TBitmap& other) const {
    return width_ == other.width_ && height_ == other.height_ && pixels_ == other.pixels_;
}

void TBitmap::Changed() {
    if (OnChange) OnChange(this);
}

// --- BMP files --------------------------------------------------------------------------------------

namespace {
std::uint32_t Read32(const std::vector<std::uint8_t>& b, std::size_t at) {
    return static_cast<std::uint32_t>(b[at]) | (static_cast<std::uint32_t>(b[at + 1]) << 8) |
           (static_cast<std::uint32_t>(b[at + 2]) << 16) | (static_cast<std::uint32_t>(b[at + 3]) << 24);
}
std::uint16_t Read16(const std::vector<std::uint8_t>& b, std::size_t at) {
    return static_cast<std::uint16_t>(b[at] | (b[at + 1] << 8));
}
void Put32(std::vector<std::uint8_t>& b, std::uint32_t v) {
    for (int i = 0; i < 4; ++i) b.push_back(static_cast<std::uint8_t>(v >> (8 * i)));
}
void Put16(std::vector<std::uint8_t>& b, std::uint16_t v) {
    b.push_back(static_cast<std::uint8_t>(v));
    b.push_back(static_cast<std::uint8_t>(v >> 8));
}
[[noreturn]] void BadBitmap(const std::string& why) { throw EInOutError("Bitmap image is not valid: " + why); }
}  // namespace

void TBitmap::LoadFromBytes(const std::vector<std::uint8_t>& b) {
    if (b.size() < 54 || b[0] != 'B' || b[1] != 'M') BadBitmap("no bitmap header");
    std::uint32_t dataOffset = Read32(b, 10);
    std::uint32_t headerSize = Read32(b, 14);
    if (headerSize < 40) BadBitmap("unsupported header");
    auto width = static_cast<std::int32_t>(Read32(b, 18));
    auto height = static_cast<std::int32_t>(Read32(b, 22));
    std::uint16_t bits = Read16(b, 28);
    std::uint32_t compression = Read32(b, 30);
    std::uint32_t colorsUsed = Read32(b, 46);
    if (compression != 0 && !(compression == 3 && bits == 32)) BadBitmap("compressed images are not supported");
    if (bits != 1 && bits != 4 && bits != 8 && bits != 24 && bits != 32) BadBitmap("unsupported colour depth");
    bool bottomUp = height > 0;
    if (height < 0) height = -height;
    if (width <= 0 || height <= 0 || width > 32768 || height > 32768) BadBitmap("bad size");
    std::vector<std::int32_t> palette;
    if (bits <= 8) {
        std::uint32_t count = colorsUsed ? colorsUsed : (1u << bits);
        std::size_t at = 14 + headerSize;
        if (count > 256 || at + count * 4 > b.size()) BadBitmap("bad palette");
        for (std::uint32_t i = 0; i < count; ++i, at += 4) palette.push_back(RGB(b[at + 2], b[at + 1], b[at]));
    }
    std::size_t stride = ((static_cast<std::size_t>(width) * bits + 31) / 32) * 4;
    if (dataOffset + stride * static_cast<std::size_t>(height) > b.size()) BadBitmap("truncated pixel data");
    std::vector<std::int32_t> pixels(static_cast<std::size_t>(width) * static_cast<std::size_t>(height));
    for (int row = 0; row < height; ++row) {
        std::size_t line = dataOffset + stride * static_cast<std::size_t>(row);
        int y = bottomUp ? height - 1 - row : row;
        for (int x = 0; x < width; ++x) {
            std::int32_t c = 0;
            if (bits == 24 || bits == 32) {
                std::size_t at = line + static_cast<std::size_t>(x) * (bits / 8);
                c = RGB(b[at + 2], b[at + 1], b[at]);
            } else {
                std::size_t bit = static_cast<std::size_t>(x) * bits;
                unsigned byte = b[line + bit / 8];
                unsigned index = (byte >> (8 - bits - bit % 8)) & ((1u << bits) - 1);
                c = index < palette.size() ? palette[index] : 0;
            }
            pixels[static_cast<std::size_t>(y * width + x)] = c;
        }
    }
    width_ = width;
    height_ = height;
    pixels_ = std::move(pixels);
    Changed();
}

void TBitmap::LoadFromFile(const std::string& fileName) {
    std::ifstream in(fileName, std::ios::binary);
    if (!in) throw EInOutError("Cannot open file \"" + fileName + "\"");
    std::vector<std::uint8_t> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    LoadFromBytes(bytes);
}

std::vector<std::uint8_t> TBitmap::SaveToBytes() const {
    std::size_t stride = ((static_cast<std::size_t>(width_) * 3 + 3) / 4) * 4;
    std::size_t dataSize = stride * static_cast<std::size_t>(height_);
    std::vector<std::uint8_t> b;
    b.push_back('B');
    b.push_back('M');
    Put32(b, static_cast<std::uint32_t>(54 + dataSize));
    Put32(b, 0);
    Put32(b, 54);
    Put32(b, 40);
    Put32(b, static_cast<std::uint32_t>(width_));
    Put32(b, static_cast<std::uint32_t>(height_));
    Put16(b, 1);
    Put16(b, 24);
    Put32(b, 0);
    Put32(b, static_cast<std::uint32_t>(dataSize));
    Put32(b, 2835);
    Put32(b, 2835);
    Put32(b, 0);
    Put32(b, 0);
    for (int y = height_ - 1; y >= 0; --y) {
        std::size_t start = b.size();
        for (int x = 0; x < width_; ++x) {
            std::int32_t c = pixels_[static_cast<std::size_t>(y * width_ + x)];
            b.push_back(static_cast<std::uint8_t>(c >> 16));
            b.push_back(static_cast<std::uint8_t>(c >> 8));
            b.push_back(static_cast<std::uint8_t>(c));
        }
        while (b.size() - start < stride) b.push_back(0);
    }
    return b;
}

void TBitmap::SaveToFile(const std::string& fileName) const {
    std::vector<std::uint8_t> bytes = SaveToBytes();
    std::ofstream out(fileName, std::ios::binary);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    if (!out) throw EInOutError("Cannot write file \"" + fileName + "\"");
}

namespace {

struct TBitmapResources {
    std::mutex lock;
    std::map<std::string, std::shared_ptr<const TBitmap>> images;  // by upper-case name
};

TBitmapResources& Resources() {
    static auto* resources = new TBitmapResources;
    return *resources;
}

}  // namespace

void RegisterBitmapResource(const std::string& name, const TBitmap& image) {
    auto copy = std::make_shared<TBitmap>();
    copy->Assign(&image);
    std::lock_guard<std::mutex> guard(Resources().lock);
    Resources().images[UpperCase(name)] = std::move(copy);
}

bool BitmapResourceExists(const std::string& name) {
    std::lock_guard<std::mutex> guard(Resources().lock);
    return Resources().images.count(UpperCase(name)) > 0;
}

void TBitmap::LoadFromResourceName(const std::string& name) {
    std::shared_ptr<const TBitmap> image;
    {
        std::lock_guard<std::mutex> guard(Resources().lock);
        auto it = Resources().images.find(UpperCase(name));
        if (it != Resources().images.end()) image = it->second;
    }
    if (!image) throw EResNotFound("Resource " + name + " not found");
    Assign(image.get());
}
