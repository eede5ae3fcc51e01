/* A GTK 4 backup program with no job list: it backs up the one profile it
 * was opened with, and its title begins with that profile's path. Alt+S
 * (the mnemonic of its one button) starts it, logged as "started 1". Its
 * X11 class and Wayland app id are "profile-backup". */
#include <gtk/gtk.h>
#include <stdio.h>
#include <unistd.h>

static FILE* logFile;
static bool closed;

static void logLine(const char* line) {
  if (!logFile) return;
  fprintf(logFile, "%s\n", line);
  fflush(logFile);
}

// In the capture phase the window sees each press before its mnemonics.
static gboolean onKey(GtkEventControllerKey*, guint keyval, guint, GdkModifierType state, gpointer) {
  switch (keyval) {
    case GDK_KEY_Alt_L:
    case GDK_KEY_Alt_R:
    case GDK_KEY_Shift_L:
    case GDK_KEY_Shift_R:
    case GDK_KEY_Control_L:
    case GDK_KEY_Control_R:
    case GDK_KEY_Meta_L:
    case GDK_KEY_Meta_R:
    case GDK_KEY_Super_L:
    case GDK_KEY_Super_R:
    case GDK_KEY_ISO_Level3_Shift:
      return FALSE;
    default:
      break;
  }
  const guint upper = gdk_keyval_to_upper(keyval);
  const char* name = gdk_keyval_name(upper);
  char utf8[8] = {0};
  const gunichar c = gdk_keyval_to_unicode(upper);
  if (keyval == GDK_KEY_Return || keyval == GDK_KEY_KP_Enter) {
    name = "Return";
  } else if (c > 0x20) {
    g_unichar_to_utf8(c, utf8);
    name = utf8;
  }
  char line[128];
  snprintf(line, sizeof line, "key %s%s%s%s", (state & GDK_CONTROL_MASK) ? "Ctrl+" : "",
           (state & GDK_ALT_MASK) ? "Alt+" : "", (state & GDK_SHIFT_MASK) ? "Shift+" : "", name ? name : "?");
  logLine(line);
  return FALSE;
}

static void onStart(GtkButton*, gpointer label) {
  logLine("started 1");
  gtk_label_set_text(GTK_LABEL(label), "Backup of nightly.profile started");
}

static gboolean announce(gpointer) {
  char line[64];
  snprintf(line, sizeof line, "ready %d", (int)getpid());
  logLine(line);
  return G_SOURCE_REMOVE;
}

static gboolean onClose(GtkWindow*, gpointer) {
  closed = true;
  return FALSE;
}

int main() {
  g_set_prgname("profile-backup");
  gtk_init();
  const char* path = g_getenv("DEMO_BACKUP_LOG");
  if (path && *path) logFile = fopen(path, "a");

  GtkWidget* window = gtk_window_new();
  gtk_window_set_title(GTK_WINDOW(window), "/home/user/profiles/nightly.profile \u2014 Profile Backup");
  gtk_window_set_default_size(GTK_WINDOW(window), 480, 160);
  g_signal_connect(window, "close-request", G_CALLBACK(onClose), NULL);
  GtkEventController* keys = gtk_event_controller_key_new();
  gtk_event_controller_set_propagation_phase(keys, GTK_PHASE_CAPTURE);
  g_signal_connect(keys, "key-pressed", G_CALLBACK(onKey), NULL);
  gtk_widget_add_controller(window, keys);

  GtkWidget* box = gtk_box_new(GTK_ORIENTATION_VERTICAL, 8);
  gtk_widget_set_margin_start(box, 12);
  gtk_widget_set_margin_end(box, 12);
  gtk_widget_set_margin_top(box, 12);
  gtk_widget_set_margin_bottom(box, 12);
  GtkWidget* started = gtk_label_new("Profile: nightly.profile");
  GtkWidget* start = gtk_button_new_with_mnemonic("_Start Backup");
  g_signal_connect(start, "clicked", G_CALLBACK(onStart), started);
  gtk_box_append(GTK_BOX(box), started);
  gtk_box_append(GTK_BOX(box), start);
  gtk_window_set_child(GTK_WINDOW(window), box);
  gtk_window_present(GTK_WINDOW(window));
  g_idle_add(announce, NULL);
  while (!closed) g_main_context_iteration(NULL, TRUE);
  return 0;
}
