// Thin wrapper of a report-style list view. Holds the window, owns nothing.
#pragma once
#include <windows.h>
#include <commctrl.h>
#include <string>

namespace win {

constexpr int kImageCallback = I_IMAGECALLBACK;

class ListView {
public:
    ListView() = default;
    explicit ListView(HWND hwnd) : _hwnd(hwnd) {}
    void Attach(HWND hwnd) { _hwnd = hwnd; }
    HWND Handle() const { return _hwnd; }

    int InsertColumn(int index, const char* heading, int width);
    int ColumnWidth(int index) const { return ListView_GetColumnWidth(_hwnd, index); }
    int Count() const { return ListView_GetItemCount(_hwnd); }
    bool DeleteAll() { return ListView_DeleteAllItems(_hwnd) != FALSE; }
    // Inserts a row with the first column's text; returns its index or -1.
    int InsertRow(int index, const std::string& text);
    // The same with its image (kImageCallback: the list asks its parent).
    int InsertRow(int index, const std::string& text, int image);
    // A column whose text the list asks its parent for (LVN_GETDISPINFO).
    void SetTextCallback(int row, int column);
    // Room for |rows| rows at once, before a fill.
    void Reserve(int rows) { ListView_SetItemCount(_hwnd, rows); }
    void SetText(int row, int column, const std::string& text);
    std::string Text(int row, int column, size_t maxChars = 259) const;
    void SetImage(int row, int image);
    int Image(int row) const;
    // How many rows show |image|.
    int CountImage(int image) const;
    // First row in the selected state, -1 when none.
    int Selected() const { return ListView_GetNextItem(_hwnd, -1, LVNI_SELECTED); }
    void Select(int row);  // selects and focuses that row only
    // No row selected or focused (a pass over the selected and focused rows only).
    void ClearSelection();
    bool DeleteRow(int row) { return ListView_DeleteItem(_hwnd, row) != FALSE; }
    // Whole-text search of the first column, ignoring case; -1 when not found.
    int Find(const std::string& text) const;
    void EnsureVisible(int row) { ListView_EnsureVisible(_hwnd, row, FALSE); }
    void RedrawRow(int row) { ListView_RedrawItems(_hwnd, row, row); }

private:
    HWND _hwnd = nullptr;
};

}  // namespace win
