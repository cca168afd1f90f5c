#include "toolkit/ui/widgets/TreeView.h"

#include <algorithm>
#include <functional>

#include "toolkit/rtl/ChangeValue.h"
#include "toolkit/ui/graphics/Canvas.h"
#include "toolkit/ui/graphics/ImgList.h"
#include "toolkit/ui/kernel/ComponentLink.h"
#include "toolkit/ui/kernel/MouseClick.h"

// --- TTreeNode -----------------------------------------------------------------------------------------

void TTreeNode::Publish(TPublisher<TTreeNode>& p) {
    p.Property("Expanded", &TTreeNode::Expanded, &TTreeNode::SetExpanded);
    p.Property("ImageIndex", &TTreeNode::ImageIndex, &TTreeNode::SetImageIndex);
    p.Property("SelectedIndex", &TTreeNode::SelectedIndex, &TTreeNode::SetSelectedIndex);
    p.Property("StateIndex", &TTreeNode::StateIndex, &TTreeNode::SetStateIndex);
    p.Property("Text", &TTreeNode::Text, &TTreeNode::SetText);
}

TTreeNode::TTreeNode(TTreeNodes* owner, TTreeNode* parent) : owner_(owner), parent_(parent) {}

TTreeNode::~TTreeNode() {
    while (!children_.empty()) {
        TTreeNode* child = children_.back();
        delete child;  // takes itself out of children_
    }
    if (owner_) {
        if (TTreeView* view = owner_->view_) view->NodeDeleting(this);
        auto& siblings = owner_->SiblingsOf(parent_);
        auto it = std::find(siblings.begin(), siblings.end(), this);
        if (it != siblings.end()) siblings.erase(it);
        owner_->Changed();
    }
}

TTreeView* TTreeNode::TreeView() const { return owner_ ? owner_->view_ : nullptr; }

void TTreeNode::Changed() {
    if (owner_) owner_->Changed();
}

void TTreeNode::SetText(const std::string& text) {
    if (ChangeValue(text_, text)) Changed();
}

void TTreeNode::SetImageIndex(int value) {
    imageIndex_ = value;
    Changed();
}

void TTreeNode::SetSelectedIndex(int value) {
    selectedIndex_ = value;
    Changed();
}

void TTreeNode::SetStateIndex(int value) {
    stateIndex_ = value;
    Changed();
}

TTreeNode* TTreeNode::Item(int index) const {
    if (index < 0 || index >= Count()) throw EListError("List index out of bounds (" + std::to_string(index) + ")");
    return children_[static_cast<std::size_t>(index)];
}

void TTreeNode::SetHasChildren(bool value) {
    hasChildren_ = value;
    Changed();
}

int TTreeNode::Level() const {
    int level = 0;
    for (TTreeNode* p = parent_; p; p = p->parent_) ++level;
    return level;
}

int TTreeNode::Index() const {
    const auto& siblings = owner_->SiblingsOf(parent_);
    return static_cast<int>(std::find(siblings.begin(), siblings.end(), this) - siblings.begin());
}

int TTreeNode::AbsoluteIndex() const {
    int index = 0;
    for (TTreeNode* n = owner_->GetFirstNode(); n; n = n->GetNext(), ++index)
        if (n == this) return index;
    return -1;
}

TTreeNode* TTreeNode::GetNextSibling() const {
    const auto& siblings = owner_->SiblingsOf(parent_);
    int i = Index();
    return i + 1 < static_cast<int>(siblings.size()) ? siblings[static_cast<std::size_t>(i + 1)] : nullptr;
}

TTreeNode* TTreeNode::GetPrevSibling() const {
    const auto& siblings = owner_->SiblingsOf(parent_);
    int i = Index();
    return i > 0 ? siblings[static_cast<std::size_t>(i - 1)] : nullptr;
}

TTreeNode* TTreeNode::GetNext() const {
    if (!children_.empty()) return children_.front();
    for (const TTreeNode* n = this; n; n = n->parent_)
        if (TTreeNode* next = n->GetNextSibling()) return next;
    return nullptr;
}

