#include "project_writer.h"

#include <bit>
#include <fstream>
#include <sstream>
#include <stdexcept>

namespace kalvor::test {

namespace {

class RecordBytes {
 public:
  void byte(int b) { bytes_.push_back(static_cast<std::uint8_t>(b)); }
  void int16(int v) {
    byte(v & 0xFF);
    byte((v >> 8) & 0xFF);
  }
  void int32(long v) {
    for (int i = 0; i < 4; ++i) byte(static_cast<int>((v >> (8 * i)) & 0xFF));
  }
  void real(double v) {
    const auto bits = std::bit_cast<std::uint64_t>(v);
    for (int i = 0; i < 8; ++i) byte(static_cast<int>((bits >> (8 * i)) & 0xFF));
  }
  void text(const std::string& s) {
    for (char c : s) byte(static_cast<unsigned char>(c));
  }
  void counted_text(const std::string& s) {
    byte(static_cast<int>(s.size()));
    text(s);
  }
  void hex(std::istream& in) {
    std::string pair;
    while (in >> pair) byte(std::stoi(pair, nullptr, 16));
  }
  const std::vector<std::uint8_t>& bytes() const { return bytes_; }

 private:
  std::vector<std::uint8_t> bytes_;
};

std::vector<double> numbers(std::istream& in, std::size_t count, const std::string& line) {
  std::vector<double> values(count);
  for (auto& v : values) {
    if (!(in >> v)) throw std::invalid_argument("too few numbers in: " + line);
  }
  return values;
}

std::string rest_of(std::istream& in) {
  std::string rest;
  std::getline(in >> std::ws, rest);
  return rest;
}

void point(RecordBytes& r, const std::string& kind, std::istream& in, const std::string& line) {
  if (kind == "STRA") {
    auto v = numbers(in, 6, line);
    for (int i = 0; i < 4; ++i) r.real(v[i]);
    r.byte(0);
    r.real(v[4]);
    r.byte(0);
    r.real(0);
    r.real(v[5]);
    r.byte(0);
  } else if (kind == "BEUG" || kind == "REFL") {
    for (double v : numbers(in, kind == "BEUG" ? 6 : 8, line)) r.real(v);
  } else if (kind == "IMIS") {
    auto v = numbers(in, 6, line);
    std::string name = rest_of(in);
    name.resize(15, ' ');
    r.byte(0);
    r.text(name);
    for (int i = 0; i < 3; ++i) r.real(v[i]);
    r.int16(static_cast<int>(v[3]));
    r.int16(0);
    r.real(v[4]);
    r.real(v[5]);
    for (int i = 0; i < 4; ++i) r.int16(0);
  } else {
    throw std::invalid_argument("no point layout for the file kind of: " + line);
  }
}

void keyword(RecordBytes& r, const std::string& text) {
  const auto bar = text.find(" |");
  if (bar == std::string::npos) {
    r.counted_text(text);
    return;
  }
  const bool terminated = text.compare(bar, 3, " |~") != 0;
  r.counted_text(text.substr(0, bar));
  const auto start = text.find_first_not_of(' ', bar + (terminated ? 2 : 3));
  r.byte(0);
  if (start != std::string::npos) r.text(text.substr(start));
  if (terminated) r.byte(0);
}

// The content of one record line, or raw bytes for a "B" line.
void append_record(std::vector<std::uint8_t>& file, const std::string& kind,
                   const std::string& line) {
  std::istringstream in(line.substr(1));
  const char type = line[0];
  RecordBytes r;
  if (type == 'B') {
    r.hex(in);
    file.insert(file.end(), r.bytes().begin(), r.bytes().end());
    return;
  }
  char written = type;
  switch (type) {
    case 'I':
    case 'i':
      r.int32(1);
      r.byte('P');
      r.text("SP70");
      r.text("TEST");
      break;
    case 'K':
    case 'k':
      r.counted_text(line.size() > 2 ? line.substr(2) : "");
      break;
    case 'S':
    case 's':
      keyword(r, line.size() > 2 ? line.substr(2) : "");
      break;
    case 'D':
    case 'd':
      point(r, kind, in, line);
      break;
    case 'R':
      in >> written;
      r.hex(in);
      break;
    default:
      throw std::invalid_argument("unknown record line: " + line);
  }
  RecordBytes framed;
  framed.int16(static_cast<int>(r.bytes().size() + 1));
  framed.byte(static_cast<unsigned char>(written));
  file.insert(file.end(), framed.bytes().begin(), framed.bytes().end());
  file.insert(file.end(), r.bytes().begin(), r.bytes().end());
}

}  // namespace

std::vector<ProjectFileBytes> build_project(const std::string& description) {
  std::vector<ProjectFileBytes> files;
  std::string kind;
  std::istringstream in(description);
  std::string line;
  while (std::getline(in, line)) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (line.empty() || line[0] == '#') continue;
    if (line.rfind("file ", 0) == 0) {
      files.push_back({line.substr(5), {}});
      kind = files.back().name.substr(0, files.back().name.find('.'));
      continue;
    }
    if (files.empty()) throw std::invalid_argument("record before any file line: " + line);
    append_record(files.back().bytes, kind, line);
  }
  return files;
}

void write_project(const std::string& description, const std::filesystem::path& folder) {
  for (const auto& file : build_project(description)) {
    std::ofstream out(folder / file.name, std::ios::binary);
    out.write(reinterpret_cast<const char*>(file.bytes.data()),
              static_cast<std::streamsize>(file.bytes.size()));
  }
}

}  // namespace kalvor::test
