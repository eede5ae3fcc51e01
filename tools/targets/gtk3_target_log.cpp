#include "gtk3_target_log.h"

#include <gdk/gdkkeysyms.h>
#include <stdio.h>
#include <unistd.h>

static FILE* logFile;

void targetLogOpen() {
  const char* path = g_getenv("DEMO_BACKUP_LOG");
  if (path && *path) logFile = fopen(path, "a");
}

void targetLog(const char* line) {
  if (!logFile) return;
  fprintf(logFile, "%s\n", line);
  fflush(logFile);
}

void targetLogStarted(int job) {
  char line[64];
  snprintf(line, sizeof line, "started %d", job);
  targetLog(line);
}

gboolean targetLogKey(GtkWidget*, GdkEventKey* e, gpointer) {
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
           (e->state & GDK_MOD1_MASK) ? "Alt+" : "", (e->state & GDK_SHIFT_MASK) ? "Shift+" : "", name ? name : "?");
  targetLog(line);
  return FALSE;
}

static gboolean announce(gpointer) {
  char line[64];
  snprintf(line, sizeof line, "ready %d", (int)getpid());
  targetLog(line);
  return G_SOURCE_REMOVE;
}

void targetAnnounceWhenShown() { g_idle_add(announce, NULL); }

GtkWidget* targetWindowGrid(const char* title, GtkWidget** window) {
  *window = gtk_window_new(GTK_WINDOW_TOPLEVEL);
  gtk_window_set_title(GTK_WINDOW(*window), title);
  g_signal_connect(*window, "destroy", G_CALLBACK(gtk_main_quit), NULL);
  g_signal_connect(*window, "key-press-event", G_CALLBACK(targetLogKey), NULL);
  GtkWidget* grid = gtk_grid_new();
  gtk_container_set_border_width(GTK_CONTAINER(grid), 12);
  gtk_grid_set_row_spacing(GTK_GRID(grid), 8);
  gtk_grid_set_column_spacing(GTK_GRID(grid), 8);
  gtk_container_add(GTK_CONTAINER(*window), grid);
  return grid;
}
