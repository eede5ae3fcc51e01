// demo-backup-gtk [--log FILE]: the stand-in backup program as a GTK 3
// program, for checking keys on a toolkit other than Qt. "Alt+B" focuses
// the job list, Up and Down move in it, Enter picks the job and "Alt+S"
// starts it. The list moves by its own key handling: GtkTreeView's cursor
// keys did nothing in a headless compositor, though the keys arrived. The log (also named by DEMO_BACKUP_LOG) gets "ready PID", one
// "key ..." line per key press and "started N", as the Qt demo writes them.
#include <gtk/gtk.h>

#include <cstdio>
#include <cstring>
#include <string>
#include <unistd.h>

namespace {

FILE* logFile = nullptr;
GtkWidget* jobList = nullptr;
int job = 1;
const char* const kJobs[] = {"1 Documents", "2 Photos", "3 Mail", "4 Whole disk", "5 Projects"};

void logLine(const std::string& line) {
  if (!logFile) return;
  std::fprintf(logFile, "%s\n", line.c_str());
  std::fflush(logFile);
}

void showJob() { gtk_entry_set_text(GTK_ENTRY(jobList), kJobs[job - 1]); }

// The window sees every key press first, before mnemonics and the focused
// widget: it writes each down and moves the job list when that has focus.
gboolean onKey(GtkWidget* window, GdkEventKey* event, gpointer) {
  const guint key = gdk_keyval_to_upper(event->keyval);
  switch (key) {
    case GDK_KEY_Alt_L: case GDK_KEY_Alt_R: case GDK_KEY_Shift_L: case GDK_KEY_Shift_R:
    case GDK_KEY_Control_L: case GDK_KEY_Control_R: case GDK_KEY_Meta_L: case GDK_KEY_Meta_R:
      return FALSE;
    default: break;
  }
  std::string text = (event->state & GDK_MOD1_MASK) ? "Alt+" : "";
  const char* name = gdk_keyval_name(key);
  text += name ? name : "?";
  logLine("key " + text);
  if (gtk_window_get_focus(GTK_WINDOW(window)) != jobList || (event->state & GDK_MOD1_MASK)) return FALSE;
  if (key == GDK_KEY_Up && job > 1) --job;
  if (key == GDK_KEY_Down && job < 5) ++job;
  showJob();
  return key == GDK_KEY_Up || key == GDK_KEY_Down;
  return FALSE;
}

void onStart(GtkButton*, gpointer label) {
  gtk_label_set_text(GTK_LABEL(label), ("Started job " + std::to_string(job)).c_str());
  logLine("started " + std::to_string(job));
}

}  // namespace

int main(int argc, char* argv[]) {
  const char* path = std::getenv("DEMO_BACKUP_LOG");
  for (int i = 1; i + 1 < argc; ++i)
    if (std::strcmp(argv[i], "--log") == 0) path = argv[i + 1];
  if (path && *path) logFile = std::fopen(path, "a");
  gtk_init(&argc, &argv);

  GtkWidget* window = gtk_window_new(GTK_WINDOW_TOPLEVEL);
  gtk_window_set_title(GTK_WINDOW(window), "Microsoft Backup");
  gtk_window_set_default_size(GTK_WINDOW(window), 420, 260);
  g_signal_connect(window, "destroy", G_CALLBACK(gtk_main_quit), nullptr);
  g_signal_connect(window, "key-press-event", G_CALLBACK(onKey), nullptr);

  jobList = gtk_entry_new();
  gtk_editable_set_editable(GTK_EDITABLE(jobList), FALSE);
  showJob();

  GtkWidget* label = gtk_label_new_with_mnemonic("_Backup Job");
  gtk_label_set_mnemonic_widget(GTK_LABEL(label), jobList);
  GtkWidget* started = gtk_label_new("No backup started");
  GtkWidget* start = gtk_button_new_with_mnemonic("_Start Backup");
  g_signal_connect(start, "clicked", G_CALLBACK(onStart), started);

  GtkWidget* box = gtk_box_new(GTK_ORIENTATION_VERTICAL, 6);
  gtk_box_pack_start(GTK_BOX(box), label, FALSE, FALSE, 0);
  gtk_box_pack_start(GTK_BOX(box), jobList, FALSE, FALSE, 0);
  gtk_box_pack_start(GTK_BOX(box), start, FALSE, FALSE, 0);
  gtk_box_pack_start(GTK_BOX(box), started, FALSE, FALSE, 0);
  gtk_container_add(GTK_CONTAINER(window), box);
  gtk_widget_show_all(window);
  // The start button takes the focus first, as a fresh window may give it
  // to anything: the job keys must not depend on it.
  gtk_widget_grab_focus(start);
  logLine("ready " + std::to_string(getpid()));
  gtk_main();
  return 0;
}
