// A walk of an accessible tree as a screen reader makes it, through oleacc:
// every part's path, role, name, value, state and place, one line each.
#pragma once

#include <windows.h>
#include <oleacc.h>

#include <cstdio>
#include <string>
#include <vector>

namespace testing_host {

// The identifier itself: the import library's symbol of that name is a thunk.
const IID kIAccessible = __uuidof(IAccessible);

inline std::string Utf8(BSTR text) {
    char out[1024] = "";
    WideCharToMultiByte(CP_UTF8, 0, text ? text : L"", -1, out, sizeof out, nullptr, nullptr);
    return SysFreeString(text), out;
}
inline VARIANT Child(long id) {
    VARIANT v;
    return v.vt = VT_I4, v.lVal = id, v;
}

struct AccPart {
    std::string path, name, value;
    long role = 0, state = 0;
    RECT box{};
    std::string Line() const {
        char rest[80];
        snprintf(rest, sizeof rest, "|%ld|%ld|%ld,%ld,%ld,%ld", role, state, box.left, box.top, box.right, box.bottom);
        return path + "|" + name + "|" + value + rest;
    }
};

inline AccPart Describe(IAccessible* acc, long id, const std::string& parent) {
    AccPart p;
    BSTR name = nullptr, value = nullptr;
    VARIANT role{}, state{};
    long x = 0, y = 0, w = 0, h = 0;
    acc->get_accName(Child(id), &name), acc->get_accValue(Child(id), &value), acc->get_accRole(Child(id), &role);
    acc->get_accState(Child(id), &state), acc->accLocation(&x, &y, &w, &h, Child(id));
    p.name = Utf8(name), p.value = Utf8(value), p.role = role.lVal, p.state = state.lVal, p.box = RECT{x, y, x + w, y + h};
    p.path = parent + "/" + (id == CHILDID_SELF ? p.name : std::to_string(id));
    return p;
}

// Objects are walked into; plain children are read through their parent.
inline void Walk(IAccessible* acc, const std::string& parent, std::vector<AccPart>* parts) {
    parts->push_back(Describe(acc, CHILDID_SELF, parent));
    const std::string path = parts->back().path;
    long count = 0, got = 0;
    acc->get_accChildCount(&count);
    std::vector<VARIANT> children(static_cast<size_t>(count) + 1);
    AccessibleChildren(acc, 0, count, children.data(), &got);
    for (long i = 0; i < got; ++i) {
        IAccessible* child = nullptr;
        if (children[i].vt == VT_I4) parts->push_back(Describe(acc, children[i].lVal, path));
        if (children[i].vt != VT_DISPATCH) continue;
        if (SUCCEEDED(children[i].pdispVal->QueryInterface(kIAccessible, reinterpret_cast<void**>(&child))))
            Walk(child, path, parts), child->Release();
        children[i].pdispVal->Release();
    }
}

// The window's tree as a reader arriving at it reads it.
inline std::vector<AccPart> WalkWindow(HWND window) {
    std::vector<AccPart> parts;
    IAccessible* table = nullptr;
    if (SUCCEEDED(AccessibleObjectFromWindow(window, OBJID_CLIENT, kIAccessible, reinterpret_cast<void**>(&table))))
        Walk(table, "", &parts), table->Release();
    return parts;
}

}  // namespace testing_host
