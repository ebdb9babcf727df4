// Menus from tables of items: an item with identifier 0 is a separator.
#pragma once

#include <windows.h>

#include <initializer_list>

struct MenuItem {
    UINT id;
    const char* text;
};

inline HMENU MakePopup(std::initializer_list<MenuItem> items) {
    HMENU popup = CreatePopupMenu();
    for (const MenuItem& item : items) {
        AppendMenuA(popup, item.id ? MF_STRING : MF_SEPARATOR, item.id, item.text);
    }
    return popup;
}

inline void AppendPopup(HMENU bar, HMENU popup, const char* text) {
    AppendMenuA(bar, MF_POPUP, reinterpret_cast<UINT_PTR>(popup), text);
}
