#include "platform/x11/x11_windows.h"

#include "platform/window_choice.h"
#include "platform/x11/x11_session.h"

#include <X11/Xatom.h>
#include <X11/Xutil.h>
#include <unistd.h>

#include <algorithm>
#include <memory>

namespace x11 {
namespace {

struct XFreeDeleter {
  void operator()(void* p) const {
    if (p) XFree(p);
  }
};
using XData = std::unique_ptr<unsigned char, XFreeDeleter>;

// A property read in full; empty when absent or of another type.
struct Property {
  XData data;
  unsigned long count = 0;
  int format = 0;
};

Property readProperty(Display* dpy, Window w, Atom property, Atom type) {
  Property p;
  Atom actualType = None;
  unsigned long after = 0;
  unsigned char* raw = nullptr;
  ErrorTrap trap(dpy);
  const int rc = XGetWindowProperty(dpy, w, property, 0, 1L << 20, False, type, &actualType, &p.format, &p.count,
                                    &after, &raw);
  p.data.reset(raw);
  if (rc != Success || trap.failed() || actualType == None || (type != AnyPropertyType && actualType != type)) {
    p.data.reset();
    p.count = 0;
  }
  return p;
}

}  // namespace

Windows::Windows(Display* dpy) : dpy_(dpy), root_(DefaultRootWindow(dpy)) {}

bool Windows::haveWindowManager() const {
  const Atom checkAtom = atom(dpy_, "_NET_SUPPORTING_WM_CHECK");
  Property list = readProperty(dpy_, root_, atom(dpy_, "_NET_CLIENT_LIST"), XA_WINDOW);
  Property check = readProperty(dpy_, root_, checkAtom, XA_WINDOW);
  if (!list.data || !check.data || check.count < 1 || check.format != 32) return false;
  const Window child = Window(reinterpret_cast<const unsigned long*>(check.data.get())[0]);
  // A stale id names no window (the property read fails) or, reused,
  // a window without the property.
  Property self = readProperty(dpy_, child, checkAtom, XA_WINDOW);
  return self.data && self.count > 0 && self.format == 32 &&
         Window(reinterpret_cast<const unsigned long*>(self.data.get())[0]) == child;
}

std::vector<std::string> Windows::classes(Window w) const {
  XClassHint hint{};
  ErrorTrap trap(dpy_);
  std::vector<std::string> out;
  if (XGetClassHint(dpy_, w, &hint)) {
    if (hint.res_name) out.push_back(hint.res_name);
    if (hint.res_class) out.push_back(hint.res_class);
  }
  if (hint.res_name) XFree(hint.res_name);
  if (hint.res_class) XFree(hint.res_class);
  return out;
}

std::string Windows::title(Window w) const {
  Property net = readProperty(dpy_, w, atom(dpy_, "_NET_WM_NAME"), atom(dpy_, "UTF8_STRING"));
  if (net.data && net.format == 8) return std::string(reinterpret_cast<char*>(net.data.get()), net.count);
  XTextProperty text{};
  ErrorTrap trap(dpy_);
  std::string out;
  if (XGetWMName(dpy_, w, &text) && text.value) {
    char** list = nullptr;
    int n = 0;
    if (Xutf8TextPropertyToTextList(dpy_, &text, &list, &n) >= Success && n > 0 && list) out = list[0];
    if (list) XFreeStringList(list);
    XFree(text.value);
  }
  trap.failed();
  return out;
}

bool Windows::hasProperty(Window w, Atom property) const {
  return readProperty(dpy_, w, property, AnyPropertyType).data != nullptr;
}

long Windows::pid(Window w) const {
  Property p = readProperty(dpy_, w, atom(dpy_, "_NET_WM_PID"), XA_CARDINAL);
  if (!p.data || p.count < 1 || p.format != 32) return 0;
  return reinterpret_cast<long*>(p.data.get())[0];
}

void Windows::walk(Window w, int depth, std::vector<ClientWindow>& out) const {
  Window rootReturn = 0, parent = 0;
  Window* children = nullptr;
  unsigned int n = 0;
  ErrorTrap trap(dpy_);
  if (!XQueryTree(dpy_, w, &rootReturn, &parent, &children, &n)) return;
  std::unique_ptr<Window, XFreeDeleter> hold(children);
  const Atom wmState = atom(dpy_, "WM_STATE");
  for (unsigned int i = 0; i < n; ++i) {
    XWindowAttributes a{};
    if (!XGetWindowAttributes(dpy_, children[i], &a) || a.map_state != IsViewable || a.override_redirect) continue;
    if (hasProperty(children[i], wmState)) {
      out.push_back({children[i], title(children[i])});
      continue;
    }
    std::string t = depth == 0 ? title(children[i]) : std::string();
    if (!t.empty()) {
      out.push_back({children[i], t});
    } else if (depth < 3) {
      walk(children[i], depth + 1, out);  // a frame: its client is inside
    }
  }
  trap.failed();
}

std::vector<ClientWindow> Windows::clients() const {
  std::vector<ClientWindow> out;
  Property list;
  if (haveWindowManager()) list = readProperty(dpy_, root_, atom(dpy_, "_NET_CLIENT_LIST"), XA_WINDOW);
  if (list.data && list.format == 32) {
    const auto* ids = reinterpret_cast<const unsigned long*>(list.data.get());  // format 32 is long-sized
    for (unsigned long i = 0; i < list.count; ++i) out.push_back({Window(ids[i]), title(Window(ids[i]))});
    return out;
  }
  walk(root_, 0, out);
  return out;
}

bool Windows::isOurs(Window w, Window own) const {
  if (w == 0) return false;
  if (w == own) return true;
  return pid(w) == long(getpid());
}

Window Windows::find(const std::string& wanted, TitleMatch match, Window own, const std::set<Window>& before) const {
  std::vector<WindowCandidate> candidates;
  std::vector<Window> ids;
  for (const ClientWindow& c : clients()) {
    if (isOurs(c.id, own)) continue;
    candidates.push_back({c.title, before.count(c.id) > 0, match == TitleMatch::Class ? classes(c.id) : std::vector<std::string>()});
    ids.push_back(c.id);
  }
  const int i = chooseWindowByTitle(candidates, wanted, match);
  return i < 0 ? 0 : ids[size_t(i)];
}

bool Windows::overrideRedirect(Window w) const {
  XWindowAttributes a{};
  ErrorTrap trap(dpy_);
  const bool read = XGetWindowAttributes(dpy_, w, &a);
  return !trap.failed() && read && a.override_redirect;
}

std::vector<Window> Windows::transientChain(Window w) const {
  std::vector<Window> chain;
  for (int step = 0; step < 8; ++step) {
    Window owner = 0;
    ErrorTrap trap(dpy_);
    const bool has = XGetTransientForHint(dpy_, w, &owner);
    if (trap.failed() || !has || !owner || owner == root_) break;
    if (owner == w || std::find(chain.begin(), chain.end(), owner) != chain.end()) break;
    chain.push_back(owner);
    w = owner;
  }
  return chain;
}

bool Windows::activate(Window w, std::string& reason) const {
  XWindowAttributes a{};
  {
    ErrorTrap trap(dpy_);
    if (!XGetWindowAttributes(dpy_, w, &a) || trap.failed()) {
      reason = "The window closed before it could be activated";
      return false;
    }
  }
  if (haveWindowManager()) {
    // The window manager raises, de-iconifies and focuses; 2 says that a
    // pager-like tool asked on the user's behalf.
    XEvent e{};
    e.xclient.type = ClientMessage;
    e.xclient.window = w;
    e.xclient.message_type = atom(dpy_, "_NET_ACTIVE_WINDOW");
    e.xclient.format = 32;
    e.xclient.data.l[0] = 2;
    e.xclient.data.l[1] = CurrentTime;
    XSendEvent(dpy_, root_, False, SubstructureRedirectMask | SubstructureNotifyMask, &e);
    XFlush(dpy_);
    return true;
  }
  if (a.map_state != IsViewable) {
    reason = "The window is not shown, so it cannot take the keyboard focus";
    return false;
  }
  ErrorTrap trap(dpy_);
  XRaiseWindow(dpy_, w);
  XSetInputFocus(dpy_, w, RevertToParent, CurrentTime);
  if (trap.failed()) {
    reason = "The window refused the keyboard focus";
    return false;
  }
  return true;
}

Window Windows::clientAncestor(Window w) const {
  // Climb from the focused (perhaps inner) window to the top-level client.
  const Atom wmState = atom(dpy_, "WM_STATE");
  Window last = w;
  while (w && w != root_) {
    if (hasProperty(w, wmState)) return w;
    Window rootReturn = 0, parent = 0;
    Window* children = nullptr;
    unsigned int n = 0;
    ErrorTrap trap(dpy_);
    if (!XQueryTree(dpy_, w, &rootReturn, &parent, &children, &n)) return last;
    if (children) XFree(children);
    last = w;
    w = parent;
  }
  return last;
}

Window Windows::focusedClient() const {
  Window focus = 0;
  int revert = 0;
  XGetInputFocus(dpy_, &focus, &revert);
  // The root (a focused window went away) or the pointer's whim: no window
  // of anybody's would get the keys for sure.
  if (focus == None || focus == PointerRoot || focus == root_) return 0;
  return clientAncestor(focus);
}

}  // namespace x11
