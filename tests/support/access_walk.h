// A walk of an accessible tree as a screen reader makes it, through oleacc:
// every part's path, role, name, value, state and place, one line each.
#pragma once

#include <windows.h>
#include <oleacc.h>

#include <string>
#include <vector>

namespace testing_host {

// The identifier itself: the import library's symbol of the same name is a
// thunk, not the identifier.
const IID kIAccessible = __uuidof(IAccessible);

inline std::string Utf8(BSTR text) {
    std::string out(text ? WideCharToMultiByte(CP_UTF8, 0, text, -1, nullptr, 0, nullptr, nullptr) : 1, '\0');
    if (text) WideCharToMultiByte(CP_UTF8, 0, text, -1, &out[0], static_cast<int>(out.size()), nullptr, nullptr);
    SysFreeString(text);
    out.pop_back();
    return out;
}

inline VARIANT Child(long id) {
    VARIANT v;
    v.vt = VT_I4, v.lVal = id;
    return v;
}

struct AccPart {
    std::string path, name, value;
    long role = 0, state = 0;
    RECT box{};
    std::string Line() const {
        return path + "|" + std::to_string(role) + "|" + name + "|" + value + "|" + std::to_string(state) + "|" +
               std::to_string(box.left) + "," + std::to_string(box.top) + "," + std::to_string(box.right) + "," +
               std::to_string(box.bottom);
    }
};

inline AccPart Describe(IAccessible* acc, long id, const std::string& parent) {
    AccPart part;
    BSTR text = nullptr;
    VARIANT v;
    acc->get_accName(Child(id), &text), part.name = Utf8(text), text = nullptr;
    acc->get_accValue(Child(id), &text), part.value = Utf8(text);
    if (acc->get_accRole(Child(id), &v) == S_OK) part.role = v.lVal;
    if (acc->get_accState(Child(id), &v) == S_OK) part.state = v.lVal;
    long x = 0, y = 0, w = 0, h = 0;
    acc->accLocation(&x, &y, &w, &h, Child(id));
    part.box = RECT{x, y, x + w, y + h};
    part.path = parent + "/" + (id == CHILDID_SELF ? part.name : std::to_string(id));
    return part;
}

// Objects are walked into; plain children are read through their parent.
inline void Walk(IAccessible* acc, const std::string& parent, std::vector<AccPart>* parts) {
    parts->push_back(Describe(acc, CHILDID_SELF, parent));
    const std::string path = parts->back().path;
    long count = 0, got = 0;
    acc->get_accChildCount(&count);
    std::vector<VARIANT> children(static_cast<size_t>(count));
    if (count) AccessibleChildren(acc, 0, count, children.data(), &got);
    for (long i = 0; i < got; ++i) {
        IAccessible* child = nullptr;
        if (children[i].vt != VT_DISPATCH) {
            parts->push_back(Describe(acc, children[i].lVal, path));
        } else if (SUCCEEDED(children[i].pdispVal->QueryInterface(kIAccessible, reinterpret_cast<void**>(&child)))) {
            Walk(child, path, parts);
            child->Release();
        }
        if (children[i].vt == VT_DISPATCH) children[i].pdispVal->Release();
    }
}

// The grid window's tree, empty when the window gave none.
inline std::vector<AccPart> WalkWindow(HWND window) {
    std::vector<AccPart> parts;
    IAccessible* table = nullptr;
    if (FAILED(AccessibleObjectFromWindow(window, OBJID_CLIENT, kIAccessible, reinterpret_cast<void**>(&table))))
        return parts;
    Walk(table, "", &parts);
    table->Release();
    return parts;
}

}  // namespace testing_host
