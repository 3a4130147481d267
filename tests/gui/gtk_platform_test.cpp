// The GTK backend with real windows: what GTK's events become, what the windows show, and the
// modal dialog. The order of messages, the timer and the close box are the conformance suite's
// (tests/conformance), which runs them on every backend.
#include "platform/gtk/gtk_platform.h"

#include <gtest/gtest.h>
#include <gtk/gtk.h>

#include <chrono>
#include <cstring>
#include <functional>
#include <string>
#include <vector>

#include "gtk_key_event.h"
#include "menu.h"
#include "platform/text_encoding.h"

namespace zr590::platform::gtk {
namespace {

using Clock = std::chrono::steady_clock;

class GtkPlatformTest : public ::testing::Test {
 protected:
  void SetUp() override {
    platform_ = std::make_unique<GtkPlatform>();
    platform_->set_window_procedure([this](const Message& m) {
      seen_.push_back(m);
      // The library's graphics window procedure builds its menu when the window is created.
      if (m.window == Window::Graphics && m.kind == MessageKind::Create) {
        platform_->create_menu(kRunMenuTitle, run_menu_items, kRunMenuItemCount);
      }
      if (on_message_) on_message_(m);
    });
  }
  void TearDown() override {
    platform_.reset();
    while (g_main_context_iteration(nullptr, FALSE)) {
    }
  }

  void open_graphics() {
    platform_->create_window(Window::Graphics, "ZR590 Graphics", 0, 0, 601, 540);
    platform_->show_window(Window::Graphics, true);
    ASSERT_TRUE(spin_until([&] { return gtk_widget_get_mapped(toplevel()); }));
  }
  GtkWidget* toplevel() const { return GTK_WIDGET(platform_->graphics_window()->gtk_window()); }
  GtkWidget* area() const { return platform_->graphics_window()->drawing_area(); }

  // Runs the main loop until `done` holds, for at most two seconds.
  bool spin_until(const std::function<bool()>& done) {
    auto end = Clock::now() + std::chrono::seconds(2);
    while (!done()) {
      if (Clock::now() > end) return false;
      if (!g_main_context_iteration(nullptr, FALSE)) g_usleep(1000);
    }
    return true;
  }

  // Takes and dispatches every waiting message; returns the dispatched ones of `kind`.
  std::vector<Message> take_all(MessageKind kind) {
    seen_.clear();
    while (platform_->has_message()) platform_->take_message();
    std::vector<Message> result;
    for (const Message& m : seen_) {
      if (m.kind == kind) result.push_back(m);
    }
    return result;
  }

  void key(GtkWidget* widget, bool press, guint keyval, guint state = 0) {
    zr590::testing::send_key(widget, press, keyval, state);
  }

  void button(GdkEventType type, guint number, double x, double y) {
    GdkEvent* event = gdk_event_new(type);
    event->button.window = GDK_WINDOW(g_object_ref(gtk_widget_get_window(area())));
    event->button.button = number;
    event->button.x = x;
    event->button.y = y;
    gdk_event_set_device(
        event, gdk_seat_get_pointer(gdk_display_get_default_seat(gdk_display_get_default())));
    gtk_widget_event(area(), event);
    gdk_event_free(event);
  }

