#include "framework/forms/FormImages.h"

#include <algorithm>
#include <cmath>
#include <functional>

#include "toolkit/ui/graphics/Bitmap.h"
#include "toolkit/ui/graphics/ImgList.h"

namespace {

constexpr int kSize = 18;
constexpr TColor kMask = clFuchsia;
constexpr TColor kInk = RGB(64, 64, 64);
constexpr TColor kPaper = RGB(255, 255, 255);
constexpr TColor kGreen = RGB(0, 150, 50);
constexpr TColor kBlue = RGB(30, 90, 200);
constexpr TColor kRed = RGB(210, 40, 40);
constexpr TColor kYellow = RGB(250, 210, 70);
constexpr TColor kGrey = RGB(170, 170, 170);
constexpr TColor kLight = RGB(220, 225, 230);
constexpr TColor kGlass = RGB(180, 220, 250);
constexpr TColor kWood = RGB(230, 170, 100);

// Drawing on an 18x18 image whose background is the mask colour.
class TPainter {
public:
    explicit TPainter(TBitmap& bitmap) : b_(bitmap) {
        b_.SetSize(kSize, kSize);
        Fill(0, 0, kSize - 1, kSize - 1, kMask);
    }
    void Dot(int x, int y, TColor c) { b_.SetPixel(x, y, c); }
    void Fill(int x0, int y0, int x1, int y1, TColor c) {
        for (int y = y0; y <= y1; ++y)
            for (int x = x0; x <= x1; ++x) Dot(x, y, c);
    }
    void Frame(int x0, int y0, int x1, int y1, TColor c) {
        for (int x = x0; x <= x1; ++x) Dot(x, y0, c), Dot(x, y1, c);
        for (int y = y0; y <= y1; ++y) Dot(x0, y, c), Dot(x1, y, c);
    }
    void Box(int x0, int y0, int x1, int y1, TColor inside, TColor edge = kInk) {
        Fill(x0, y0, x1, y1, inside);
        Frame(x0, y0, x1, y1, edge);
    }
    // Pixels whose centre lies within distance [inner, outer] of (cx, cy).
    void Ring(double cx, double cy, double inner, double outer, TColor c) {
        Each([&](int x, int y) {
            double d = std::hypot(x - cx, y - cy);
            if (d >= inner && d <= outer) Dot(x, y, c);
        });
    }
    // A line of the given half width.
    void Line(double x0, double y0, double x1, double y1, double half, TColor c) {
        Each([&](int x, int y) {
            double dx = x1 - x0, dy = y1 - y0, len2 = dx * dx + dy * dy;
            double t = len2 ? ((x - x0) * dx + (y - y0) * dy) / len2 : 0;
            t = t < 0 ? 0 : t > 1 ? 1 : t;
            if (std::hypot(x - (x0 + t * dx), y - (y0 + t * dy)) <= half) Dot(x, y, c);
        });
    }
    // A triangle pointing left (dir -1) or right (dir 1) with its tip at x, centred on cy.
    void Arrow(int tipX, int cy, int length, int dir, TColor c) {
        for (int i = 0; i < length; ++i)
            for (int y = cy - i; y <= cy + i; ++y) Dot(tipX - dir * i, y, c);
    }

private:
    void Each(const std::function<void(int, int)>& f) {
        for (int y = 0; y < kSize; ++y)
            for (int x = 0; x < kSize; ++x) f(x, y);
    }
    TBitmap& b_;
};

void Document(TPainter& p) {
    p.Box(2, 1, 12, 16, kPaper);
    for (int y = 4; y <= 12; y += 3) p.Fill(4, y, 10, y, kGrey);
}

void DrawAdd(TPainter& p) {
    Document(p);
    p.Fill(11, 8, 13, 16, kGreen);
    p.Fill(8, 11, 16, 13, kGreen);
}

void DrawQuery(TPainter& p) {
    p.Ring(7, 7, 0, 4.2, kGlass);
    p.Ring(7, 7, 4.2, 5.6, kInk);
    p.Line(11, 11, 16, 16, 1.3, kWood);
}

void DrawEdit(TPainter& p) {
    Document(p);
    p.Line(7, 15, 15, 5, 1.6, kYellow);
    p.Line(15, 5, 16, 4, 1.4, kRed);
    p.Line(6, 16, 7, 15, 0.8, kInk);
}

void DrawDelete(TPainter& p) {
    p.Line(3, 3, 14, 14, 1.5, kRed);
    p.Line(14, 3, 3, 14, 1.5, kRed);
}

void DrawPrint(TPainter& p) {
    p.Box(5, 1, 12, 7, kPaper);
    p.Box(1, 7, 16, 13, kLight);
    p.Fill(13, 9, 14, 9, kGreen);
    p.Box(4, 11, 13, 16, kPaper);
    p.Fill(6, 13, 11, 13, kGrey);
}

void DrawFirst(TPainter& p) {
    p.Fill(3, 4, 4, 13, kBlue);
    p.Arrow(6, 8, 6, -1, kBlue);
    p.Arrow(6, 9, 6, -1, kBlue);
}

void DrawPrior(TPainter& p) {
    p.Arrow(5, 8, 7, -1, kBlue);
    p.Arrow(5, 9, 7, -1, kBlue);
}

void DrawNext(TPainter& p) {
    p.Arrow(12, 8, 7, 1, kBlue);
    p.Arrow(12, 9, 7, 1, kBlue);
}

void DrawLast(TPainter& p) {
    p.Arrow(11, 8, 6, 1, kBlue);
    p.Arrow(11, 9, 6, 1, kBlue);
    p.Fill(13, 4, 14, 13, kBlue);
}

void DrawRefresh(TPainter& p) {
    p.Ring(8.5, 8.5, 4.2, 6, kGreen);
    p.Fill(8, 0, 10, 6, kMask);
    p.Arrow(9, 2, 4, 1, kGreen);
    p.Arrow(9, 3, 4, 1, kGreen);
}

void DrawCalculator(TPainter& p) {
    p.Box(3, 1, 14, 16, kLight);
    p.Box(5, 3, 12, 6, RGB(200, 235, 200));
    for (int row = 0; row < 3; ++row)
        for (int col = 0; col < 3; ++col) p.Fill(5 + col * 3, 8 + row * 3, 6 + col * 3, 9 + row * 3, kInk);
}

void DrawColorFilter(TPainter& p) {
    for (int y = 2; y <= 8; ++y) {
        int half = 8 - (y - 2);
        p.Fill(8 - half, y, 9 + half, y, y < 4 ? kRed : y < 6 ? kYellow : kGreen);
    }
    p.Fill(7, 9, 10, 15, kBlue);
}

void DrawSave(TPainter& p) {
    p.Box(1, 1, 16, 16, kBlue);
    p.Box(4, 1, 13, 7, kPaper);
    p.Fill(10, 2, 11, 5, kBlue);
    p.Box(4, 10, 13, 16, kLight);
}

void DrawCancel(TPainter& p) {
    p.Ring(8.5, 8.5, 0, 7.5, kRed);
    p.Line(5.5, 5.5, 11.5, 11.5, 1.2, kPaper);
    p.Line(11.5, 5.5, 5.5, 11.5, 1.2, kPaper);
}

void DrawFlow(TPainter& p) {
    p.Box(1, 2, 6, 6, kLight);
    p.Box(11, 2, 16, 6, kLight);
    p.Box(6, 11, 11, 15, kYellow);
    p.Line(4, 6, 8, 11, 0.7, kInk);
    p.Line(13, 6, 9, 11, 0.7, kInk);
}

void DrawCopy(TPainter& p) {
    p.Box(1, 1, 10, 12, kPaper);
    p.Box(6, 5, 15, 16, kPaper);
    for (int y = 8; y <= 14; y += 3) p.Fill(8, y, 13, y, kGrey);
}

void Clip(TPainter& p) {
    p.Ring(9, 5, 2.5, 3.6, kGrey);
    p.Line(5.5, 5, 5.5, 13, 0.6, kGrey);
    p.Line(12.5, 5, 12.5, 11, 0.6, kGrey);
    p.Ring(9, 13, 2.6, 3.6, kGrey);
    p.Fill(8, 9, 10, 16, kMask);
}

void DrawAttach(TPainter& p) { Clip(p); }

// A stored query: a sheet under a magnifying glass.
void DrawScheme(TPainter& p) {
    Document(p);
    p.Ring(11, 11, 0, 3.2, kGlass);
    p.Ring(11, 11, 3.2, 4.4, kInk);
    p.Line(14, 14, 17, 17, 1.1, kWood);
}

// Four tiles: the ways a list can be shown.
void DrawViewStyles(TPainter& p) {
    for (int y : {2, 10})
        for (int x : {2, 10}) p.Box(x, y, x + 5, y + 5, kLight, kBlue);
}

void DrawAttached(TPainter& p) {
    p.Box(8, 6, 16, 16, kPaper);
    for (int y = 9; y <= 13; y += 2) p.Fill(10, y, 14, y, kBlue);
    Clip(p);
}

void AddImage(TImageList& list, void (*draw)(TPainter&)) {
    TBitmap bitmap;
    TPainter painter(bitmap);
    draw(painter);
    list.AddMasked(&bitmap, kMask);
}

}  // namespace

