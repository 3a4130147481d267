/* Prints the arguments its main() gets, one a line, and whether argv ends with a null. With
 * the first argument "open" it also opens and closes the library (so opens the display).
 * Built with PROBE_WITHOUT_ARGUMENTS, its main() takes none. */
#include <stdio.h>
#include <string.h>
#include <zr590/entry.h>

#ifdef PROBE_WITHOUT_ARGUMENTS
int main(void) {
  puts("no arguments");
  return 0;
}
#else
int main(int argc, char** argv) {
  for (int i = 1; i < argc; ++i) printf("%s\n", argv[i]);
  if (argv[argc] != NULL) puts("argv does not end with a null");
  if (argc > 1 && strcmp(argv[1], "open") == 0) {
    const ZR590_StartupArgs* start = ZR590_get_startup_args();
    ZR590_open(start->instance, start->prev_instance, start->command_line, start->show_command);
    ZR590_close();
    puts("opened");
  }
  return 0;
}
#endif
