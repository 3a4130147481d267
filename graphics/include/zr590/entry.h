/* Include this header (C or C++) in the one source file that defines the program's main().
 *
 * The library owns the process entry on every platform: it keeps the start-up values
 * (ZR590_get_startup_args) and then calls your main(), written either way:
 *
 *   int main(void)                       (or `int main()`)
 *   int main(int argc, char** argv)      (or `char* argv[]`)
 *
 * argv[0] is the program's name and argv[1..argc-1] its own arguments: GTK's options (such as
 * --display) and the headless runner's options and message file are taken out first; on
 * Windows the command line is split as the C runtime splits it. argv[argc] is null.
 *
 * How: `main` is a macro that counts the parameters in the definition and renames it to
 * ZR590_main (two parameters) or ZR590_main_without_arguments (none). The library's entry
 * calls ZR590_main(argc, argv); the library also holds a ZR590_main of its own that calls
 * ZR590_main_without_arguments(), in an archive member of its own, which the linker takes only
 * when the program has no two-parameter main. So this works alike in C and C++ and with every
 * linker, static or shared library.
 *
 * The process's own exit status is 0 whatever main() returns (the library ends the process
 * with a status of its own only on a fatal error); a program that wants another status calls
 * exit().
 */
#pragma once

#include <zr590/zr590.h>

#ifdef __cplusplus
extern "C" {
#endif

int ZR590_main(int argc, char** argv);
int ZR590_main_without_arguments(void);

#ifdef __cplusplus
} /* extern "C" */
#endif

#define ZR590_MAIN_BY_PARAMETERS_(first, second, chosen, ...) chosen
#define main(...)                                                                  \
  ZR590_MAIN_BY_PARAMETERS_(__VA_ARGS__, ZR590_main, ZR590_main_without_arguments, \
                            ZR590_main_without_arguments)                          \
  (__VA_ARGS__)