TTreeNode* TTreeNode::GetPrev() const {
    TTreeNode* prev = GetPrevSibling();
    if (!prev) return parent_;
    while (!prev->children_.empty()) prev = prev->children_.back();
    return prev;
}

TTreeNode* TTreeNode::GetNextVisible() const {
    if (expanded_ && !children_.empty()) return children_.front();
    for (const TTreeNode* n = this; n; n = n->parent_)
        if (TTreeNode* next = n->GetNextSibling()) return next;
    return nullptr;
}

TTreeNode* TTreeNode::GetPrevVisible() const {
    TTreeNode* prev = GetPrevSibling();
    if (!prev) return parent_;
    while (prev->expanded_ && !prev->children_.empty()) prev = prev->children_.back();
    return prev;
}

bool TTreeNode::IsVisible() const {
    for (TTreeNode* p = parent_; p; p = p->parent_)
        if (!p->expanded_) return false;
    return true;
}

bool TTreeNode::HasAsParent(const TTreeNode* node) const {
    for (TTreeNode* p = parent_; p; p = p->parent_)
        if (p == node) return true;
    return false;
}

void TTreeNode::SetExpanded(bool value) {
    if (value)
        Expand(false);
    else
        Collapse(false);
}

void TTreeNode::Expand(bool recurse) {
    TTreeView* view = TreeView();
    if (!expanded_ && HasChildren() && (!view || view->CanExpand(this))) {
        expanded_ = true;
        if (view) view->NodeExpanded(this);
    }
    if (recurse)
        for (TTreeNode* child : children_) child->Expand(true);
}

void TTreeNode::Collapse(bool recurse) {
    TTreeView* view = TreeView();
    if (recurse)
        for (TTreeNode* child : children_) child->Collapse(true);
    if (expanded_ && (!view || view->CanCollapse(this))) {
        expanded_ = false;
        if (view) view->NodeCollapsed(this);
    }
}

bool TTreeNode::Selected() const { return TreeView() && TreeView()->Selected() == this; }

void TTreeNode::SetSelected(bool value) {
    TTreeView* view = TreeView();
    if (!view) return;
    if (value)
        view->SetSelected(this);
    else if (view->Selected() == this)
        view->SetSelected(nullptr);
}

void TTreeNode::MakeVisible() {
    for (TTreeNode* p = parent_; p; p = p->parent_) p->Expand(false);
}

bool TTreeNode::EditText() {
    TTreeView* view = TreeView();
    return view && view->BeginEdit(this, text_);
}

void TTreeNode::Delete() { delete this; }

void TTreeNode::DeleteChildren() {
    if (owner_) owner_->BeginUpdate();
    while (!children_.empty()) delete children_.back();
    if (owner_) owner_->EndUpdate();
}

void TTreeNode::MoveTo(TTreeNode* newParent) {
    if (newParent == this || (newParent && newParent->HasAsParent(this)))
        throw EInvalidOperation("A node cannot move into itself");
    auto& from = owner_->SiblingsOf(parent_);
    from.erase(std::find(from.begin(), from.end(), this));
    parent_ = newParent;
    owner_->SiblingsOf(newParent).push_back(this);
    Changed();
}

void TTreeNode::Assign(const TPersistent* source) {
    if (auto* other = dynamic_cast<const TTreeNode*>(source)) {
        text_ = other->text_;
        Data = other->Data;
        imageIndex_ = other->imageIndex_;
        selectedIndex_ = other->selectedIndex_;
        stateIndex_ = other->stateIndex_;
        Changed();
        return;
    }
    TPersistent::Assign(source);
}

// --- TTreeNodes ----------------------------------------------------------------------------------------

TTreeNodes::~TTreeNodes() {
    view_ = nullptr;
    batch_.Begin();  // nothing to tell while the nodes go
    while (!roots_.empty()) delete roots_.back();
}

