/* A backup program in GTK 3 for the end-to-end tests: a combo box with an
 * entry as the job list (a plain one opens its list on Return and swallows
 * the next key), a button with a mnemonic. Logs every key it gets and the
 * job it started to $DEMO_BACKUP_LOG. */
#include <gdk/gdkkeysyms.h>
#include <gtk/gtk.h>
#include <stdio.h>
#include <unistd.h>

static FILE* logFile;
static GtkComboBox* jobs;
static GtkLabel* startedLabel;

static void logLine(const char* line) {
  if (!logFile) return;
  fprintf(logFile, "%s\n", line);
  fflush(logFile);
}

static gboolean onKey(GtkWidget* w, GdkEventKey* e, gpointer data) {
  (void)w, (void)data;
  if (e->is_modifier) return FALSE;
  char line[128];
  guint upper = gdk_keyval_to_upper(e->keyval);
  const char* name = gdk_keyval_name(upper);
  if (e->keyval == GDK_KEY_Return || e->keyval == GDK_KEY_KP_Enter) name = "Return";
  gunichar c = gdk_keyval_to_unicode(upper);
  char utf8[8] = {0};
  if (c > 0x20 && e->keyval != GDK_KEY_Return) {
    g_unichar_to_utf8(c, utf8);
    name = utf8;
  }
  snprintf(line, sizeof line, "key %s%s%s%s", (e->state & GDK_CONTROL_MASK) ? "Ctrl+" : "",
           (e->state & GDK_MOD1_MASK) ? "Alt+" : "", (e->state & GDK_SHIFT_MASK) ? "Shift+" : "", name);
  logLine(line);
  return FALSE;
}

static void onStart(GtkButton* b, gpointer data) {
  (void)b, (void)data;
  char line[64];
  snprintf(line, sizeof line, "started %d", gtk_combo_box_get_active(jobs) + 1);
  logLine(line);
  gtk_label_set_text(startedLabel, line);
}

static gboolean announce(gpointer data) {
  (void)data;
  char line[64];
  snprintf(line, sizeof line, "ready %d", (int)getpid());
  logLine(line);
  return G_SOURCE_REMOVE;
}

int main(int argc, char** argv) {
  gtk_init(&argc, &argv);
  const char* path = g_getenv("DEMO_BACKUP_LOG");
  if (path && *path) logFile = fopen(path, "a");

  GtkWidget* window = gtk_window_new(GTK_WINDOW_TOPLEVEL);
  gtk_window_set_title(GTK_WINDOW(window), "Microsoft Backup");
  g_signal_connect(window, "destroy", G_CALLBACK(gtk_main_quit), NULL);
  g_signal_connect(window, "key-press-event", G_CALLBACK(onKey), NULL);

  GtkWidget* grid = gtk_grid_new();
  gtk_container_set_border_width(GTK_CONTAINER(grid), 12);
  gtk_grid_set_row_spacing(GTK_GRID(grid), 8);
  gtk_grid_set_column_spacing(GTK_GRID(grid), 8);
  gtk_container_add(GTK_CONTAINER(window), grid);

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
  g_idle_add(announce, NULL);
  gtk_main();
  return 0;
}
