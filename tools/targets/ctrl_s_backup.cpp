/* A GTK 3 backup program whose start button has no mnemonic: Ctrl+S starts
 * the backup. The job list (a GtkTreeView) is reached with Alt+B; Return in
 * it does nothing. Title "Snapshot Backup". */
#include <gdk/gdkkeysyms.h>
#include <gtk/gtk.h>

#include "gtk3_target_log.h"

static GtkTreeView* jobs;

static int currentJob() {
  GtkTreePath* path = NULL;
  gtk_tree_view_get_cursor(jobs, &path, NULL);
  if (!path) return 0;
  const int job = gtk_tree_path_get_indices(path)[0] + 1;
  gtk_tree_path_free(path);
  return job;
}

static void onStart(GtkButton*, gpointer label) {
  const int job = currentJob();
  targetLogStarted(job);
  char* text = g_strdup_printf("Started job %d", job);
  gtk_label_set_text(GTK_LABEL(label), text);
  g_free(text);
}

static GtkTreeView* newJobList() {
  GtkListStore* store = gtk_list_store_new(1, G_TYPE_STRING);
  const char* names[] = {"1 Documents", "2 Photos", "3 Mail", "4 Whole disk", "5 Projects"};
  for (const char* name : names) gtk_list_store_insert_with_values(store, NULL, -1, 0, name, -1);
  GtkWidget* view = gtk_tree_view_new_with_model(GTK_TREE_MODEL(store));
  g_object_unref(store);
  gtk_tree_view_set_headers_visible(GTK_TREE_VIEW(view), FALSE);
  gtk_tree_view_insert_column_with_attributes(GTK_TREE_VIEW(view), -1, "Job", gtk_cell_renderer_text_new(), "text", 0,
                                              NULL);
  GtkTreePath* first = gtk_tree_path_new_first();
  gtk_tree_view_set_cursor(GTK_TREE_VIEW(view), first, NULL, FALSE);
  gtk_tree_path_free(first);
  return GTK_TREE_VIEW(view);
}

int main(int argc, char** argv) {
  gtk_init(&argc, &argv);
  targetLogOpen();

  GtkWidget* window = nullptr;
  GtkWidget* grid = targetWindowGrid("Snapshot Backup", &window);

  GtkWidget* label = gtk_label_new_with_mnemonic("_Backup Job");
  jobs = newJobList();
  gtk_label_set_mnemonic_widget(GTK_LABEL(label), GTK_WIDGET(jobs));
  GtkWidget* start = gtk_button_new_with_label("Start Backup (Ctrl+S)");
  GtkWidget* started = gtk_label_new("No backup started");
  g_signal_connect(start, "clicked", G_CALLBACK(onStart), started);
  GtkAccelGroup* accels = gtk_accel_group_new();
  gtk_window_add_accel_group(GTK_WINDOW(window), accels);
  gtk_widget_add_accelerator(start, "clicked", accels, GDK_KEY_s, GDK_CONTROL_MASK, GTK_ACCEL_VISIBLE);

  gtk_grid_attach(GTK_GRID(grid), label, 0, 0, 1, 1);
  gtk_grid_attach(GTK_GRID(grid), GTK_WIDGET(jobs), 1, 0, 1, 1);
  gtk_grid_attach(GTK_GRID(grid), start, 1, 1, 1, 1);
  gtk_grid_attach(GTK_GRID(grid), started, 0, 2, 2, 1);
  gtk_widget_show_all(window);
  targetAnnounceWhenShown();
  gtk_main();
  return 0;
}