int TTreeNodes::Count() const {
    int count = 0;
    for (TTreeNode* n = GetFirstNode(); n; n = n->GetNext()) ++count;
    return count;
}

TTreeNode* TTreeNodes::Item(int index) const {
    int i = 0;
    if (index >= 0)
        for (TTreeNode* n = GetFirstNode(); n; n = n->GetNext(), ++i)
            if (i == index) return n;
    throw EListError("List index out of bounds (" + std::to_string(index) + ")");
}

TTreeNode* TTreeNodes::InsertNode(TTreeNode* parent, int index, const std::string& text, void* data) {
    auto* node = new TTreeNode(this, parent);
    node->text_ = text;
    node->Data = data;
    auto& siblings = SiblingsOf(parent);
    siblings.insert(siblings.begin() + std::clamp(index, 0, static_cast<int>(siblings.size())), node);
    Changed();
    return node;
}

TTreeNode* TTreeNodes::Add(TTreeNode* sibling, const std::string& text) { return AddObject(sibling, text, nullptr); }

TTreeNode* TTreeNodes::AddObject(TTreeNode* sibling, const std::string& text, void* data) {
    TTreeNode* parent = sibling ? sibling->parent_ : nullptr;
    return InsertNode(parent, static_cast<int>(SiblingsOf(parent).size()), text, data);
}

TTreeNode* TTreeNodes::AddFirst(TTreeNode* sibling, const std::string& text) {
    return InsertNode(sibling ? sibling->parent_ : nullptr, 0, text, nullptr);
}

TTreeNode* TTreeNodes::AddChild(TTreeNode* parent, const std::string& text) { return AddChildObject(parent, text, nullptr); }

TTreeNode* TTreeNodes::AddChildObject(TTreeNode* parent, const std::string& text, void* data) {
    return InsertNode(parent, static_cast<int>(SiblingsOf(parent).size()), text, data);
}

TTreeNode* TTreeNodes::AddChildFirst(TTreeNode* parent, const std::string& text) { return InsertNode(parent, 0, text, nullptr); }

TTreeNode* TTreeNodes::Insert(TTreeNode* sibling, const std::string& text) {
    if (!sibling) return Add(nullptr, text);
    return InsertNode(sibling->parent_, sibling->Index(), text, nullptr);
}

void TTreeNodes::Delete(TTreeNode* node) { delete node; }

void TTreeNodes::Clear() {
    BeginUpdate();
    while (!roots_.empty()) delete roots_.back();
    EndUpdate();
}

void TTreeNodes::Changed() {
    if (batch_.TellNow() && view_) view_->NodesChanged();
}

// --- TTreeView -----------------------------------------------------------------------------------------

void TTreeView::Publish(TPublisher<TTreeView>& p) {
    PublishStandardWin(p);
    p.Property("AutoExpand", &TTreeView::AutoExpand, &TTreeView::SetAutoExpand);
    p.Property("HideSelection", &TTreeView::HideSelection, &TTreeView::SetHideSelection);
    p.Property("Images", &TTreeView::Images, &TTreeView::SetImages);
    p.Property("Indent", &TTreeView::Indent, &TTreeView::SetIndent);
    p.Property("Items", &TTreeView::Items);
    p.Property("ReadOnly", &TTreeView::ReadOnly, &TTreeView::SetReadOnly);
    p.Property("RowSelect", &TTreeView::RowSelect, &TTreeView::SetRowSelect);
    p.Property("ShowButtons", &TTreeView::ShowButtons, &TTreeView::SetShowButtons);
    p.Property("ShowLines", &TTreeView::ShowLines, &TTreeView::SetShowLines);
    p.Property("ShowRoot", &TTreeView::ShowRoot, &TTreeView::SetShowRoot);
    p.Property("OnChange", &TTreeView::OnChange);
    p.Property("OnChanging", &TTreeView::OnChanging);
    p.Property("OnCollapsed", &TTreeView::OnCollapsed);
    p.Property("OnCollapsing", &TTreeView::OnCollapsing);
    p.Property("OnDeletion", &TTreeView::OnDeletion);
    p.Property("OnEdited", &TTreeView::OnEdited);
    p.Property("OnEditing", &TTreeView::OnEditing);
    p.Property("OnExpanded", &TTreeView::OnExpanded);
    p.Property("OnExpanding", &TTreeView::OnExpanding);
}

