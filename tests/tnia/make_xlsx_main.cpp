// tnia-make-xlsx DESCRIPTION OUTPUT: writes the described test workbook as
// .xlsx (used to make the committed .xls fixtures through LibreOffice).
#include <cstdio>
#include <exception>

#include "workbook_description.h"

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: tnia-make-xlsx DESCRIPTION OUTPUT.xlsx\n");
    return 2;
  }
  try {
    kalvor::test::write_xlsx(kalvor::test::read_workbook_description(argv[1]), argv[2]);
  } catch (const std::exception& e) {
    std::fprintf(stderr, "tnia-make-xlsx: %s\n", e.what());
    return 1;
  }
  return 0;
}
