#pragma once

// Finding top-level windows by title and giving them the focus.
#include <X11/Xlib.h>

#include <set>
#include <string>
#include <vector>

#include "platform/window_choice.h"

namespace x11 {

struct ClientWindow {
  Window id;
  std::string title;  // UTF-8
};

class Windows {
 public:
  explicit Windows(Display* dpy);

  // The top-level client windows, oldest first: the window manager's list
  // (in the order they were first mapped) where there is one, else the
  // mapped windows found in the tree in stacking order, bottom first. A
  // window is put on top when mapped, so that order is the order of
  // appearance unless somebody raised a window since.
  std::vector<ClientWindow> clients() const;
  // A window manager that is running: its check window exists and names
  // itself. One killed leaves the root's properties behind.
  bool haveWindowManager() const;

  // The window for the title by chooseWindowByTitle(), before naming the
  // windows that existed when the run began; never a window of this
  // process or the given own window. 0 when none matches.
  Window find(const std::string& title, TitleMatch match, Window own, const std::set<Window>& before) const;

  // Asks for the focus; does not wait for it. False with a reason when the
  // window cannot take it.
  bool activate(Window w, std::string& reason) const;

  // The focused top-level window (the client, not its frame), or 0.
  Window focusedClient() const;
  // Whether the window, or the client inside it, belongs to us.
  bool isOurs(Window w, Window own) const;
  // The process the window says it belongs to (_NET_WM_PID), or 0.
  long pid(Window w) const;
  std::string title(Window w) const;  // UTF-8, empty when it has none
  std::vector<std::string> classes(Window w) const;  // instance and class of WM_CLASS
  bool overrideRedirect(Window w) const;
  // WM_TRANSIENT_FOR followed upwards, nearest first; ends at a window
  // without one, a loop or a few steps.
  std::vector<Window> transientChain(Window w) const;

 private:
  bool hasProperty(Window w, Atom property) const;
  Window clientAncestor(Window w) const;
  void walk(Window w, int depth, std::vector<ClientWindow>& out) const;

  Display* dpy_;
  Window root_;
};

}  // namespace x11
