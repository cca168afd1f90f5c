#pragma once
// Tree views: nodes with a text, a data pointer and images, shown with their children when
// expanded. Up and Down move among the visible nodes, Right expands (or goes to the first child),
// Left collapses (or goes to the parent); OnChanging may refuse a new selection, OnExpanding and
// OnCollapsing a change of a node. Items address nodes by absolute index (pre-order).
#include <functional>
#include <string>
#include <vector>

#include "toolkit/ui/kernel/Controls.h"
#include "toolkit/ui/kernel/UpdateBatch.h"
#include "toolkit/ui/widgets/CaptionEditingControl.h"

class TTreeView;
class TTreeNodes;
class TImageList;

class TTreeNode : public TPersistent {
    TK_CLASS_PUBLISHED(TTreeNode, TPersistent)
public:
    TTreeNode(TTreeNodes* owner, TTreeNode* parent);
    ~TTreeNode() override;

    TTreeNodes* Owner() const { return owner_; }
    TTreeView* TreeView() const;
    const std::string& Text() const { return text_; }
    void SetText(const std::string& text);
    void* Data = nullptr;
    int ImageIndex() const { return imageIndex_; }
    void SetImageIndex(int value);
    int SelectedIndex() const { return selectedIndex_; }
    void SetSelectedIndex(int value);
    int StateIndex() const { return stateIndex_; }
    void SetStateIndex(int value);

    TTreeNode* Parent() const { return parent_; }
    int Count() const { return static_cast<int>(children_.size()); }
    TTreeNode* Item(int index) const;  // EListError when out of range
    bool HasChildren() const { return !children_.empty() || hasChildren_; }
    void SetHasChildren(bool value);
    int Level() const;
    int Index() const;          // among its siblings
    int AbsoluteIndex() const;  // in pre-order over the whole tree
    TTreeNode* GetFirstChild() const { return children_.empty() ? nullptr : children_.front(); }
    TTreeNode* GetLastChild() const { return children_.empty() ? nullptr : children_.back(); }
    TTreeNode* GetNextSibling() const;
    TTreeNode* GetPrevSibling() const;
    TTreeNode* GetNext() const;  // pre-order
    TTreeNode* GetPrev() const;
    TTreeNode* GetNextVisible() const;
    TTreeNode* GetPrevVisible() const;
    // All parents expanded.
    bool IsVisible() const;
    bool HasAsParent(const TTreeNode* node) const;

    bool Expanded() const { return expanded_; }
    void SetExpanded(bool value);
    void Expand(bool recurse);
    void Collapse(bool recurse);
    bool Selected() const;
    void SetSelected(bool value);
    bool Focused() const { return Selected(); }
    void MakeVisible();
    // Starts editing the text (false when read-only or refused).
    bool EditText();
    void Delete();
    void DeleteChildren();
    // Moves the node under a new parent (nullptr: a root node), as its last child.
    void MoveTo(TTreeNode* newParent);
    void Assign(const TPersistent* source) override;

private:
    friend class TTreeNodes;
    friend class TTreeView;
    void Changed();

    TTreeNodes* owner_;
    TTreeNode* parent_;
    std::vector<TTreeNode*> children_;
    std::string text_;
    int imageIndex_ = -1;
    int selectedIndex_ = -1;
    int stateIndex_ = -1;
    bool expanded_ = false;
    bool hasChildren_ = false;
};

class TTreeNodes : public TPersistent, public IIndexedItems {
    TK_CLASS(TTreeNodes, TPersistent)
public:
    explicit TTreeNodes(TTreeView* owner) : view_(owner) {}
    ~TTreeNodes() override;

    TTreeView* Owner() const { return view_; }
    // Every node of the tree.
    int Count() const;
    // The node at an absolute index (EListError when out of range).
    TTreeNode* Item(int index) const;
    TTreeNode* operator[](int index) const { return Item(index); }
    TTreeNode* GetFirstNode() const { return roots_.empty() ? nullptr : roots_.front(); }
    int RootCount() const { return static_cast<int>(roots_.size()); }

    // A node after the last sibling of sibling (nullptr: a root node).
    TTreeNode* Add(TTreeNode* sibling, const std::string& text);
    TTreeNode* AddObject(TTreeNode* sibling, const std::string& text, void* data);
    TTreeNode* AddFirst(TTreeNode* sibling, const std::string& text);
    TTreeNode* AddChild(TTreeNode* parent, const std::string& text);
    TTreeNode* AddChildObject(TTreeNode* parent, const std::string& text, void* data);
    TTreeNode* AddChildFirst(TTreeNode* parent, const std::string& text);
    // A node before sibling.
    TTreeNode* Insert(TTreeNode* sibling, const std::string& text);
    void Delete(TTreeNode* node);
    void Clear();
    void BeginUpdate() { batch_.Begin(); }
    void EndUpdate() {
        if (batch_.End()) Changed();
    }

