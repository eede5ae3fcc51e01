#include "win32_desktop_services.h"

#include "event_pump.h"
#include "input_box.h"
#include "message_box.h"
#include "platform/key_string.h"
#include "short_date.h"
#include "version.h"
#include "win32_text.h"
#include "win32_toast.h"

#include <vector>

namespace {

Status fromNative(const AutomationStatus& s) {
  Status out = Status::failure(s.code, s.description);
  out.ownWindow = s.ownWindow;
  out.stop = s.stop;
  out.window = s.window;
  return out;
}

}  // namespace

std::wstring programFolder() {
  std::vector<wchar_t> path(MAX_PATH);
  DWORD n = 0;
  while ((n = GetModuleFileNameW(nullptr, path.data(), DWORD(path.size()))) == path.size()) path.resize(path.size() * 2);
  std::wstring folder(path.data(), n);
  return folder.substr(0, folder.find_last_of(L'\\'));
}

Win32DesktopServices::Win32DesktopServices(std::unique_ptr<Automation> automation)
    : automation_(std::move(automation)) {
  QueryPerformanceFrequency(&frequency_);
  QueryPerformanceCounter(&start_);
}

Status Win32DesktopServices::shell(const std::string& file, int windowStyle) {
  // The settings live in the registry: only the program's folder holds the file.
  return fromNative(automation_->start(file, toUtf8(programFolder()), std::string(), windowStyle));
}

Status Win32DesktopServices::appActivate(const std::string& title, TitleMatch match) {
  if (title.empty()) return Status::failure(failure_code::kInvalidArgument, "No window title was given");
  return fromNative(automation_->activate(title, match));
}

Status Win32DesktopServices::sendKeys(const std::string& keys, bool wait) {
  ParsedKeys parsed = parseKeyString(keys);
  if (!parsed.status.ok()) return parsed.status;
  // With waiting, the back end returns once the backup program has handled
  // the keys.
  return fromNative(automation_->send(parsed.strokes, wait));
}

// Steady, from the start of the program: no wrap at midnight, no jump when
// the clock is set.
double Win32DesktopServices::timer() {
  LARGE_INTEGER now;
  QueryPerformanceCounter(&now);
  return double(now.QuadPart - start_.QuadPart) / double(frequency_.QuadPart);
}

void Win32DesktopServices::doEvents() { pumpEvents(own_); }

bool Win32DesktopServices::idle(int maxMs) {
  if (maxMs == 0) return false;
  const bool woken = waitForEvent(maxMs < 0 ? INFINITE : DWORD(maxMs));
  pumpEvents(own_);
  return woken;
}

LocalTime Win32DesktopServices::now() {
  SYSTEMTIME t;
  GetLocalTime(&t);
  return {Date{t.wYear, t.wMonth, t.wDay}, t.wHour * 3600.0 + t.wMinute * 60.0 + t.wSecond + t.wMilliseconds / 1000.0};
}

std::string Win32DesktopServices::shortDateText(const Date& date) {
  return toUtf8(::shortDateText(date.year, date.month, date.day));
}

std::string Win32DesktopServices::inputBox(const std::string& prompt, const std::string& title,
                                           const std::string& defaultText) {
  return toUtf8(showInputBox(own_, toWide(prompt), toWide(title), toWide(defaultText)));
}

void Win32DesktopServices::msgBox(const std::string& text, int style, const std::string& title) {
  showMessageBox(own_, toWide(text), style, toWide(title));
}

void Win32DesktopServices::showHelp(const std::string& helpFile, int topic) {
  help_.show(own_, programFolder() + L"\\" + toWide(helpFile), topic);
}

void Win32DesktopServices::setOwnWindow(HWND window) {
  own_ = window;
  automation_->setOwnWindow(reinterpret_cast<std::uintptr_t>(window));
}

// The run history is the log on Windows: the Event Log wants a registered
// source, which needs an administrator.
bool Win32DesktopServices::systemLog(const std::string&, bool, const LogFields&) { return false; }

// A toast through Windows PowerShell; the window keeps handling its events
// while it is shown.
bool Win32DesktopServices::notify(const std::string& summary, const std::string& body, std::string& reason) {
  const ToastApp app{TALVOR_APP_ID, "Talvor Start", programFolder() + L"\\talvorstart.ico"};
  const WhileWaiting handleEvents = [this] { return pumpEvents(own_); };
  return showToast(app, summary, body, handleEvents, reason);
}
