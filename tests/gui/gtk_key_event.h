// Sends a synthetic key press or release to a widget as the X server would: with the hardware
// key code and group that the keymap gives for the key value, so that GTK's key handling and
// accelerators see what a real keyboard makes.
#pragma once

#include <gtk/gtk.h>

namespace zr590::testing {

inline void send_key(GtkWidget* widget, bool press, guint keyval, guint state) {
  GdkEvent* event = gdk_event_new(press ? GDK_KEY_PRESS : GDK_KEY_RELEASE);
  event->key.window = GDK_WINDOW(g_object_ref(gtk_widget_get_window(widget)));
  event->key.keyval = keyval;
  event->key.state = state;
  GdkKeymapKey* keys = nullptr;
  gint count = 0;
  GdkDisplay* display = gdk_display_get_default();
  if (gdk_keymap_get_entries_for_keyval(gdk_keymap_get_for_display(display), keyval, &keys,
                                        &count) &&
      count > 0) {
    event->key.hardware_keycode = static_cast<guint16>(keys[0].keycode);
    event->key.group = static_cast<guint8>(keys[0].group);
  }
  g_free(keys);
  gdk_event_set_device(event, gdk_seat_get_keyboard(gdk_display_get_default_seat(display)));
  gtk_widget_event(widget, event);
  gdk_event_free(event);
}

}  // namespace zr590::testing