    int IndexedItemCount() const override { return Count(); }
    TObject* IndexedItem(int index) const override { return Item(index); }

private:
    friend class TTreeNode;
    friend class TTreeView;
    TTreeNode* InsertNode(TTreeNode* parent, int index, const std::string& text, void* data);
    std::vector<TTreeNode*>& SiblingsOf(TTreeNode* parent) { return parent ? parent->children_ : roots_; }
    void Changed();

    TTreeView* view_;
    std::vector<TTreeNode*> roots_;
    TUpdateBatch batch_;
};

using TTVChangedEvent = std::function<void(TObject* Sender, TTreeNode* Node)>;
using TTVChangingEvent = std::function<void(TObject* Sender, TTreeNode* Node, bool& AllowChange)>;
using TTVExpandingEvent = std::function<void(TObject* Sender, TTreeNode* Node, bool& AllowExpansion)>;
using TTVCollapsingEvent = std::function<void(TObject* Sender, TTreeNode* Node, bool& AllowCollapse)>;
using TTVExpandedEvent = std::function<void(TObject* Sender, TTreeNode* Node)>;
using TTVEditingEvent = TCaptionEditingControl<TTreeNode>::TEditingEvent;
using TTVEditedEvent = TCaptionEditingControl<TTreeNode>::TEditedEvent;

class TTreeView : public TCaptionEditingControl<TTreeNode> {
    TK_CLASS_PUBLISHED(TTreeView, TWinControl)
public:
    explicit TTreeView(TComponent* owner);
    ~TTreeView() override;

    TTreeNodes* Items() const { return items_.get(); }
    TTreeNode* Selected() const { return selected_; }
    // Selects a node by code (OnChanging may still refuse); nullptr clears the selection.
    void SetSelected(TTreeNode* node);
    bool ShowLines() const { return showLines_; }
    void SetShowLines(bool value);
    bool ShowRoot() const { return showRoot_; }
    void SetShowRoot(bool value);
    bool ShowButtons() const { return showButtons_; }
    void SetShowButtons(bool value);
    bool HideSelection() const { return hideSelection_; }
    void SetHideSelection(bool value) { hideSelection_ = value; }
    bool AutoExpand() const { return autoExpand_; }
    void SetAutoExpand(bool value) { autoExpand_ = value; }
    bool RowSelect() const { return rowSelect_; }
    void SetRowSelect(bool value) { rowSelect_ = value; }
    int Indent() const { return indent_; }
    void SetIndent(int value);
    TImageList* Images() const { return images_; }
    void SetImages(TImageList* images);

    void FullExpand();
    void FullCollapse();
    // Visible nodes in display order, and the one at a point (nullptr when none).
    std::vector<TTreeNode*> VisibleNodes() const;
    TTreeNode* GetNodeAt(int x, int y) const;
    TTreeNode* TopItem() const;

    // The node whose text is being edited (IsEditing, EditText, EndEdit come with the base).
    TTreeNode* EditingNode() const { return editing_; }

    TTVChangedEvent OnChange;
    TTVChangingEvent OnChanging;
    TTVExpandingEvent OnExpanding;
    TTVExpandedEvent OnExpanded;
    TTVCollapsingEvent OnCollapsing;
    TTVExpandedEvent OnCollapsed;
    TTVExpandedEvent OnDeletion;

    void CharTyped(char32_t ch) override;
    void Notification(TComponent* component, TOperation operation) override;

protected:
    void KeyDown(WORD& key, TShiftState shift) override;
    void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
    void DblClick() override;
    void Paint() override;
    void StoreEditedText(TTreeNode* node, const std::string& text) override { node->SetText(text); }
    int RowHeight() const;

private:
    friend class TTreeNode;
    friend class TTreeNodes;
    bool CanExpand(TTreeNode* node);
    bool CanCollapse(TTreeNode* node);
    void NodeExpanded(TTreeNode* node);
    void NodeCollapsed(TTreeNode* node);
    void NodeDeleting(TTreeNode* node);
    void NodesChanged();

    TOwnedPtr<TTreeNodes> items_;
    TTreeNode* selected_ = nullptr;
    bool showLines_ = true;
    bool showRoot_ = true;
    bool showButtons_ = true;
    bool hideSelection_ = true;
    bool autoExpand_ = false;
    bool rowSelect_ = false;
    int indent_ = 19;
    TImageList* images_ = nullptr;
    int topIndex_ = 0;
};
