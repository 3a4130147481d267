#include "platform/gtk/menu_bar.h"

#include <gtk/gtk.h>

#include "platform/text_encoding.h"

namespace zr590::platform::gtk {
namespace {

// Menus of the system the library was made for show a check mark only on a checked item, and
// no box on the others.
constexpr const char* kCheckMarkCss =
    "menuitem check { border: none; background: none; box-shadow: none; }";

void show_check_as_mark(GtkWidget* item) {
  static GtkCssProvider* provider = [] {
    GtkCssProvider* css = gtk_css_provider_new();
    gtk_css_provider_load_from_data(css, kCheckMarkCss, -1, nullptr);
    return css;
  }();
  gtk_style_context_add_provider(gtk_widget_get_style_context(item), GTK_STYLE_PROVIDER(provider),
                                 GTK_STYLE_PROVIDER_PRIORITY_APPLICATION);
}

// GTK's mnemonic form, in UTF-8.
std::string gtk_label(const MenuItem& item) {
  return display_utf8(marked_label(item, '_'));
}

}  // namespace

MenuBar::MenuBar(MessageSink& sink, const MenuItem& title, const MenuItem* items, std::size_t count)
    : sink_(sink),
      bar_(gtk_menu_bar_new()),
      top_(gtk_menu_item_new_with_mnemonic(gtk_label(title).c_str())),
      menu_(gtk_menu_new()) {
  entries_.reserve(count);
  for (std::size_t i = 0; i < count; ++i) {
    const MenuItem& item = items[i];
    GtkWidget* widget;
    if (item.label == nullptr) {
      widget = gtk_separator_menu_item_new();
    } else {
      widget = gtk_check_menu_item_new_with_mnemonic(gtk_label(item).c_str());
      show_check_as_mark(widget);
      gtk_check_menu_item_set_active(GTK_CHECK_MENU_ITEM(widget), item.checked);
      if (item.shortcut != 0) {
        // A label only: the window procedure implements the shortcut from its key messages.
        gtk_accel_label_set_accel(GTK_ACCEL_LABEL(gtk_bin_get_child(GTK_BIN(widget))),
                                  gdk_unicode_to_keyval(g_unichar_tolower(item.shortcut)),
                                  GDK_CONTROL_MASK);
      }
      gtk_widget_set_sensitive(widget, !item.greyed);
    }
    entries_.push_back({widget, item.label == nullptr ? 0 : item.id, item.checked});
    gtk_menu_shell_append(GTK_MENU_SHELL(menu_), widget);
  }
  // Connected once every entry is in place: the handler finds its entry by widget.
  for (Entry& entry : entries_) {
    if (entry.id != 0) g_signal_connect(entry.widget, "activate", G_CALLBACK(on_activate), this);
  }
  gtk_menu_item_set_submenu(GTK_MENU_ITEM(top_), menu_);
  gtk_menu_shell_append(GTK_MENU_SHELL(bar_), top_);
  gtk_widget_show_all(bar_);
}

void MenuBar::on_activate(GtkWidget* item, gpointer data) {
  auto* self = static_cast<MenuBar*>(data);
  for (const Entry& entry : self->entries_) {
    if (entry.widget != item) continue;
    // GTK has just toggled the check item itself; the program alone sets check marks.
    self->show_check(entry);
    self->sink_.push({{Window::Graphics, MessageKind::Command, entry.id}});
    return;
  }
}

void MenuBar::show_check(const Entry& entry) {
  // Setting the state activates a check item; that is no command.
  g_signal_handlers_block_by_func(entry.widget, reinterpret_cast<gpointer>(on_activate), this);
  gtk_check_menu_item_set_active(GTK_CHECK_MENU_ITEM(entry.widget), entry.checked);
  g_signal_handlers_unblock_by_func(entry.widget, reinterpret_cast<gpointer>(on_activate), this);
}

void MenuBar::set_check(int command_id, bool checked) {
  // Like a check mark set by command id: the first item with that id.
  for (Entry& entry : entries_) {
    if (entry.id != command_id) continue;
    entry.checked = checked;
    show_check(entry);
    return;
  }
}

std::vector<MenuBar::Shown> MenuBar::shown() const {
  std::vector<Shown> result;
  for (const Entry& entry : entries_) {
    if (GTK_IS_SEPARATOR_MENU_ITEM(entry.widget)) {
      result.push_back({"", 0, false, false, true});
      continue;
    }
    GtkWidget* label = gtk_bin_get_child(GTK_BIN(entry.widget));
    guint key = 0;
    GdkModifierType mods{};
    gtk_accel_label_get_accel(GTK_ACCEL_LABEL(label), &key, &mods);
    result.push_back({gtk_label_get_label(GTK_LABEL(label)), key,
                      gtk_check_menu_item_get_active(GTK_CHECK_MENU_ITEM(entry.widget)) != 0,
                      gtk_widget_get_sensitive(entry.widget) != 0, false});
  }
  return result;
}

std::string MenuBar::title() const {
  return gtk_menu_item_get_label(GTK_MENU_ITEM(top_));
}

}  // namespace zr590::platform::gtk
