#pragma once

// The toplevel windows that the compositor lists, with their titles,
// application ids and whether each has the focus.
#include <chrono>
#include <cstdint>
#include <functional>
#include <list>
#include <string>

#include "platform/window_choice.h"

struct zwlr_foreign_toplevel_handle_v1;
struct zwlr_foreign_toplevel_manager_v1;
struct wl_seat;

namespace wayland {

struct Toplevel {
  zwlr_foreign_toplevel_handle_v1* handle = nullptr;
  std::uint64_t serial = 0;  // order of appearance
  std::string title, appId;
  bool activated = false;
  bool described = false;  // a done event has arrived, so title and id are known
  bool closed = false;
  zwlr_foreign_toplevel_handle_v1* parent = nullptr;  // the window a dialog belongs to
  std::chrono::steady_clock::time_point shownAt;  // when first described
  // Values of the update that the next done event applies.
  std::string pendingTitle, pendingAppId;
  bool pendingActivated = false;
};

using ToplevelFilter = std::function<bool(const Toplevel&)>;

// As chooseWindowByTitle: windows listed from serial firstNew on came after
// the run began and come first. Only windows described and not closed;
// never one that isOwn accepts. nullptr when none matches.
const Toplevel* findByTitle(const std::list<Toplevel>& windows, const std::string& title, TitleMatch match,
                            const ToplevelFilter& isOwn,
                            std::uint64_t firstNew);

class Toplevels {
 public:
  explicit Toplevels(zwlr_foreign_toplevel_manager_v1* manager);
  ~Toplevels();
  Toplevels(const Toplevels&) = delete;
  Toplevels& operator=(const Toplevels&) = delete;

  const Toplevel* find(const std::string& title, TitleMatch match, const ToplevelFilter& isOwn) const {
    return findByTitle(list_, title, match, isOwn, firstNew_);
  }
  // The window that has the focus, or nullptr.
  const Toplevel* activated() const;
  // Still listed (not closed)?
  bool contains(std::uint64_t serial) const;
  // A dialog of the window with that serial, or a dialog of one of its dialogs.
  bool isDialogOf(const Toplevel& t, std::uint64_t serial) const;

  void activate(const Toplevel& t, wl_seat* seat) const;

  // Windows listed from now on count as new.
  void markExisting() { firstNew_ = nextSerial_; }
  bool isNew(const Toplevel& t) const { return t.serial >= firstNew_; }

 private:
  static void added(void* data, zwlr_foreign_toplevel_manager_v1*, zwlr_foreign_toplevel_handle_v1* handle);
  static void finished(void* data, zwlr_foreign_toplevel_manager_v1*);

  zwlr_foreign_toplevel_manager_v1* manager_;
  std::list<Toplevel> list_;  // stable addresses: each is its handle's listener data
  std::uint64_t nextSerial_ = 1;
  std::uint64_t firstNew_ = 1;
};

}  // namespace wayland
