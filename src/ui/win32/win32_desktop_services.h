#pragma once

#include "help_window.h"
#include "platform/automation.h"
#include "platform/desktop_services.h"

#include <windows.h>

#include <memory>

// The desktop services of the Windows program: the system's event loop,
// clock, dialogs and help window, and the Win32 back end for programs,
// windows and keys.
class Win32DesktopServices : public DesktopServices {
 public:
  explicit Win32DesktopServices(std::unique_ptr<Automation> automation);

  // Windows open now never get keys unless activated by their title.
  void beginRun() override { automation_->beginRun(); }
  Status shell(const std::string& file, int windowStyle) override;
  Status appActivate(const std::string& title, TitleMatch match) override;
  Status sendKeys(const std::string& keys, bool wait) override;
  double timer() override;
  void doEvents() override;
  bool idle(int maxMs) override;
  LocalTime now() override;
  std::string shortDateText(const Date& date) override;
  std::string inputBox(const std::string& prompt, const std::string& title, const std::string& defaultText) override;
  void msgBox(const std::string& text, int style, const std::string& title) override;
  void showHelp(const std::string& helpFile, int topic) override;
  bool systemLog(const std::string& message, bool problem, const LogFields& fields) override;
  bool notify(const std::string& summary, const std::string& body, std::string& reason) override;

  // The tool's own window: dialogs open over it, keys never go to it, and
  // the event loop gives it the keys of a dialog (Tab, mnemonics).
  void setOwnWindow(HWND window);
  const HelpWindow& helpWindow() const { return help_; }

  // Time given to the target after keys sent with waiting that may open or
  // close something, so that it is ready for the next keys.

 private:
  std::unique_ptr<Automation> automation_;
  HWND own_ = nullptr;
  HelpWindow help_;
  LARGE_INTEGER start_{}, frequency_{};
};

// The folder of the running program, without a trailing backslash.
std::wstring programFolder();