TTreeView::TTreeView(TComponent* owner) : TCaptionEditingControl(owner), items_(new TTreeNodes(this)) {
    SetTabStop(true);
    SetBounds(0, 0, 121, 97);
}

TTreeView::~TTreeView() { items_->view_ = nullptr; }

void TTreeView::SetSelected(TTreeNode* node) {
    if (node == selected_) return;
    if (node) {
        bool allow = true;
        if (OnChanging) OnChanging(this, node, allow);
        if (!allow) return;
    }
    selected_ = node;
    if (node) node->MakeVisible();
    Changed(TPropertyId::Selected);
    Invalidate();
    if (OnChange) OnChange(this, node);
}

void TTreeView::SetShowLines(bool value) { SetProperty(showLines_, value, TPropertyId::ShowLines); }

void TTreeView::SetShowRoot(bool value) { SetProperty(showRoot_, value, TPropertyId::ShowRoot); }

void TTreeView::SetShowButtons(bool value) { SetProperty(showButtons_, value, TPropertyId::ShowButtons); }

void TTreeView::SetIndent(int value) {
    if (value <= 0) return;
    indent_ = value;
    Invalidate();
}

void TTreeView::SetImages(TImageList* images) { SetComponentLink(*this, images_, images); }

void TTreeView::Notification(TComponent* component, TOperation operation) {
    TWinControl::Notification(component, operation);
    if (operation == opRemove && component == images_) images_ = nullptr;
}

void TTreeView::FullExpand() {
    for (TTreeNode* root : std::vector<TTreeNode*>(items_->roots_)) root->Expand(true);
}

void TTreeView::FullCollapse() {
    for (TTreeNode* root : std::vector<TTreeNode*>(items_->roots_)) root->Collapse(true);
}

std::vector<TTreeNode*> TTreeView::VisibleNodes() const {
    std::vector<TTreeNode*> nodes;
    for (TTreeNode* n = items_->GetFirstNode(); n; n = n->GetNextVisible()) nodes.push_back(n);
    return nodes;
}

int TTreeView::RowHeight() const { return std::max(HeadlessTextExtent(*Font(), "Wg").cy + 2, images_ ? images_->Height() : 0); }

TTreeNode* TTreeView::GetNodeAt(int x, int y) const {
    std::vector<TTreeNode*> nodes = VisibleNodes();
    if (y < 0) return nullptr;
    int index = topIndex_ + y / RowHeight();
    return index < static_cast<int>(nodes.size()) ? nodes[static_cast<std::size_t>(index)] : nullptr;
}

TTreeNode* TTreeView::TopItem() const {
    std::vector<TTreeNode*> nodes = VisibleNodes();
    return topIndex_ < static_cast<int>(nodes.size()) ? nodes[static_cast<std::size_t>(topIndex_)] : nullptr;
}

bool TTreeView::CanExpand(TTreeNode* node) {
    bool allow = true;
    if (OnExpanding) OnExpanding(this, node, allow);
    return allow;
}

bool TTreeView::CanCollapse(TTreeNode* node) {
    bool allow = true;
    if (OnCollapsing) OnCollapsing(this, node, allow);
    return allow;
}

void TTreeView::NodeExpanded(TTreeNode* node) {
    Changed(TPropertyId::Expanded);
    Invalidate();
    if (OnExpanded) OnExpanded(this, node);
}

void TTreeView::NodeCollapsed(TTreeNode* node) {
    if (selected_ && selected_->HasAsParent(node)) SetSelected(node);
    Changed(TPropertyId::Expanded);
    Invalidate();
    if (OnCollapsed) OnCollapsed(this, node);
}

