// Small helpers for the dialog tests that read list and combo boxes, press
// buttons by window handle and check the one message a step shows.
#pragma once
#include "FakeUi.h"
#include <gtest/gtest.h>
#include <string>
#include <vector>

using Strings = std::vector<std::string>;

// The rows of a list box or a combo box's list, in order.
inline Strings BoxItems(HWND box) {
    char kind[32] = "";
    GetClassNameA(box, kind, sizeof kind);
    const bool combo = lstrcmpiA(kind, "ComboBox") == 0;
    Strings items(SendMessageA(box, combo ? CB_GETCOUNT : LB_GETCOUNT, 0, 0));
    for (size_t i = 0; i < items.size(); ++i) {
        char text[300] = "";
        SendMessageA(box, combo ? CB_GETLBTEXT : LB_GETTEXT, i, reinterpret_cast<LPARAM>(text));
        items[i] = text;
    }
    return items;
}

// A button pressed, as the dialog's own command.
inline void PressIn(HWND dialog, int id) { SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), 0); }

// Exactly one message was shown, with this text and caption.
inline void ExpectOneMessage(const FakeUi& ui, const std::string& text, const std::string& caption) {
    ASSERT_EQ(ui.Messages().size(), 1u);
    EXPECT_EQ(ui.Messages()[0].text, text);
    EXPECT_EQ(ui.Messages()[0].caption, caption);
}
