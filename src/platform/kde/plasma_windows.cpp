#include "platform/kde/plasma_windows.h"

#include <wayland-client.h>

#include <vector>

#include "plasma-window-management-client-protocol.h"
#include "platform/window_choice.h"

namespace kde {
namespace {

PlasmaWindow& of(void* data) { return *static_cast<PlasmaWindow*>(data); }

void onTitle(void* d, org_kde_plasma_window*, const char* title) { of(d).title = title ? title : ""; }
void onAppId(void* d, org_kde_plasma_window*, const char* id) { of(d).appId = id ? id : ""; }
void onState(void* d, org_kde_plasma_window*, uint32_t flags) {
  of(d).active = (flags & ORG_KDE_PLASMA_WINDOW_MANAGEMENT_STATE_ACTIVE) != 0;
}
void onDesktop(void*, org_kde_plasma_window*, int32_t) {}
void onIconName(void*, org_kde_plasma_window*, const char*) {}
void onUnmapped(void* d, org_kde_plasma_window*) {
  of(d).closed = true;
  of(d).active = false;
}
void onInitialState(void* d, org_kde_plasma_window*) { of(d).described = true; }
void onParent(void* d, org_kde_plasma_window*, org_kde_plasma_window* parent) { of(d).parent = parent; }
void onGeometry(void*, org_kde_plasma_window*, int32_t, int32_t, uint32_t, uint32_t) {}
void onIcon(void*, org_kde_plasma_window*) {}
void onPid(void* d, org_kde_plasma_window*, uint32_t pid) { of(d).pid = pid; }
void onDesktopEntered(void*, org_kde_plasma_window*, const char*) {}
void onDesktopLeft(void*, org_kde_plasma_window*, const char*) {}
void onMenu(void*, org_kde_plasma_window*, const char*, const char*) {}
void onActivityEntered(void*, org_kde_plasma_window*, const char*) {}
void onActivityLeft(void*, org_kde_plasma_window*, const char*) {}
void onResourceName(void*, org_kde_plasma_window*, const char*) {}

const org_kde_plasma_window_listener kWindowListener = {
    onTitle,        onAppId,  onState,           onDesktop,      onIconName,     onUnmapped,
    onInitialState, onParent, onGeometry,        onIcon,         onPid,          onDesktopEntered,
    onDesktopLeft,  onMenu,   onActivityEntered, onActivityLeft, onResourceName,
};

void onShowDesktop(void*, org_kde_plasma_window_management*, uint32_t) {}
void onStacking(void*, org_kde_plasma_window_management*, wl_array*) {}
void onStackingUuid(void*, org_kde_plasma_window_management*, const char*) {}

bool usable(const PlasmaWindow& w) { return w.described && !w.closed; }

}  // namespace

PlasmaWindows::PlasmaWindows(org_kde_plasma_window_management* manager, std::uint32_t version)
    : manager_(manager), version_(version) {
  static const org_kde_plasma_window_management_listener listener = {
      onShowDesktop, &PlasmaWindows::onWindow, onStacking, onStackingUuid, &PlasmaWindows::onWindowWithUuid};
  org_kde_plasma_window_management_add_listener(manager_, &listener, this);
}

PlasmaWindows::~PlasmaWindows() {
  for (PlasmaWindow& w : list_) org_kde_plasma_window_destroy(w.handle);
}

// From version 13 on each window is announced with its uuid as well, and
// only that announcement is followed.
void PlasmaWindows::onWindow(void* data, org_kde_plasma_window_management* manager, uint32_t id) {
  auto* self = static_cast<PlasmaWindows*>(data);
  if (self->version_ >= ORG_KDE_PLASMA_WINDOW_MANAGEMENT_WINDOW_WITH_UUID_SINCE_VERSION) return;
  self->add(org_kde_plasma_window_management_get_window(manager, id));
}

void PlasmaWindows::onWindowWithUuid(void* data, org_kde_plasma_window_management* manager, uint32_t,
                                     const char* uuid) {
  if (!uuid) return;
  static_cast<PlasmaWindows*>(data)->add(org_kde_plasma_window_management_get_window_by_uuid(manager, uuid));
}

void PlasmaWindows::add(org_kde_plasma_window* handle) {
  // Closed windows are dropped as new ones come, not while a caller may
  // hold a pointer to one.
  for (auto it = list_.begin(); it != list_.end();) {
    if (it->closed) {
      org_kde_plasma_window_destroy(it->handle);
      it = list_.erase(it);
    } else {
      ++it;
    }
  }
  PlasmaWindow& w = list_.emplace_back();
  w.handle = handle;
  w.serial = nextSerial_++;
  org_kde_plasma_window_add_listener(handle, &kWindowListener, &w);
}

const PlasmaWindow* PlasmaWindows::find(const std::string& title, TitleMatch match, const WindowFilter& isOwn) const {
  return chooseWindow(
      list_, title, match, [&](const PlasmaWindow& w) { return !usable(w) || isOwn(w); },
      [&](const PlasmaWindow& w) {
        return WindowCandidate{w.title, w.serial < firstNew_, {w.appId}};
      });
}

const PlasmaWindow* PlasmaWindows::active() const {
  for (const PlasmaWindow& w : list_)
    if (usable(w) && w.active) return &w;
  return nullptr;
}

bool PlasmaWindows::isDialogOf(const PlasmaWindow& w, std::uint64_t serial) const {
  const org_kde_plasma_window* parent = w.parent;
  for (int depth = 0; parent && depth < 8; ++depth) {  // bounded: a loop of parents must not hang the run
    const PlasmaWindow* up = nullptr;
    for (const PlasmaWindow& p : list_)
      if (p.handle == parent && !p.closed) up = &p;
    if (!up) return false;
    if (up->serial == serial) return true;
    parent = up->parent;
  }
  return false;
}

void PlasmaWindows::activate(const PlasmaWindow& w) const {
  org_kde_plasma_window_set_state(w.handle, ORG_KDE_PLASMA_WINDOW_MANAGEMENT_STATE_ACTIVE,
                                  ORG_KDE_PLASMA_WINDOW_MANAGEMENT_STATE_ACTIVE);
}

}  // namespace kde
