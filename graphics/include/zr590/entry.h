// Include this header in the one source file that defines the program's main().
//
// The library owns the process entry on every platform: it keeps the start-up values
// (ZR590_startup_args) and then calls your main(). To make that possible this header renames
// your `int main()` to `int ZR590_main()`; write it without parameters and return an int.
// The process's own exit status is 0 whatever it returns (the library ends the process with
// a status of its own only on a fatal error).
#pragma once

#include <zr590/zr590.h>

int ZR590_main();
#define main ZR590_main
