#include "toolkit/ui/widgets/HintWindow.h"

#include <algorithm>

#include "toolkit/ui/graphics/Canvas.h"
#include "toolkit/ui/graphics/Colors.h"

THintWindow::THintWindow(TComponent* owner) : TWinControl(owner) {
    SetVisible(false);
    SetTabStop(false);
    SetColor(clInfoBk);
    Font()->SetColor(clInfoText);
}

TRect THintWindow::CalcHintRect(int maxWidth, const std::string& hint) {
    TCanvas* canvas = Canvas();
    int width = 0, height = 0;
    std::size_t start = 0;
    // One line per line break; a line wider than maxWidth is shown at maxWidth.
    while (start <= hint.size()) {
        std::size_t end = hint.find('\n', start);
        std::string line = hint.substr(start, end == std::string::npos ? std::string::npos : end - start);
        if (!line.empty() && line.back() == '\r') line.pop_back();
        TSize size = canvas->TextExtent(line.empty() ? std::string(" ") : line);
        width = std::max(width, std::min(size.cx, maxWidth));
        height += size.cy;
        if (end == std::string::npos) break;
        start = end + 1;
    }
    return TRect{0, 0, width + 2 * (kMargin + 2), height + 2 * kMargin + 2};
}

void THintWindow::ActivateHint(const TRect& rect, const std::string& hint) {
    SetCaption(hint);
    SetBounds(rect.Left, rect.Top, rect.Right - rect.Left, rect.Bottom - rect.Top);
    SetVisible(true);
    CreatePeer();
    Invalidate();
}

void THintWindow::ReleaseHandle() { SetVisible(false); }

void THintWindow::Paint() {
    TCanvas* canvas = Canvas();
    canvas->Brush()->SetColor(Color());
    canvas->Pen()->SetColor(clInfoText);
    canvas->Rectangle(0, 0, Width(), Height());
    canvas->Brush()->SetStyle(bsClear);
    const std::string& text = Caption();
    int y = kMargin;
    std::size_t start = 0;
    while (start <= text.size()) {
        std::size_t end = text.find('\n', start);
        std::string line = text.substr(start, end == std::string::npos ? std::string::npos : end - start);
        if (!line.empty() && line.back() == '\r') line.pop_back();
        canvas->TextOut(kMargin + 2, y, line);
        y += canvas->TextHeight(line.empty() ? std::string(" ") : line);
        if (end == std::string::npos) break;
        start = end + 1;
    }
}
