// The modal "ZR590_gets" dialog: a prompt, one line box and the default button "Okay".
#pragma once

#include <functional>
#include <string>

typedef struct _GtkWindow GtkWindow;
typedef struct _GtkWidget GtkWidget;

namespace zr590::platform::gtk {

// Runs the dialog over `owner` (may be null) in a nested main loop until "Okay" is pressed
// or Enter is typed in the line box; Escape and the close box do nothing. Returns the line
// box's text (UTF-8). `opened` is called once the dialog is up (tests drive it from there).
std::string run_line_dialog(GtkWindow* owner, const std::string& prompt_utf8,
                            const std::function<void(GtkWidget* dialog)>& opened = {});

}  // namespace zr590::platform::gtk
