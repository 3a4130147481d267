#include "platform/gtk/line_dialog.h"

#include <gtk/gtk.h>

#include <cstring>

#include "platform/platform.h"
#include "platform/text_encoding.h"

namespace zr590::platform::gtk {
namespace {

constexpr const char* kTitle = "ZR590_gets";
constexpr const char* kOkay = "Okay";
// About the prompt area of the original dialog: two lines of some 40 characters.
constexpr int kPromptChars = 42;

struct Running {
  GtkWidget* dialog;
  const std::function<void(GtkWidget*)>* opened;
  guint opened_source = 0;
  bool destroyed = false;
};

int call_opened(void* data) {
  auto* running = static_cast<Running*>(data);
  running->opened_source = 0;
  (*running->opened)(running->dialog);
  return G_SOURCE_REMOVE;
}

void on_destroy(GtkWidget*, void* data) {
  static_cast<Running*>(data)->destroyed = true;
}

// The line box takes at most kReplyLength bytes of UTF-8, in whole characters, so that what
// the user sees typed is the whole reply (GTK's own limit counts characters).
void on_insert(GtkEditable* editable, const char* text, int length, int* position, void*) {
  const std::size_t used = std::strlen(gtk_entry_get_text(GTK_ENTRY(editable)));
  const std::size_t room = used < kReplyLength ? kReplyLength - used : 0;
  const std::size_t given = length < 0 ? std::strlen(text) : static_cast<std::size_t>(length);
  if (given <= room) return;
  const std::size_t kept = utf8_prefix(std::string_view(text, given), room).bytes;
  g_signal_handlers_block_by_func(editable, reinterpret_cast<void*>(on_insert), nullptr);
  if (kept > 0) gtk_editable_insert_text(editable, text, static_cast<int>(kept), position);
  g_signal_handlers_unblock_by_func(editable, reinterpret_cast<void*>(on_insert), nullptr);
  g_signal_stop_emission_by_name(editable, "insert-text");
  if (kept < given) gtk_widget_error_bell(GTK_WIDGET(editable));
}

}  // namespace

std::string run_line_dialog(GtkWindow* owner, const std::string& prompt_utf8,
                            const std::function<void(GtkWidget*)>& opened) {
  GtkWidget* dialog = gtk_dialog_new();
  gtk_window_set_title(GTK_WINDOW(dialog), kTitle);
  gtk_window_set_modal(GTK_WINDOW(dialog), TRUE);
  gtk_window_set_resizable(GTK_WINDOW(dialog), FALSE);
  if (owner != nullptr) {
    gtk_window_set_transient_for(GTK_WINDOW(dialog), owner);
    gtk_window_set_position(GTK_WINDOW(dialog), GTK_WIN_POS_CENTER_ON_PARENT);
  }
  // Neither Escape (which GTK turns into a close request) nor the close box ends it.
  g_signal_connect(dialog, "delete-event", G_CALLBACK(gtk_true), nullptr);

  GtkWidget* content = gtk_dialog_get_content_area(GTK_DIALOG(dialog));
  gtk_container_set_border_width(GTK_CONTAINER(content), 8);
  gtk_box_set_spacing(GTK_BOX(content), 6);
  GtkWidget* prompt = gtk_label_new(prompt_utf8.c_str());
  gtk_label_set_xalign(GTK_LABEL(prompt), 0);
  gtk_label_set_line_wrap(GTK_LABEL(prompt), TRUE);
  gtk_label_set_width_chars(GTK_LABEL(prompt), kPromptChars);
  gtk_label_set_max_width_chars(GTK_LABEL(prompt), kPromptChars);
  GtkWidget* line = gtk_entry_new();
  gtk_entry_set_activates_default(GTK_ENTRY(line), TRUE);
  g_signal_connect(line, "insert-text", G_CALLBACK(on_insert), nullptr);
  gtk_box_pack_start(GTK_BOX(content), prompt, FALSE, FALSE, 0);
  gtk_box_pack_start(GTK_BOX(content), line, FALSE, FALSE, 0);

  GtkWidget* okay = gtk_dialog_add_button(GTK_DIALOG(dialog), kOkay, GTK_RESPONSE_OK);
  GtkWidget* actions = gtk_widget_get_parent(okay);
  if (GTK_IS_BUTTON_BOX(actions)) {
    gtk_button_box_set_layout(GTK_BUTTON_BOX(actions), GTK_BUTTONBOX_CENTER);
  }
  gtk_dialog_set_default_response(GTK_DIALOG(dialog), GTK_RESPONSE_OK);
  gtk_widget_show_all(dialog);
  gtk_widget_grab_focus(line);

  Running running{dialog, &opened};
  g_signal_connect(dialog, "destroy", G_CALLBACK(on_destroy), &running);
  if (opened) running.opened_source = g_idle_add(call_opened, &running);
  std::string text;
  // Only "Okay" (the button, or Enter in the line box) ends the dialog.
  while (!running.destroyed && gtk_dialog_run(GTK_DIALOG(dialog)) != GTK_RESPONSE_OK) {
  }
  if (running.opened_source != 0) g_source_remove(running.opened_source);
  if (!running.destroyed) {
    text = gtk_entry_get_text(GTK_ENTRY(line));
    g_signal_handlers_disconnect_by_data(dialog, &running);
    gtk_widget_destroy(dialog);
  }
  return text;
}

}  // namespace zr590::platform::gtk
