/* A GTK 3 backup program whose job list is a plain combo box: Alt+B focuses
 * it, Up and Down pick a job while it is closed, but Return opens its
 * pop-up, which then takes the next keys (an Alt+S after it starts
 * nothing). Alt+S starts the backup. Title "Combo Backup". */
#include <gtk/gtk.h>

#include "gtk3_target_log.h"

static GtkComboBox* jobs;

static void onStart(GtkButton*, gpointer label) {
  const int job = gtk_combo_box_get_active(jobs) + 1;
  targetLogStarted(job);
  char* text = g_strdup_printf("Started job %d", job);
  gtk_label_set_text(GTK_LABEL(label), text);
  g_free(text);
}

static void onPopup(GObject*, GParamSpec*, gpointer) {
  gboolean shown = FALSE;
  g_object_get(jobs, "popup-shown", &shown, NULL);
  targetLog(shown ? "popup shown" : "popup hidden");
}

int main(int argc, char** argv) {
  gtk_init(&argc, &argv);
  targetLogOpen();

  GtkWidget* window = nullptr;
  GtkWidget* grid = targetWindowGrid("Combo Backup", &window);

  GtkWidget* label = gtk_label_new_with_mnemonic("_Backup Job");
  GtkWidget* combo = gtk_combo_box_text_new();
  const char* names[] = {"1 Documents", "2 Photos", "3 Mail", "4 Whole disk", "5 Projects"};
  for (const char* name : names) gtk_combo_box_text_append_text(GTK_COMBO_BOX_TEXT(combo), name);
  gtk_combo_box_set_active(GTK_COMBO_BOX(combo), 0);
  jobs = GTK_COMBO_BOX(combo);
  g_signal_connect(combo, "notify::popup-shown", G_CALLBACK(onPopup), NULL);
  gtk_label_set_mnemonic_widget(GTK_LABEL(label), combo);
  GtkWidget* start = gtk_button_new_with_mnemonic("_Start Backup");
  GtkWidget* started = gtk_label_new("No backup started");
  g_signal_connect(start, "clicked", G_CALLBACK(onStart), started);

  gtk_grid_attach(GTK_GRID(grid), label, 0, 0, 1, 1);
  gtk_grid_attach(GTK_GRID(grid), combo, 1, 0, 1, 1);
  gtk_grid_attach(GTK_GRID(grid), start, 1, 1, 1, 1);
  gtk_grid_attach(GTK_GRID(grid), started, 0, 2, 2, 1);
  gtk_widget_show_all(window);
  targetAnnounceWhenShown();
  gtk_main();
  return 0;
}