void TTreeView::NodeDeleting(TTreeNode* node) {
    if (OnDeletion && !ComponentState().Contains(csDestroying)) OnDeletion(this, node);
    ForgetEdit(node);
    if (selected_ == node) {
        selected_ = nullptr;
        Changed(TPropertyId::Selected);
    }
}

void TTreeView::NodesChanged() {
    Changed(TPropertyId::Items);
    Invalidate();
}

void TTreeView::KeyDown(WORD& key, TShiftState shift) {
    TWinControl::KeyDown(key, shift);
    if (key == 0) return;
    if (EditKeyDown(key)) return;
    std::vector<TTreeNode*> nodes = VisibleNodes();
    if (nodes.empty()) return;
    TTreeNode* current = selected_;
    switch (key) {
        case VK_UP:
            SetSelected(current ? (current->GetPrevVisible() ? current->GetPrevVisible() : current) : nodes.front());
            break;
        case VK_DOWN:
            SetSelected(current ? (current->GetNextVisible() ? current->GetNextVisible() : current) : nodes.front());
            break;
        case VK_HOME: SetSelected(nodes.front()); break;
        case VK_END: SetSelected(nodes.back()); break;
        case VK_RIGHT:
            if (current && current->HasChildren()) {
                if (!current->Expanded())
                    current->Expand(false);
                else
                    SetSelected(current->GetFirstChild());
            }
            break;
        case VK_LEFT:
            if (current) {
                if (current->Expanded())
                    current->Collapse(false);
                else if (current->Parent())
                    SetSelected(current->Parent());
            }
            break;
        case VK_F2:
            if (current) current->EditText();
            break;
        default: return;
    }
    key = 0;
}

void TTreeView::CharTyped(char32_t ch) { EditCharTyped(ch); }

void TTreeView::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
    FocusOnPress(*this, button);
    if (button == mbLeft) {
        if (TTreeNode* node = GetNodeAt(x, y)) {
            int buttonLeft = (node->Level() + (showRoot_ ? 1 : 0) - 1) * indent_;
            if (node->HasChildren() && x >= buttonLeft && x < buttonLeft + indent_)
                node->SetExpanded(!node->Expanded());
            else
                SetSelected(node);
        }
    }
    TWinControl::MouseDown(button, shift, x, y);
}

void TTreeView::DblClick() {
    TWinControl::DblClick();
    if (selected_ && selected_->HasChildren()) selected_->SetExpanded(!selected_->Expanded());
}

void TTreeView::Paint() {
    TCanvas* canvas = Canvas();
    canvas->FillRect(Bounds(0, 0, Width(), Height()));
    std::vector<TTreeNode*> nodes = VisibleNodes();
    int rowHeight = RowHeight();
    TColor background = Color();
    for (int i = topIndex_; i < static_cast<int>(nodes.size()); ++i) {
        int y = (i - topIndex_) * rowHeight;
        if (y >= Height()) break;
        TTreeNode* node = nodes[static_cast<std::size_t>(i)];
        int left = (node->Level() + (showRoot_ ? 1 : 0)) * indent_;
        if (showButtons_ && node->HasChildren()) {
            canvas->Brush()->SetStyle(bsClear);
            canvas->TextOut(left - indent_ + 4, y, node->Expanded() ? "-" : "+");
        }
        if (images_ && node->ImageIndex() >= 0) {
            images_->Draw(canvas, left, y,
                          node == selected_ && node->SelectedIndex() >= 0 ? node->SelectedIndex() : node->ImageIndex());
            left += images_->Width() + 2;
        }
        bool highlight = node == selected_ && (Focused() || !hideSelection_);
        canvas->Brush()->SetColor(highlight ? clHighlight : background);
        canvas->Font()->SetColor(highlight ? clHighlightText : Font()->Color());
        canvas->TextOut(left + 2, y, ShownCaption(node, node->Text()));
    }
}
