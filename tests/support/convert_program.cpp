#include "convert_program.h"

#include <sys/wait.h>

#include <array>
#include <cstdio>

namespace kalvor::test {

std::string shell_quoted(const std::string& text) {
  std::string quoted = "'";
  for (char c : text) quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
  return quoted + "'";
}

ConvertRun run_kalvor_convert(const std::string& arguments) {
  std::string command = shell_quoted(KALVOR_CONVERT_EXE) + " " + arguments + " 2>&1";
  FILE* pipe = popen(command.c_str(), "r");
  if (!pipe) return {-1, "could not start " + command};
  std::string output;
  std::array<char, 4096> buffer;
  while (std::size_t n = fread(buffer.data(), 1, buffer.size(), pipe))
    output.append(buffer.data(), n);
  int status = pclose(pipe);
  return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, output};
}

ConvertRun convert_with_kalvor_convert(const std::string& format,
                                       const std::filesystem::path& input,
                                       const std::filesystem::path& output,
                                       const std::string& extra) {
  return run_kalvor_convert(
      "--quiet --format " + format + " --input " + shell_quoted(input.string()) + " --output " +
      shell_quoted(output.string()) +
      " --consultant 'Acme Acoustics Ltd' --phone '2345 6789' --fax '2345 6790'"
      " --email noise@acme.example --coordinate 'HK1980 Grid' --year 2031 " +
      extra);
}

}  // namespace kalvor::test
