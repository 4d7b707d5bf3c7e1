#pragma once
// Every window of the program finds its object in the window's user data, stored from the
// creation parameter when WM_CREATE arrives.
#include <windows.h>

// The object of the window; null for WM_CREATE itself and for messages before it, which go to
// default processing.
template <typename Owner>
Owner* windowObject(HWND window, UINT message, LPARAM lParam) {
    if (message == WM_CREATE) {
        auto* created = static_cast<Owner*>(reinterpret_cast<CREATESTRUCTA*>(lParam)->lpCreateParams);
        created->hwnd = window;
        SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(created));
        return nullptr;
    }
    return reinterpret_cast<Owner*>(GetWindowLongPtrA(window, GWLP_USERDATA));
}

// Leaves the window without its object, whose deletion may come before the window's: after Exit the
// windows live on, and late messages must not reach a deleted object.
inline void detachWindowObject(HWND window, const void* object) {
    if (IsWindow(window) && GetWindowLongPtrA(window, GWLP_USERDATA) == reinterpret_cast<LONG_PTR>(object)) {
        SetWindowLongPtrA(window, GWLP_USERDATA, 0);
    }
}
