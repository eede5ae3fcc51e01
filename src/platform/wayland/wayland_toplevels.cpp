#include "platform/wayland/wayland_toplevels.h"

#include <wayland-client.h>

#include <vector>

#include "platform/window_choice.h"
#include "wlr-foreign-toplevel-management-unstable-v1-client-protocol.h"

namespace wayland {
namespace {

Toplevel& of(void* data) { return *static_cast<Toplevel*>(data); }

void onTitle(void* d, zwlr_foreign_toplevel_handle_v1*, const char* title) { of(d).pendingTitle = title; }
void onAppId(void* d, zwlr_foreign_toplevel_handle_v1*, const char* id) { of(d).pendingAppId = id; }
void onOutputEnter(void*, zwlr_foreign_toplevel_handle_v1*, wl_output*) {}
void onOutputLeave(void*, zwlr_foreign_toplevel_handle_v1*, wl_output*) {}

void onState(void* d, zwlr_foreign_toplevel_handle_v1*, wl_array* state) {
  bool activated = false;
  const auto* values = static_cast<const uint32_t*>(state->data);
  for (size_t i = 0; i < state->size / sizeof(uint32_t); ++i)
    activated = activated || values[i] == ZWLR_FOREIGN_TOPLEVEL_HANDLE_V1_STATE_ACTIVATED;
  of(d).pendingActivated = activated;
}

void onDone(void* d, zwlr_foreign_toplevel_handle_v1*) {
  Toplevel& t = of(d);
  t.title = t.pendingTitle;
  t.appId = t.pendingAppId;
  t.activated = t.pendingActivated;
  if (!t.described) t.shownAt = std::chrono::steady_clock::now();
  t.described = true;
}

void onClosed(void* d, zwlr_foreign_toplevel_handle_v1*) {
  Toplevel& t = of(d);
  t.closed = true;
  t.activated = false;
}

void onParent(void* d, zwlr_foreign_toplevel_handle_v1*, zwlr_foreign_toplevel_handle_v1* parent) {
  of(d).parent = parent;
}

const zwlr_foreign_toplevel_handle_v1_listener kHandleListener = {
    onTitle, onAppId, onOutputEnter, onOutputLeave, onState, onDone, onClosed, onParent,
};

bool usable(const Toplevel& t) { return t.described && !t.closed; }

}  // namespace

Toplevels::Toplevels(zwlr_foreign_toplevel_manager_v1* manager) : manager_(manager) {
  static const zwlr_foreign_toplevel_manager_v1_listener listener = {&Toplevels::added, &Toplevels::finished};
  zwlr_foreign_toplevel_manager_v1_add_listener(manager_, &listener, this);
}

Toplevels::~Toplevels() {
  for (Toplevel& t : list_) zwlr_foreign_toplevel_handle_v1_destroy(t.handle);
}

void Toplevels::added(void* data, zwlr_foreign_toplevel_manager_v1*, zwlr_foreign_toplevel_handle_v1* handle) {
  auto* self = static_cast<Toplevels*>(data);
  // Handles of closed windows are dropped as new ones come, not while a
  // caller may hold a pointer to one.
  for (auto it = self->list_.begin(); it != self->list_.end();) {
    if (it->closed) {
      zwlr_foreign_toplevel_handle_v1_destroy(it->handle);
      it = self->list_.erase(it);
    } else {
      ++it;
    }
  }
  Toplevel& t = self->list_.emplace_back();
  t.handle = handle;
  t.serial = self->nextSerial_++;
  zwlr_foreign_toplevel_handle_v1_add_listener(handle, &kHandleListener, &t);
}

void Toplevels::finished(void*, zwlr_foreign_toplevel_manager_v1*) {}

const Toplevel* findByTitle(const std::list<Toplevel>& windows, const std::string& title, TitleMatch match,
                            const ToplevelFilter& isOwn, std::uint64_t firstNew) {
  return chooseWindow(
      windows, title, match, [&](const Toplevel& t) { return !usable(t) || isOwn(t); },
      [&](const Toplevel& t) {
        return WindowCandidate{t.title, t.serial < firstNew, {t.appId}};
      });
}

const Toplevel* Toplevels::activated() const {
  for (const Toplevel& t : list_)
    if (usable(t) && t.activated) return &t;
  return nullptr;
}

bool Toplevels::contains(std::uint64_t serial) const {
  for (const Toplevel& t : list_)
    if (t.serial == serial && !t.closed) return true;
  return false;
}

bool Toplevels::isDialogOf(const Toplevel& t, std::uint64_t serial) const {
  const zwlr_foreign_toplevel_handle_v1* parent = t.parent;
  for (int depth = 0; parent && depth < 8; ++depth) {  // bounded: a loop of parents must not hang the run
    const Toplevel* up = nullptr;
    for (const Toplevel& w : list_)
      if (w.handle == parent && !w.closed) up = &w;
    if (!up) return false;
    if (up->serial == serial) return true;
    parent = up->parent;
  }
  return false;
}

void Toplevels::activate(const Toplevel& t, wl_seat* seat) const {
  zwlr_foreign_toplevel_handle_v1_activate(t.handle, seat);
}

}  // namespace wayland