void AddBaseFormImages(TImageList& list) {
    for (auto draw : {DrawAdd, DrawQuery, DrawEdit, DrawDelete, DrawPrint, DrawFirst, DrawPrior, DrawNext, DrawLast, DrawRefresh})
        AddImage(list, draw);
}

void AddSingleFormImages(TImageList& list) {
    for (auto draw : {DrawCalculator, DrawColorFilter, DrawSave, DrawCancel}) AddImage(list, draw);
}

void AddDoubleFormImages(TImageList& list) {
    for (auto draw : {DrawFlow, DrawCopy, DrawAttach, DrawAttached}) AddImage(list, draw);
}

void AddSchemeImages(TImageList& list) {
    // A list of large icons gets the same drawings with each pixel repeated.
    const int scale = std::max(1, list.Width() / kSize);
    for (auto draw : {DrawScheme, DrawViewStyles}) {
        TBitmap bitmap;
        TPainter painter(bitmap);
        draw(painter);
        TBitmap scaled(kSize * scale, kSize * scale);
        for (int y = 0; y < kSize * scale; ++y)
            for (int x = 0; x < kSize * scale; ++x) scaled.SetPixel(x, y, bitmap.Pixel(x / scale, y / scale));
        list.AddMasked(&scaled, kMask);
    }
}
