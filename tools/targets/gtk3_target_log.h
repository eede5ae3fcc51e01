// What the GTK 3 backup programs of the tests share: a log in $DEMO_BACKUP_LOG
// with "ready PID", one "key ..." line per key press and "started N", as the
// Qt demo writes them.
#pragma once

#include <gtk/gtk.h>

void targetLogOpen();
void targetLog(const char* line);
void targetLogStarted(int job);
// For "key-press-event" of the window: the window sees each press before
// mnemonics, accelerators and the focused widget, and only writes it down.
gboolean targetLogKey(GtkWidget* window, GdkEventKey* event, gpointer unused);
// Writes "ready PID" once the main loop runs, so the window is shown.
void targetAnnounceWhenShown();
// The logging window with the title, quitting when closed, and the grid that
// holds its controls.
GtkWidget* targetWindowGrid(const char* title, GtkWidget** window);
