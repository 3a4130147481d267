// What the GTK windows hand their events to: the platform's message queue and procedures.
#pragma once

#include "platform/platform.h"

namespace zr590::platform::gtk {

class MessageSink {
 public:
  // Input and close requests: queued for the program's wait (handed out at once while a
  // modal dialog runs its own loop).
  virtual void push(const Input& input) = 0;
  // Size and repaint: to the window procedure at once.
  virtual void send(const Message& message) = 0;
  // A modal dialog is open: its owner takes no close request.
  virtual bool modal() const = 0;

 protected:
  ~MessageSink() = default;
};

}  // namespace zr590::platform::gtk
