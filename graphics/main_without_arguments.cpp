// The two-parameter main() that the process entry calls, for programs that define theirs
// without parameters. An archive member of its own: the linker takes it only when the program
// has no two-parameter main (see <zr590/entry.h>).
#include <zr590/entry.h>

int ZR590_main(int, char**) {
  return ZR590_main_without_arguments();
}
