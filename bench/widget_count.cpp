// Prints how many widgets the main window is made of, itself included.
#include "platform/fake/fake_desktop_services.h"
#include "settings/memory_store.h"
#include "ui/frm_main.h"

#include <QApplication>
#include <cstdio>

int main(int argc, char* argv[]) {
  QApplication app(argc, argv);
  settings::MemoryStore store;
  FakeDesktopServices services;
  FrmMain frm(store, services);
  std::printf("%d\n", int(frm.findChildren<QWidget*>().size()) + 1);
  return 0;
}
