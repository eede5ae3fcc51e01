// Prints how many widgets the main window is made of, itself included.
#include "platform/fake/fake_desktop_services.h"
#include "settings/memory_store.h"
#include "ui/frm_main.h"
#include "ui/qt/frm_main_view.h"

#include <QApplication>
#include <cstdio>

int main(int argc, char* argv[]) {
  QApplication app(argc, argv);
  settings::MemoryStore store;
  FakeDesktopServices services;
  FrmMain frm(store, services);
  FrmMainView view(frm);
  std::printf("%d\n", int(view.findChildren<QWidget*>().size()) + 1);
  return 0;
}