  std::unique_ptr<GtkPlatform> platform_;
  std::vector<Message> seen_;
  std::function<void(const Message&)> on_message_;
};

TEST_F(GtkPlatformTest, GraphicsWindowIsCreatedWithItsMenuAndClientSize) {
  platform_->create_window(Window::Graphics, "ZR590 Graphics", 0, 0, 601, 540);
  // Create, then Size with the client area below the menu bar, before create_window returns.
  ASSERT_EQ(seen_.size(), 2u);
  EXPECT_EQ(seen_[0].kind, MessageKind::Create);
  EXPECT_EQ(seen_[1].kind, MessageKind::Size);
  EXPECT_EQ(seen_[1].a, 601);
  EXPECT_EQ(seen_[1].b, 515);

  platform_->show_window(Window::Graphics, true);
  ASSERT_TRUE(spin_until([&] { return gtk_widget_get_mapped(toplevel()); }));
  GtkAllocation outer;
  gtk_widget_get_allocation(toplevel(), &outer);
  EXPECT_EQ(outer.width, 601);
  EXPECT_EQ(outer.height, 540);
  Box client = platform_->client_rect(Window::Graphics);
  EXPECT_EQ(client.right - client.left, 601);
  EXPECT_EQ(client.bottom - client.top, 515);
  EXPECT_TRUE(gtk_window_get_resizable(GTK_WINDOW(toplevel())));  // larger, see resize_test.sh
  EXPECT_STREQ(gtk_window_get_title(GTK_WINDOW(toplevel())), "ZR590 Graphics");
}

TEST_F(GtkPlatformTest, RunMenuShowsMnemonicsShortcutsGreyedInfoAndChecks) {
  open_graphics();
  const MenuBar* menu = platform_->graphics_window()->menu();
  ASSERT_NE(menu, nullptr);
  EXPECT_EQ(menu->title(), "_Run");
  auto shown = menu->shown();
  ASSERT_EQ(shown.size(), 16u);
  EXPECT_EQ(shown[0].label, "_Animate");
  EXPECT_EQ(shown[0].accel_key, GDK_KEY_a);
  EXPECT_EQ(shown[2].label, "Advance one _frame");
  EXPECT_EQ(shown[8].label, "Play _One Script");
  EXPECT_EQ(shown[8].accel_key, GDK_KEY_o);
  EXPECT_EQ(shown[10].accel_key, GDK_KEY_q);
  for (std::size_t i : {3u, 5u, 9u, 11u}) EXPECT_TRUE(shown[i].separator) << i;
  for (std::size_t i = 12; i < 16; ++i) {
    EXPECT_FALSE(shown[i].sensitive) << shown[i].label;
    EXPECT_EQ(shown[i].accel_key, 0u);
  }
  EXPECT_TRUE(shown[10].sensitive);
  for (std::size_t i = 0; i < 16; ++i) EXPECT_EQ(shown[i].checked, i == 4) << i;

  platform_->set_menu_check(CmdLogging, false);
  platform_->set_menu_check(CmdRecordScript, true);
  shown = menu->shown();
  EXPECT_FALSE(shown[4].checked);
  EXPECT_TRUE(shown[6].checked);
  // Setting a check mark is not a command.
  EXPECT_TRUE(take_all(MessageKind::Command).empty());
}

TEST_F(GtkPlatformTest, MenuItemsSendCommandsAndOnlyTheProgramSetsCheckMarks) {
  open_graphics();
  const MenuBar* menu = platform_->graphics_window()->menu();
  gtk_menu_item_activate(GTK_MENU_ITEM(menu->item(0)));   // Animate
  gtk_menu_item_activate(GTK_MENU_ITEM(menu->item(4)));   // Logging
  gtk_menu_item_activate(GTK_MENU_ITEM(menu->item(10)));  // Quit
  auto commands = take_all(MessageKind::Command);
  ASSERT_EQ(commands.size(), 3u);
  EXPECT_EQ(commands[0].a, CmdAnimate);
  EXPECT_EQ(commands[1].a, CmdLogging);
  EXPECT_EQ(commands[2].a, CmdQuit);
  auto shown = menu->shown();
  EXPECT_FALSE(shown[0].checked);
  EXPECT_TRUE(shown[4].checked);  // as the program left it; its procedure sets it anew
}

TEST_F(GtkPlatformTest, KeysBecomeVirtualKeyCodesAndTranslatedCharacters) {
  open_graphics();
  take_all(MessageKind::KeyDown);
  GtkWidget* window = toplevel();
  key(window, true, GDK_KEY_c);
  key(window, false, GDK_KEY_c);
  key(window, true, GDK_KEY_Control_L);
  key(window, true, GDK_KEY_l, GDK_CONTROL_MASK);
  key(window, false, GDK_KEY_Control_L, GDK_CONTROL_MASK);
  key(window, true, GDK_KEY_exclam, GDK_SHIFT_MASK);  // Shift+1
  key(window, true, GDK_KEY_Delete);

  seen_.clear();
  while (platform_->has_message()) platform_->take_message();
  std::vector<std::pair<MessageKind, int>> got;
  for (const Message& m : seen_) {
    if (m.kind == MessageKind::KeyDown || m.kind == MessageKind::KeyUp ||
        m.kind == MessageKind::Char) {
      EXPECT_EQ(m.window, Window::Graphics);
      got.emplace_back(m.kind, m.a);
    }
  }
  using K = MessageKind;
  std::vector<std::pair<MessageKind, int>> expected = {
      {K::KeyDown, 67}, {K::Char, 'c'}, {K::KeyUp, 67},   {K::KeyDown, 17}, {K::KeyDown, 76},
      {K::Char, 12},    {K::KeyUp, 17}, {K::KeyDown, 49}, {K::Char, '!'},   {K::KeyDown, 46},
  };
  EXPECT_EQ(got, expected);
}

TEST_F(GtkPlatformTest, TextWindowKeysReachItsOwnProcedure) {
  platform_->create_window(Window::Text, "ZR590 Text", 0, 683, 1280, 341);
  platform_->show_window(Window::Text, true);
  GtkWidget* text = GTK_WIDGET(platform_->text_window()->gtk_window());
  ASSERT_TRUE(spin_until([&] { return gtk_widget_get_mapped(text); }));
  key(text, true, GDK_KEY_Control_R);
  auto downs = take_all(MessageKind::KeyDown);
  ASSERT_EQ(downs.size(), 1u);
  EXPECT_EQ(downs[0].window, Window::Text);
  EXPECT_EQ(downs[0].a, 17);
}

// A key released while another window has the focus never reaches us: losing the focus is a
// message of its own, from either window.
TEST_F(GtkPlatformTest, LosingTheKeyboardFocusIsAMessage) {
  open_graphics();
  platform_->create_window(Window::Text, "ZR590 Text", 0, 683, 1280, 341);
  for (GtkWidget* window : {toplevel(), GTK_WIDGET(platform_->text_window()->gtk_window())}) {
    GdkEvent* event = gdk_event_new(GDK_FOCUS_CHANGE);
    event->focus_change.window = GDK_WINDOW(g_object_ref(gtk_widget_get_window(toplevel())));
    event->focus_change.in = FALSE;
    gtk_widget_send_focus_change(window, event);
    gdk_event_free(event);
  }
  auto lost = take_all(MessageKind::FocusLost);
  ASSERT_EQ(lost.size(), 2u);
  EXPECT_EQ(lost[0].window, Window::Graphics);
  EXPECT_EQ(lost[1].window, Window::Text);
}

TEST_F(GtkPlatformTest, OnlyALeftButtonPressIsAMouseMessage) {
  open_graphics();
  take_all(MessageKind::LButtonDown);
  button(GDK_BUTTON_PRESS, 3, 5, 5);
  button(GDK_BUTTON_PRESS, 1, 300.7, 257.2);
  button(GDK_2BUTTON_PRESS, 1, 300, 257);  // the double click's extra event
  button(GDK_BUTTON_RELEASE, 1, 300, 257);
  auto presses = take_all(MessageKind::LButtonDown);
  ASSERT_EQ(presses.size(), 1u);
  EXPECT_EQ(presses[0].a, 300);
  EXPECT_EQ(presses[0].b, 257);
}

TEST_F(GtkPlatformTest, WindowShowsTheLastCopyNotThePictureBeingDrawn) {
  open_graphics();
  Picture& picture = platform_->picture();
  const Rgb red{255, 0, 0}, blue{0, 0, 255};
  picture.rectangle({0, 0, 601, 540}, {0, red}, {false, red});
  platform_->copy_picture_to_window();
  picture.rectangle({0, 0, 601, 540}, {0, blue}, {false, blue});  // drawn, not copied

  // A redraw is a repaint: the window procedure hears of it (and would copy the picture),
  // and the window shows its surface.
  seen_.clear();
  cairo_surface_t* target = cairo_image_surface_create(CAIRO_FORMAT_RGB24, 601, 515);
  cairo_t* cr = cairo_create(target);
  gtk_widget_draw(area(), cr);
  cairo_destroy(cr);
  cairo_surface_flush(target);
  auto pixel = [&](int x, int y) {
    auto* row = cairo_image_surface_get_data(target) + y * cairo_image_surface_get_stride(target);
    return reinterpret_cast<std::uint32_t*>(row)[x] & 0xFFFFFF;
  };
  EXPECT_EQ(pixel(0, 0), 0xFF0000u);
  EXPECT_EQ(pixel(600, 514), 0xFF0000u);
  ASSERT_EQ(seen_.size(), 1u);
  EXPECT_EQ(seen_[0].kind, MessageKind::Paint);
  cairo_surface_destroy(target);
}

// Asked to, the text window's close box hides the window and tells the library nothing;
// showing it brings the same window back.
TEST_F(GtkPlatformTest, TextWindowCloseBoxOnlyHidesItWhenAskedTo) {
  platform_->create_window(Window::Text, "ZR590 Text", 0, 683, 1280, 341);
  platform_->set_text_close_hides(true);
  GtkWidget* window = GTK_WIDGET(platform_->text_window()->gtk_window());
  platform_->show_window(Window::Text, true);
  ASSERT_TRUE(spin_until([&] { return gtk_widget_get_mapped(window); }));
  gtk_window_close(GTK_WINDOW(window));
  ASSERT_TRUE(spin_until([&] { return !gtk_widget_get_visible(window); }));
  EXPECT_TRUE(take_all(MessageKind::Destroy).empty());
  EXPECT_TRUE(platform_->text_window()->exists());
  EXPECT_EQ(platform_->show_window(Window::Text, true), 0);
  EXPECT_TRUE(spin_until([&] { return gtk_widget_get_mapped(window); }));
}

TEST_F(GtkPlatformTest, TextWindowDrawsNewLinesAtTheBottomAndScrollsUp) {
  platform_->create_window(Window::Text, "ZR590 Text", 0, 683, 1280, 341);
  TextWindow& text = *platform_->text_window();
  const int h = text.line_height();
  ASSERT_GT(h, 8);
  ASSERT_LT(h, 30);
  cairo_surface_t* s = text.surface();
  // Dark pixels in rows [top, bottom), and the leftmost column holding one.
  auto dark = [&](int top, int bottom, int* left = nullptr) {
    cairo_surface_flush(s);
    int count = 0, first = 1 << 30;
    for (int y = top; y < bottom; ++y) {
      auto* row = reinterpret_cast<std::uint32_t*>(cairo_image_surface_get_data(s) +
                                                   y * cairo_image_surface_get_stride(s));
      for (int x = 0; x < 1280; ++x) {
        if ((row[x] & 0xFF) < 128) {
          ++count;
          first = std::min(first, x);
        }
      }
    }
    if (left != nullptr) *left = first;
    return count;
  };
  text.put_line("WWWW");
  int left = 0;
  EXPECT_GT(dark(341 - h, 341, &left), 20);
  EXPECT_GE(left, 5);
  EXPECT_LE(left, 7);
  EXPECT_EQ(dark(0, 341 - h), 0);
  text.put_line("");  // an empty line scrolls too
  EXPECT_EQ(dark(341 - h, 341), 0);
  EXPECT_GT(dark(341 - 2 * h, 341 - h), 20);

  // Shown, the window is repainted: its procedure replays the ring.
  seen_.clear();
  platform_->show_window(Window::Text, true);
  ASSERT_TRUE(spin_until([&] {
    for (const Message& m : seen_) {
      if (m.window == Window::Text && m.kind == MessageKind::Paint) return true;
    }
    return false;
  }));
}

TEST_F(GtkPlatformTest, LineDialogEndsOnlyWithOkayWhileTheTimerTicks) {
  open_graphics();
  platform_->create_window(Window::Text, "ZR590 Text", 0, 683, 1280, 341);
  set_current(platform_.get());
  platform_->start_timer(2, 10);
  button(GDK_BUTTON_PRESS, 1, 10, 10);  // queued before the dialog opens

  std::size_t seen_at_open = 0;
  bool open_after_escape = false;
  bool graphics_kept = false;
  std::string label_text, shown;
  GtkWidget* dialog_seen = nullptr;
  GtkWidget* line_box = nullptr;
  // The second step, a little later in the dialog's own loop.
  std::function<void()> later = [&] {
    open_after_escape = gtk_widget_get_visible(dialog_seen);
    graphics_kept = platform_->graphics_window()->exists();
    std::string typed;
    for (int i = 0; i < 300; ++i) typed += "\xC3\xA9";  // é
    gtk_entry_set_text(GTK_ENTRY(line_box), typed.c_str());
    shown = gtk_entry_get_text(GTK_ENTRY(line_box));
    gtk_widget_activate(line_box);  // Enter
  };
  platform_->dialog_opened = [&](GtkWidget* dialog) {
    dialog_seen = dialog;
    seen_at_open = seen_.size();
    EXPECT_STREQ(gtk_window_get_title(GTK_WINDOW(dialog)), "ZR590_gets");
    EXPECT_TRUE(gtk_window_get_modal(GTK_WINDOW(dialog)));
    GList* children =
        gtk_container_get_children(GTK_CONTAINER(gtk_dialog_get_content_area(GTK_DIALOG(dialog))));
    for (GList* c = children; c != nullptr; c = c->next) {
      if (GTK_IS_LABEL(c->data)) label_text = gtk_label_get_text(GTK_LABEL(c->data));
      if (GTK_IS_ENTRY(c->data)) line_box = GTK_WIDGET(c->data);
    }
    g_list_free(children);
    ASSERT_NE(line_box, nullptr);
    EXPECT_TRUE(gtk_widget_is_focus(line_box));
    key(dialog, true, GDK_KEY_Escape);
    gtk_window_close(GTK_WINDOW(dialog));      // the close box
    gtk_window_close(GTK_WINDOW(toplevel()));  // the owner's close box
    g_timeout_add(
        150,
        [](void* data) -> int {
          (*static_cast<std::function<void()>*>(data))();
          return G_SOURCE_REMOVE;
        },
        &later);
  };

  char reply[256];
  std::memset(reply, 'x', sizeof reply);
  ASSERT_EQ(ZR590_gets("Name?", reply), 1);
  platform_->kill_timer(2);
  set_current(nullptr);

  EXPECT_TRUE(open_after_escape);
  EXPECT_TRUE(graphics_kept);
  EXPECT_EQ(label_text, shape_dialog_prompt("Name?", TextBytes::Utf8).padded());
  // UTF-8 as typed, the line box taking 255 bytes without splitting a character: 127 letters
  // é, shown as they are used.
  std::string acutes;
  for (int i = 0; i < 127; ++i) acutes += "\xC3\xA9";
  EXPECT_EQ(shown, acutes);
  EXPECT_EQ(std::string(reply), acutes);
  // The click waiting in the queue reached the window procedure when the dialog opened, and
  // ticks kept coming while it was open.
  int clicks_before_open = 0, ticks_while_open = 0;
  for (std::size_t i = 0; i < seen_.size(); ++i) {
    if (seen_[i].kind == MessageKind::LButtonDown && i < seen_at_open) ++clicks_before_open;
    if (seen_[i].kind == MessageKind::Timer && i >= seen_at_open) ++ticks_while_open;
  }
  EXPECT_EQ(clicks_before_open, 1);
  EXPECT_GE(ticks_while_open, 3);
  EXPECT_TRUE(take_all(MessageKind::Destroy).empty());
}

}  // namespace
}  // namespace zr590::platform::gtk
