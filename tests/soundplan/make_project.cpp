// soundplan_make_project DESCRIPTION FOLDER: writes the SoundPLAN project
// files of a readable description (see project_writer.h) into FOLDER.
#include <cstdio>
#include <exception>
#include <fstream>
#include <sstream>

#include "project_writer.h"

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: soundplan_make_project DESCRIPTION FOLDER\n");
    return 2;
  }
  try {
    std::ifstream in(argv[1], std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    kalvor::test::write_project(text.str(), argv[2]);
  } catch (const std::exception& e) {
    std::fprintf(stderr, "soundplan_make_project: %s\n", e.what());
    return 1;
  }
  return 0;
}
