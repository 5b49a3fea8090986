// Thin wrapper of a tree view. Holds the window, owns nothing; each method is
// one message.
#pragma once
#include <windows.h>
#include <commctrl.h>
#include <string>
#include <vector>

namespace win {

class TreeView {
public:
    explicit TreeView(HWND hwnd = nullptr) : _hwnd(hwnd) {}
    void Attach(HWND hwnd) { _hwnd = hwnd; }
    HWND Handle() const { return _hwnd; }

    // Adds an item under |parent| (TVI_ROOT: at the top level), after |after|
    // (TVI_LAST: as its last one). |text| may be LPSTR_TEXTCALLBACKA: the tree
    // then asks its owner (TVN_GETDISPINFOA). Null when it was not added.
    HTREEITEM Add(HTREEITEM parent, const char* text, int image, LPARAM param, HTREEITEM after = TVI_LAST) {
        TVINSERTSTRUCTA insert{};
        insert.hParent = parent;
        insert.hInsertAfter = after;
        insert.item.mask = TVIF_TEXT | TVIF_IMAGE | TVIF_SELECTEDIMAGE | TVIF_PARAM;
        insert.item.pszText = const_cast<char*>(text);
        insert.item.iImage = insert.item.iSelectedImage = image;
        insert.item.lParam = param;
        return reinterpret_cast<HTREEITEM>(SendMessageA(_hwnd, TVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&insert)));
    }
    void SetImageList(HIMAGELIST images) {
        SendMessageA(_hwnd, TVM_SETIMAGELIST, TVSIL_NORMAL, reinterpret_cast<LPARAM>(images));
    }
    // Deletes the item with the items under it.
    void Delete(HTREEITEM item) { SendMessageA(_hwnd, TVM_DELETEITEM, 0, reinterpret_cast<LPARAM>(item)); }
    void Expand(HTREEITEM item) { SendMessageA(_hwnd, TVM_EXPAND, TVE_EXPAND, reinterpret_cast<LPARAM>(item)); }
    // The first top-level item; null when the tree is empty.
    HTREEITEM Root() const { return Next(TVGN_ROOT); }
    // The selected item; null when none.
    HTREEITEM Selected() const { return Next(TVGN_CARET); }
    void Select(HTREEITEM item) { SendMessageA(_hwnd, TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(item)); }
    // Scrolls so that |item| is the first one shown.
    void ScrollToTop(HTREEITEM item) {
        SendMessageA(_hwnd, TVM_SELECTITEM, TVGN_FIRSTVISIBLE, reinterpret_cast<LPARAM>(item));
    }
    // The item's text, at most |maxChars| characters; empty without an item.
    std::string Text(HTREEITEM item, size_t maxChars = 1023) const {
        std::vector<char> text(maxChars + 1, '\0');
        TVITEMA query{};
        query.mask = TVIF_TEXT;
        query.hItem = item;
        query.pszText = text.data();
        query.cchTextMax = static_cast<int>(text.size());
        if (!item || !Get(query)) return {};
        text.back() = '\0';  // Wine's tree fills a short buffer without ending the text
        return text.data();
    }
    // The item's value; false (and |param| unchanged) without an item.
    bool Param(HTREEITEM item, LPARAM& param) const {
        TVITEMA query{};
        query.mask = TVIF_PARAM;
        query.hItem = item;
        if (!item || !Get(query)) return false;
        param = query.lParam;
        return true;
    }

private:
    HTREEITEM Next(WPARAM relation) const {
        return reinterpret_cast<HTREEITEM>(SendMessageA(_hwnd, TVM_GETNEXTITEM, relation, 0));
    }
    bool Get(TVITEMA& query) const {
        return SendMessageA(_hwnd, TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&query)) != FALSE;
    }
    HWND _hwnd;
};

}  // namespace win
