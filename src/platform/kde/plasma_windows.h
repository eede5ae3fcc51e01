#pragma once

// The windows that KWin lists through Plasma window management, with their
// titles, application ids, processes, parents and which one is active.
#include <cstdint>
#include <functional>
#include <list>
#include <string>

#include "platform/window_choice.h"

struct org_kde_plasma_window;
struct org_kde_plasma_window_management;

namespace kde {

struct PlasmaWindow {
  org_kde_plasma_window* handle = nullptr;
  std::uint64_t serial = 0;  // order of announcement
  std::string title, appId;
  std::uint32_t pid = 0;
  bool active = false;
  bool described = false;  // its initial state has arrived
  bool closed = false;
  org_kde_plasma_window* parent = nullptr;  // the window a dialog belongs to
};

using WindowFilter = std::function<bool(const PlasmaWindow&)>;

class PlasmaWindows {
 public:
  PlasmaWindows(org_kde_plasma_window_management* manager, std::uint32_t version);
  ~PlasmaWindows();
  PlasmaWindows(const PlasmaWindows&) = delete;
  PlasmaWindows& operator=(const PlasmaWindows&) = delete;

  // As chooseWindowByTitle: windows announced after markExisting() come
  // first; never one that isOwn accepts. nullptr when none matches.
  const PlasmaWindow* find(const std::string& title, TitleMatch match, const WindowFilter& isOwn) const;
  const PlasmaWindow* active() const;
  // A dialog of the window with that serial, or a dialog of one of its dialogs.
  bool isDialogOf(const PlasmaWindow& w, std::uint64_t serial) const;
  void activate(const PlasmaWindow& w) const;

  void markExisting() { firstNew_ = nextSerial_; }
  bool isNew(const PlasmaWindow& w) const { return w.serial >= firstNew_; }

 private:
  static void onWindow(void* data, org_kde_plasma_window_management*, uint32_t id);
  static void onWindowWithUuid(void* data, org_kde_plasma_window_management*, uint32_t id, const char* uuid);
  void add(org_kde_plasma_window* handle);

  org_kde_plasma_window_management* manager_;
  std::uint32_t version_;
  std::list<PlasmaWindow> list_;  // stable addresses: each is its handle's listener data
  std::uint64_t nextSerial_ = 1;
  std::uint64_t firstNew_ = 1;
};

}  // namespace kde
