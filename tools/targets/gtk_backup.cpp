/* A backup program in GTK 3 for the end-to-end tests: a combo box with an
 * entry as the job list (a plain one opens its list on Return and swallows
 * the next key), a button with a mnemonic. Logs every key it gets and the
 * job it started to $DEMO_BACKUP_LOG. */
#include <gtk/gtk.h>

#include "gtk3_target_log.h"

static GtkComboBox* jobs;
static GtkLabel* startedLabel;

static void onStart(GtkButton* b, gpointer data) {
  (void)b, (void)data;
  const int job = gtk_combo_box_get_active(jobs) + 1;
  targetLogStarted(job);
  char* text = g_strdup_printf("started %d", job);
  gtk_label_set_text(startedLabel, text);
  g_free(text);
}

int main(int argc, char** argv) {
  gtk_init(&argc, &argv);
  targetLogOpen();

  GtkWidget* window = nullptr;
  GtkWidget* grid = targetWindowGrid("Microsoft Backup", &window);

  // Other mnemonics (TARGET_JOB_LETTER, TARGET_START_LETTER) try letters
  // that the keyboard map lacks.
  const char* jobLetter = g_getenv("TARGET_JOB_LETTER");
  const char* startLetter = g_getenv("TARGET_START_LETTER");
  char* jobText = g_strdup_printf("_%sBackup Job", jobLetter ? jobLetter : "");
  char* startText = g_strdup_printf("_%sStart Backup", startLetter ? startLetter : "");
  GtkWidget* label = gtk_label_new_with_mnemonic(jobText);
  GtkWidget* combo = gtk_combo_box_text_new_with_entry();
  const char* names[] = {"1 Documents", "2 Photos", "3 Mail", "4 Whole disk", "5 Projects"};
  for (int i = 0; i < 5; ++i) gtk_combo_box_text_append_text(GTK_COMBO_BOX_TEXT(combo), names[i]);
  gtk_combo_box_set_active(GTK_COMBO_BOX(combo), 0);
  jobs = GTK_COMBO_BOX(combo);
  gtk_label_set_mnemonic_widget(GTK_LABEL(label), combo);
  GtkWidget* start = gtk_button_new_with_mnemonic(startText);
  g_signal_connect(start, "clicked", G_CALLBACK(onStart), NULL);
  startedLabel = GTK_LABEL(gtk_label_new("No backup started"));

  gtk_grid_attach(GTK_GRID(grid), label, 0, 0, 1, 1);
  gtk_grid_attach(GTK_GRID(grid), combo, 1, 0, 1, 1);
  gtk_grid_attach(GTK_GRID(grid), start, 1, 1, 1, 1);
  gtk_grid_attach(GTK_GRID(grid), GTK_WIDGET(startedLabel), 0, 2, 2, 1);
  gtk_widget_show_all(window);
  targetAnnounceWhenShown();
  gtk_main();
  return 0;
}
