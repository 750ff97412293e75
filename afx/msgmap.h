// Message maps: one static table per window class, each entry binding a window message (or a
// command id of WM_COMMAND) to a member function whose arguments are unpacked from the message.
#pragma once

#include <windows.h>

#include <cstddef>

class CWnd;

struct CPoint : POINT {
  CPoint(int px = 0, int py = 0) : POINT{px, py} {}
};

namespace afx {

using Thunk = LRESULT (*)(CWnd& wnd, WPARAM wParam, LPARAM lParam);

struct MessageEntry {
  UINT message;    // WM_COMMAND for command entries
  UINT commandId;  // the command for WM_COMMAND entries, otherwise 0
  Thunk thunk;
  const UINT* registered = nullptr;  // a message number known only at run time
};

struct MessageMap {
  const MessageMap* base;  // the base class's map, searched after this one
  const MessageEntry* entries;
  size_t count;
};

// The handler shapes, chosen by the member function's signature.
template <class C>
LRESULT Call(C& c, void (C::*f)(), WPARAM, LPARAM) {
  (c.*f)();
  return 0;
}
template <class C>
LRESULT Call(C& c, void (C::*f)(UINT), WPARAM wp, LPARAM) {
  (c.*f)(static_cast<UINT>(wp));
  return 0;
}
template <class C>
LRESULT Call(C& c, void (C::*f)(UINT, LPARAM), WPARAM wp, LPARAM lp) {
  (c.*f)(static_cast<UINT>(wp), lp);
  return 0;
}
template <class C>
LRESULT Call(C& c, void (C::*f)(UINT, CPoint), WPARAM wp, LPARAM lp) {
  (c.*f)(static_cast<UINT>(wp),
         CPoint(static_cast<short>(LOWORD(lp)), static_cast<short>(HIWORD(lp))));
  return 0;
}
template <class C>
LRESULT Call(C& c, LRESULT (C::*f)(CPoint), WPARAM, LPARAM lp) {
  return (c.*f)(CPoint(static_cast<short>(LOWORD(lp)), static_cast<short>(HIWORD(lp))));
}
template <class C>
LRESULT Call(C& c, BOOL (C::*f)(HDC), WPARAM wp, LPARAM) {
  return (c.*f)(reinterpret_cast<HDC>(wp));
}
template <class C>
LRESULT Call(C& c, LRESULT (C::*f)(WPARAM, LPARAM), WPARAM wp, LPARAM lp) {
  return (c.*f)(wp, lp);
}
template <class C>
LRESULT Call(C& c, HCURSOR (C::*f)(), WPARAM, LPARAM) {
  return reinterpret_cast<LRESULT>((c.*f)());
}

template <class T>
struct ClassOf;
template <class C, class R, class... A>
struct ClassOf<R (C::*)(A...)> {
  using type = C;
};

template <auto F>
LRESULT ThunkFor(CWnd& wnd, WPARAM wp, LPARAM lp) {
  using C = typename ClassOf<decltype(F)>::type;
  return Call(static_cast<C&>(wnd), F, wp, lp);
}

template <UINT Message, auto F>
constexpr MessageEntry OnMessage() {
  return {Message, 0, &ThunkFor<F>};
}
template <UINT Id, auto F>
constexpr MessageEntry OnCommand() {
  return {WM_COMMAND, Id, &ThunkFor<F>};
}

// A message registered at run time (RegisterWindowMessage), read from *Number at dispatch.
template <const UINT* Number, auto F>
constexpr MessageEntry OnRegisteredMessage() {
  return {0, 0, &ThunkFor<F>, Number};
}

template <size_t N>
constexpr MessageMap MakeMap(const MessageMap* base, const MessageEntry (&entries)[N]) {
  return {base, entries, N};
}

}  // namespace afx
