// List view helpers: one message each.
#include "win/ListView.h"
#include <vector>

namespace win {

int ListView::InsertColumn(int index, const char* heading, int width) {
    LVCOLUMNA col{};
    col.mask = LVCF_FMT | LVCF_TEXT | LVCF_WIDTH | LVCF_SUBITEM;
    col.fmt = LVCFMT_LEFT;
    col.cx = width;
    col.pszText = const_cast<char*>(heading);
    col.iSubItem = index;
    return static_cast<int>(SendMessageA(_hwnd, LVM_INSERTCOLUMNA, index, reinterpret_cast<LPARAM>(&col)));
}

int ListView::InsertRow(int index, const std::string& text) {
    LVITEMA item{};
    item.mask = LVIF_TEXT;
    item.iItem = index;
    item.pszText = const_cast<char*>(text.c_str());
    return static_cast<int>(SendMessageA(_hwnd, LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&item)));
}

int ListView::InsertRow(int index, const std::string& text, int image) {
    LVITEMA item{};
    item.mask = LVIF_TEXT | LVIF_IMAGE;
    item.iItem = index;
    item.pszText = const_cast<char*>(text.c_str());
    item.iImage = image;
    return static_cast<int>(SendMessageA(_hwnd, LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&item)));
}

void ListView::SetTextCallback(int row, int column) {
    LVITEMA item{};
    item.iSubItem = column;
    item.pszText = LPSTR_TEXTCALLBACKA;
    SendMessageA(_hwnd, LVM_SETITEMTEXTA, row, reinterpret_cast<LPARAM>(&item));
}

void ListView::SetText(int row, int column, const std::string& text) {
    LVITEMA item{};
    item.iSubItem = column;
    item.pszText = const_cast<char*>(text.c_str());
    SendMessageA(_hwnd, LVM_SETITEMTEXTA, row, reinterpret_cast<LPARAM>(&item));
}

std::string ListView::Text(int row, int column, size_t maxChars) const {
    std::vector<char> buf(maxChars + 1, '\0');
    LVITEMA item{};
    item.iSubItem = column;
    item.pszText = buf.data();
    item.cchTextMax = static_cast<int>(buf.size());
    SendMessageA(_hwnd, LVM_GETITEMTEXTA, row, reinterpret_cast<LPARAM>(&item));
    return buf.data();
}

void ListView::SetImage(int row, int image) {
    LVITEMA item{};
    item.mask = LVIF_IMAGE;
    item.iItem = row;
    item.iImage = image;
    SendMessageA(_hwnd, LVM_SETITEMA, 0, reinterpret_cast<LPARAM>(&item));
}

int ListView::Image(int row) const {
    LVITEMA item{};
    item.mask = LVIF_IMAGE;
    item.iItem = row;
    if (!SendMessageA(_hwnd, LVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&item))) return -1;
    return item.iImage;
}

int ListView::CountImage(int image) const {
    int n = 0;
    for (int row = 0, rows = Count(); row < rows; ++row)
        if (Image(row) == image) ++n;
    return n;
}

// Only the rows that are selected or focused are cleared: clearing every row's
// state takes a pass over all of them, long in a list of thousands.
void ListView::ClearSelection() {
    for (int selected = Selected(); selected != -1; selected = ListView_GetNextItem(_hwnd, selected, LVNI_SELECTED))
        ListView_SetItemState(_hwnd, selected, 0, LVIS_SELECTED);
    const int focused = ListView_GetNextItem(_hwnd, -1, LVNI_FOCUSED);
    if (focused != -1) ListView_SetItemState(_hwnd, focused, 0, LVIS_FOCUSED);
}

void ListView::Select(int row) {
    ClearSelection();
    ListView_SetItemState(_hwnd, row, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
}

int ListView::Find(const std::string& text) const {
    LVFINDINFOA find{};
    find.flags = LVFI_STRING;
    find.psz = text.c_str();
    return static_cast<int>(
        SendMessageA(_hwnd, LVM_FINDITEMA, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(&find)));
}

}  // namespace win
