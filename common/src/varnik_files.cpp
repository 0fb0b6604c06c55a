// File channels and line I/O of Varnik.
#include <cerrno>
#include <cmath>
#include <string>

#include "channels.h"
#include "quillan/text.h"
#include "quillan/varnik.h"

namespace quillan {

namespace {

long channel_number(const Value& v) {
  if (!v.is_numeric())
    throw Error(ErrorCode::BadFileNumber, "Bad file number: \"" + v.to_text() + "\"");
  double n = v.to_number();
  if (!(std::fabs(n) < 1e9)) throw Error(ErrorCode::BadFileNumber, "Bad file number");
  return std::lround(n);
}

// Which way a file is opened: -1 nothing, 0 input, 1 output.
int direction_of(const Value& io_type) {
  if (io_type.is_text() && (io_type.text() == "Input" || io_type.text() == "Output"))
    return io_type.text() == "Input" ? 0 : 1;
  if (io_type.is_numeric()) {
    double n = io_type.to_number();
    if (n == 0.0) return 0;
    if (n == 1.0) return 1;
  }
  return -1;
}

// Is the next byte of the channel the end of the file?
bool at_end(std::FILE* file) {
  int c = getc_unlocked(file);
  if (c == EOF) return true;
  ungetc(c, file);
  return false;
}

std::string print_form(const Value& v) {
  if (v.is_number()) {
    double n = v.number();
    return (n >= 0 ? " " : "") + number_to_text(n) + " ";
  }
  return v.to_text();
}

void write_bytes(detail::Channel& ch, const std::string& bytes) {
  if (!bytes.empty() && std::fwrite(bytes.data(), 1, bytes.size(), ch.file) != bytes.size())
    detail::fail_write(ch.path, errno);
}

}  // namespace

void Varnik::open_file_handler(const Value& absolute_path, const Value& io_type,
                               const Value& file_handler, bool IsBinary) {
  int direction = direction_of(io_type);
  if (direction < 0) return;
  detail::Mode mode = direction == 0
                          ? (IsBinary ? detail::Mode::BinaryInput : detail::Mode::TextInput)
                          : (IsBinary ? detail::Mode::BinaryOutput : detail::Mode::TextOutput);
  detail::open_channel(channel_number(file_handler), absolute_path.to_text(), mode);
}

void Varnik::close_file_handler(const Value& IFileNo) {
  detail::close_channel(channel_number(IFileNo));
}

void Varnik::close_ALL_file_handler() {
  detail::close_all_channels();
}

bool Varnik::CheckEOF(const Value& IFileID) {
  return at_end(detail::readable(channel_number(IFileID)).file);
}

std::string Varnik::GetLine(const Value& IFileID) {
  long number = channel_number(IFileID);
  detail::Channel& ch = detail::readable(number);
  std::FILE* file = ch.file;
  int c = getc_unlocked(file);
  if (c == EOF) throw Error(ErrorCode::InputPastEndOfFile, "Input past end of file: " + ch.path);
  std::string line;
  // A line ends at CR LF, at a bare CR, or at a bare LF.
  while (c != EOF && c != '\r' && c != '\n') {
    line.push_back(static_cast<char>(c));
    c = getc_unlocked(file);
  }
  if (c == '\r') {
    int next = getc_unlocked(file);
    if (next != '\n' && next != EOF) ungetc(next, file);
  }
  return line;
}

void Varnik::PrintLine(const Value& OFileID, const Value& OText, bool NextLine) {
  detail::Channel& ch = detail::writable(channel_number(OFileID));
  write_bytes(ch, print_form(OText));
  if (NextLine) write_bytes(ch, "\r\n");
}

void Varnik::CopyAllContents(const Value& IFilePath, const Value& IFileID, const Value& OFileID) {
  open_file_handler(IFilePath, 0, IFileID, false);
  while (!CheckEOF(IFileID)) PrintLine(OFileID, GetLine(IFileID), true);
  close_file_handler(IFileID);
}

std::string Varnik::GetPathFromFullFilename(const Value& FullFilename) {
  std::string path = FullFilename.to_text();
  std::size_t cut = path.find_last_of("\\/");
  if (cut == std::string::npos)
    throw Error(ErrorCode::InvalidProcedureCall,
                "Invalid procedure call or argument: \"" + path + "\" names no folder");
  return path.substr(0, cut + 1);
}

}  // namespace quillan
