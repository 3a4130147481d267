#include "command_line.h"

#include <zr590/zr590.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <string_view>

namespace {

#ifdef _WIN32
#define STATE_FOLDER "%%LOCALAPPDATA%%\\ZR590"  // in a printf format
#else
#define STATE_FOLDER "$XDG_STATE_HOME/zr590, ~/.local/state/zr590"
#endif

void printHelp(const char* program) {
  std::printf(
      "usage: %s [DRAWING...]\n"
      "       %s --help | --version\n\n"
      "The shape editor: draw squares, triangles, circles, rectangles and ovals with the\n"
      "mouse; pick, move, resize, recolour and delete them; save and load drawings.\n"
      "It starts with the DRAWING files loaded, as its LOAD button loads them.\n\n"
      "Buttons, top to bottom: square, triangle, circle (one click places one), rectangle,\n"
      "oval (two clicks, for opposite corners), PICK (select), MOVE, RESIZE, FILL (filled or\n"
      "outlined), the cross (delete), LOAD, SAVE. The colour bar sets the colour.\n"
      "Keys: c clears the drawing, z undoes the last change, y redoes it, e exports the\n"
      "picture (a name ending in .png or .svg).\n"
      "The Run menu: animation, logging (Ctrl+L), recording to ZR590.SCR and playing it\n"
      "back (Ctrl+R, Ctrl+P, Ctrl+O), Quit (Ctrl+Q).\n\n"
      "Drawings and ZR590.SCR are read and written in the current folder. An unsaved\n"
      "drawing is kept in the user's state folder (" STATE_FOLDER
      ");\n"
      "started again in the same folder, the editor offers it: y brings it back.\n\n"
      "  --help     show this help and exit\n"
      "  --version  show the version and exit\n\n"
      "More in the shape-editor(1) manual page.\n",
      program, program);
}

// Why `name` cannot be read, or nullptr if it can. A folder opens but cannot be read.
const char* unreadableBecause(const std::string& name) {
  std::FILE* in = std::fopen(name.c_str(), "rb");
  if (in == nullptr) return std::strerror(errno);
  std::getc(in);
  const char* reason = std::ferror(in) ? std::strerror(errno) : nullptr;
  std::fclose(in);
  return reason;
}

}  // namespace

int readCommandLine(int argc, char** argv, std::vector<std::string>& drawings) {
  const char* program = argc > 0 ? argv[0] : "shape-editor";
  const char* slash = std::strrchr(program, '/');
  const char* shortName = slash != nullptr ? slash + 1 : program;
  bool options = true;
  for (int i = 1; i < argc; ++i) {
    std::string_view arg = argv[i];
    if (options && arg == "--") {
      options = false;
    } else if (options && arg == "--help") {
      printHelp(shortName);
      return 0;
    } else if (options && arg == "--version") {
      std::printf("%s (ZR590) %s\n", shortName, ZR590_VERSION_STRING);
      return 0;
    } else if (options && arg.size() > 1 && arg[0] == '-') {
      std::fprintf(stderr, "%s: unknown option %s\nusage: %s [DRAWING...]\n", program, argv[i],
                   program);
      return 2;
    } else {
      drawings.emplace_back(arg);
    }
  }
  for (const std::string& name : drawings) {
    if (const char* reason = unreadableBecause(name)) {
      std::fprintf(stderr, "%s: cannot read %s: %s\n", program, name.c_str(), reason);
      return 2;
    }
  }
  return kRunEditor;
}
