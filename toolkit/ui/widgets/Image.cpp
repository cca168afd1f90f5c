#include "toolkit/ui/widgets/Image.h"

#include "toolkit/ui/graphics/Canvas.h"
#include "toolkit/ui/widgets/Panel.h"

void TImage::Publish(TPublisher<TImage>& p) {
    PublishStandard(p);
    p.Property("AutoSize", &TImage::AutoSize, &TImage::SetAutoSize);
    p.Property("Center", &TImage::Center, &TImage::SetCenter);
    p.Property("Picture", &TImage::Picture, &TImage::SetPicture);
    p.Property("Stretch", &TImage::Stretch, &TImage::SetStretch);
    p.Property("Transparent", &TImage::Transparent, &TImage::SetTransparent);
}

TImage::TImage(TComponent* owner) : TGraphicControl(owner), picture_(new TBitmap) {
    SetBounds(0, 0, 105, 105);
    picture_->OnChange = [this](TObject*) { PictureChanged(); };
}

void TImage::SetStretch(bool value) { SetProperty(stretch_, value, TPropertyId::Picture); }

void TImage::SetCenter(bool value) { SetProperty(center_, value, TPropertyId::Picture); }

void TImage::SetAutoSize(bool value) {
    autoSize_ = value;
    PictureChanged();
}

void TImage::PictureChanged() {
    if (autoSize_ && !picture_->Empty()) SetBounds(Left(), Top(), picture_->Width(), picture_->Height());
    Changed(TPropertyId::Picture);
}

TRect TImage::DestRect() const {
    if (stretch_) return Bounds(0, 0, Width(), Height());
    int w = picture_->Width(), h = picture_->Height();
    if (center_) return Bounds((Width() - w) / 2, (Height() - h) / 2, w, h);
    return Bounds(0, 0, w, h);
}

void TImage::Paint() {
    if (picture_->Empty()) return;
    if (stretch_)
        Canvas()->StretchDraw(DestRect(), picture_.get());
    else
        Canvas()->Draw(DestRect().Left, DestRect().Top, picture_.get());
}

void TBevel::Publish(TPublisher<TBevel>& p) {
    p.Property("Align", &TBevel::Align, &TBevel::SetAlign);
    p.Property("Shape", &TBevel::Shape, &TBevel::SetShape);
    p.Property("Style", &TBevel::Style, &TBevel::SetStyle);
    p.Property("Visible", &TBevel::Visible, &TBevel::SetVisible);
}

TBevel::TBevel(TComponent* owner) : TGraphicControl(owner) { SetBounds(0, 0, 50, 50); }

void TBevel::SetShape(TBevelShape value) { SetProperty(shape_, value, TPropertyId::Shape); }

void TBevel::SetStyle(TBevelStyle value) { SetProperty(style_, value, TPropertyId::Style); }

void TBevel::Paint() {
    TCanvas* canvas = Canvas();
    TBevelCut cut = style_ == bsLowered ? bvLowered : bvRaised;
    TRect r = Bounds(0, 0, Width(), Height());
    switch (shape_) {
        case bsBox: DrawBevel(*canvas, r, cut, 1); break;
        case bsFrame:
            DrawBevel(*canvas, r, cut, 1);
            DrawBevel(*canvas, r.Inflate(-1, -1), cut == bvLowered ? bvRaised : bvLowered, 1);
            break;
        case bsTopLine: DrawBevel(*canvas, {0, 0, Width(), 2}, cut, 1); break;
        case bsBottomLine: DrawBevel(*canvas, {0, Height() - 2, Width(), Height()}, cut, 1); break;
        case bsLeftLine: DrawBevel(*canvas, {0, 0, 2, Height()}, cut, 1); break;
        case bsRightLine: DrawBevel(*canvas, {Width() - 2, 0, Width(), Height()}, cut, 1); break;
        case bsSpacer: break;
    }
}

void TPaintBox::Publish(TPublisher<TPaintBox>& p) {
    PublishStandard(p);
    p.Property("OnPaint", &TPaintBox::OnPaint);
}

TPaintBox::TPaintBox(TComponent* owner) : TGraphicControl(owner) { SetBounds(0, 0, 105, 105); }

void TPaintBox::Paint() {
    if (OnPaint) OnPaint(this);
}
