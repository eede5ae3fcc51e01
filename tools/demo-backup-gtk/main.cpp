// demo-backup-gtk [--log FILE]: the stand-in backup program as a GTK 3
// program, for checking keys on a toolkit other than Qt. "Alt+B" focuses
// the job list (a GtkTreeView), Up and Down move in it, Enter picks the job
// and "Alt+S" starts it. The log (also named by DEMO_BACKUP_LOG) gets
// "ready PID", one "key ..." line per key press and "started N", as the Qt
// demo writes them.
#include <gtk/gtk.h>

#include <cstdio>
#include <cstring>
#include <string>
#include <unistd.h>

namespace {

FILE* logFile = nullptr;
GtkTreeView* jobs = nullptr;

void logLine(const std::string& line) {
  if (!logFile) return;
  std::fprintf(logFile, "%s\n", line.c_str());
  std::fflush(logFile);
}

int currentJob() {
  GtkTreePath* path = nullptr;
  gtk_tree_view_get_cursor(jobs, &path, nullptr);
  if (!path) return 0;
  const int job = gtk_tree_path_get_indices(path)[0] + 1;
  gtk_tree_path_free(path);
  return job;
}

// The window sees every key press first, before mnemonics and the focused
// widget; it only writes it down.
gboolean onKey(GtkWidget*, GdkEventKey* event, gpointer) {
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
  return FALSE;
}

void onStart(GtkButton*, gpointer label) {
  const int job = currentJob();
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

  GtkListStore* store = gtk_list_store_new(1, G_TYPE_STRING);
  for (const char* job : {"1 Documents", "2 Photos", "3 Mail", "4 Whole disk", "5 Projects"}) {
    GtkTreeIter it;
    gtk_list_store_append(store, &it);
    gtk_list_store_set(store, &it, 0, job, -1);
  }
  jobs = GTK_TREE_VIEW(gtk_tree_view_new_with_model(GTK_TREE_MODEL(store)));
  gtk_tree_view_append_column(
      jobs, gtk_tree_view_column_new_with_attributes("Job", gtk_cell_renderer_text_new(), "text", 0, nullptr));
  GtkTreePath* first = gtk_tree_path_new_first();
  gtk_tree_view_set_cursor(jobs, first, nullptr, FALSE);
  gtk_tree_path_free(first);

  GtkWidget* label = gtk_label_new_with_mnemonic("_Backup Job");
  gtk_label_set_mnemonic_widget(GTK_LABEL(label), GTK_WIDGET(jobs));
  GtkWidget* started = gtk_label_new("No backup started");
  GtkWidget* start = gtk_button_new_with_mnemonic("_Start Backup");
  g_signal_connect(start, "clicked", G_CALLBACK(onStart), started);

  GtkWidget* box = gtk_box_new(GTK_ORIENTATION_VERTICAL, 6);
  gtk_box_pack_start(GTK_BOX(box), label, FALSE, FALSE, 0);
  gtk_box_pack_start(GTK_BOX(box), GTK_WIDGET(jobs), TRUE, TRUE, 0);
  gtk_box_pack_start(GTK_BOX(box), start, FALSE, FALSE, 0);
  gtk_box_pack_start(GTK_BOX(box), started, FALSE, FALSE, 0);
  gtk_container_add(GTK_CONTAINER(window), box);
  gtk_widget_show_all(window);
  // The start button has the focus at first, so that the job keys work
  // only when Alt+B reached the list.
  gtk_widget_grab_focus(start);
  logLine("ready " + std::to_string(getpid()));
  gtk_main();
  return 0;
}
