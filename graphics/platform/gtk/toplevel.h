// What the graphics and text windows do alike with their GTK top-level window.
#pragma once

#include <gtk/gtk.h>

namespace zr590::platform {

// Shows or hides a top-level window; returns 1 if it was visible before.
inline int show_toplevel(GtkWidget* window, bool show) {
  if (window == nullptr) return 0;
  int was_visible = gtk_widget_get_visible(window) ? 1 : 0;
  if (show) {
    gtk_widget_show(window);
  } else {
    gtk_widget_hide(window);
  }
  return was_visible;
}

}  // namespace zr590::platform
