// The graphics window's menu bar: one pull-down of items that send menu commands.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "platform/gtk/message_sink.h"
#include "platform/platform.h"

typedef struct _GtkWidget GtkWidget;

namespace zr590::platform::gtk {

class MenuBar {
 public:
  // Builds the bar with the pull-down `title` ('&' marks the mnemonic). Items with text are
  // check items, so that any of them can carry a check mark; greyed ones are insensitive.
  MenuBar(MessageSink& sink, const MenuItem& title, const MenuItem* items, std::size_t count);
  MenuBar(const MenuBar&) = delete;
  MenuBar& operator=(const MenuBar&) = delete;

  GtkWidget* widget() const { return bar_; }
  void set_check(int command_id, bool checked);

  // What the menu shows, for tests.
  struct Shown {
    std::string label;   // the label as GTK has it, mnemonic included
    unsigned accel_key;  // the key shown after the label (0: none)
    bool checked;
    bool sensitive;
    bool separator;
  };
  std::vector<Shown> shown() const;
  std::string title() const;
  GtkWidget* pull_down() const { return menu_; }
  // The menu item of the n-th entry (separators count), for tests that activate it.
  GtkWidget* item(std::size_t n) const { return entries_.at(n).widget; }

 private:
  struct Entry {
    GtkWidget* widget;
    int id;
    bool checked;  // the state the program set; a click does not change it
  };
  static void on_activate(GtkWidget* item, void* data);
  void show_check(const Entry& entry);

  MessageSink& sink_;
  GtkWidget* bar_;
  GtkWidget* top_;
  GtkWidget* menu_;
  std::vector<Entry> entries_;
};

}  // namespace zr590::platform::gtk
