// The shape editor's entry; the library's process entry calls it.
#include <zr590/entry.h>

#include "editor_loop.h"

int main() {
  return run_editor();
}
