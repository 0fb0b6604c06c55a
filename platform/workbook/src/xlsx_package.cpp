#include "xlsx_package.h"

#include <expat.h>
#include <zip.h>

#include <array>
#include <exception>

#include "memory_workbook.h"

namespace kalvor::platform::detail {

namespace {

// No part of a workbook this program reads comes near this size; a larger
// one is a compressed bomb rather than a workbook.
constexpr zip_uint64_t kMaxPartSize = 256ull * 1024 * 1024;

std::string_view local_name(std::string_view qualified) {
  const auto bar = qualified.rfind('|');
  return bar == std::string_view::npos ? qualified : qualified.substr(bar + 1);
}

// Drives one expat parser over one part. Exceptions must not travel through
// expat's C frames, so a failure inside a callback is kept and rethrown once
// expat has returned.
class Parser {
 public:
  Parser(const std::string& part, XmlHandler& handler)
      : part_(part), handler_(handler), expat_(XML_ParserCreateNS(nullptr, '|')) {
    if (!expat_) throw ReadFailure("there is not enough memory to read part " + part);
    XML_SetUserData(expat_, this);
    XML_SetElementHandler(expat_, &Parser::on_start, &Parser::on_end);
    XML_SetCharacterDataHandler(expat_, &Parser::on_text);
    XML_SetStartDoctypeDeclHandler(expat_, &Parser::on_doctype);
  }
  ~Parser() { XML_ParserFree(expat_); }
  Parser(const Parser&) = delete;
  Parser& operator=(const Parser&) = delete;

  void feed(const char* data, int size, bool last) {
    if (XML_Parse(expat_, data, size, last ? XML_TRUE : XML_FALSE) == XML_STATUS_OK) return;
    if (failure_) std::rethrow_exception(failure_);
    throw ReadFailure("part " + part_ + " is not well-formed XML (line " +
                      std::to_string(XML_GetCurrentLineNumber(expat_)) + ": " +
                      XML_ErrorString(XML_GetErrorCode(expat_)) + ")");
  }

 private:
  template <typename Action>
  static void guarded(void* self, Action action) {
    auto* parser = static_cast<Parser*>(self);
    try {
      action(*parser);
    } catch (...) {
      parser->failure_ = std::current_exception();
      XML_StopParser(parser->expat_, XML_FALSE);
    }
  }
  static void on_start(void* self, const XML_Char* name, const XML_Char** attributes) {
    guarded(self,
            [&](Parser& p) { p.handler_.start(local_name(name), XmlAttributes(attributes)); });
  }
  static void on_end(void* self, const XML_Char* name) {
    guarded(self, [&](Parser& p) { p.handler_.end(local_name(name)); });
  }
  static void on_text(void* self, const XML_Char* data, int length) {
    guarded(self, [&](Parser& p) {
      p.handler_.text(std::string_view(data, static_cast<std::size_t>(length)));
    });
  }
  static void on_doctype(void* self, const XML_Char*, const XML_Char*, const XML_Char*, int) {
    guarded(self, [](Parser& p) -> void {
      throw ReadFailure("part " + p.part_ + " declares a document type, which workbooks never do");
    });
  }

  std::string part_;
  XmlHandler& handler_;
  XML_Parser expat_;
  std::exception_ptr failure_;
};

// Closes a zip entry on every way out.
class ZipEntry {
 public:
  ZipEntry(zip_t* zip, const std::string& name)
      : file_(zip_fopen(zip, name.c_str(), ZIP_FL_NOCASE)) {
    if (!file_) throw ReadFailure("part " + name + " cannot be read from the zip package");
  }
  ~ZipEntry() { zip_fclose(file_); }
  ZipEntry(const ZipEntry&) = delete;
  ZipEntry& operator=(const ZipEntry&) = delete;
  zip_file_t* get() const { return file_; }

 private:
  zip_file_t* file_;
};

void normalise_segments(std::vector<std::string>& segments, const std::string& segment) {
  if (segment.empty() || segment == ".") return;
  if (segment == "..") {
    if (!segments.empty()) segments.pop_back();
    return;
  }
  segments.push_back(segment);
}

std::string folder_of(const std::string& part) {
  const auto slash = part.rfind('/');
  return slash == std::string::npos ? std::string() : part.substr(0, slash + 1);
}

std::string relationships_part_of(const std::string& source) {
  const auto slash = source.rfind('/');
  const std::string file = slash == std::string::npos ? source : source.substr(slash + 1);
  return folder_of(source) + "_rels/" + file + ".rels";
}

class RelationshipsHandler final : public XmlHandler {
 public:
  RelationshipsHandler(const std::string& source, std::vector<Relationship>& out)
      : source_(source), out_(out) {}
  void start(std::string_view name, const XmlAttributes& attributes) override {
    if (name != "Relationship") return;
    const auto mode = attributes.get("TargetMode");
    if (mode && *mode == "External") return;
    const auto id = attributes.get("Id");
    const auto type = attributes.get("Type");
    const auto target = attributes.get("Target");
    if (!id || !type || !target) return;
    out_.push_back(
        {std::string(*id), std::string(*type), resolve_target(source_, std::string(*target))});
  }
  void end(std::string_view) override {}
  void text(std::string_view) override {}

 private:
  const std::string& source_;
  std::vector<Relationship>& out_;
};

}  // namespace

std::optional<std::string_view> XmlAttributes::get(std::string_view name) const {
  for (const char** p = pairs_; p[0] && p[1]; p += 2)
    if (name == p[0]) return std::string_view(p[1]);
  return std::nullopt;
}

std::optional<std::string_view> XmlAttributes::get(std::string_view namespace_end,
                                                   std::string_view local) const {
  for (const char** p = pairs_; p[0] && p[1]; p += 2) {
    const std::string_view qualified(p[0]);
    const auto bar = qualified.rfind('|');
    if (bar == std::string_view::npos || qualified.substr(bar + 1) != local) continue;
    if (qualified.substr(0, bar).ends_with(namespace_end)) return std::string_view(p[1]);
  }
  return std::nullopt;
}

Package::Package(const std::string& path) {
  int error = 0;
  zip_ = zip_open(path.c_str(), ZIP_RDONLY, &error);
  if (!zip_) {
    zip_error_t details;
    zip_error_init_with_code(&details, error);
    std::string reason = zip_error_strerror(&details);
    zip_error_fini(&details);
    throw ReadFailure("its zip package cannot be read (" + reason + ")");
  }
}

Package::~Package() {
  zip_discard(zip_);
}

bool Package::has_part(const std::string& name) const {
  return zip_name_locate(zip_, name.c_str(), ZIP_FL_NOCASE) >= 0;
}

void Package::parse(const std::string& name, XmlHandler& handler) const {
  ZipEntry entry(zip_, name);
  Parser parser(name, handler);
  std::array<char, 64 * 1024> buffer;
  zip_uint64_t total = 0;
  for (;;) {
    const zip_int64_t got = zip_fread(entry.get(), buffer.data(), buffer.size());
    if (got < 0)
      throw ReadFailure("part " + name + " is damaged (" +
                        zip_error_strerror(zip_file_get_error(entry.get())) + ")");
    total += static_cast<zip_uint64_t>(got);
    if (total > kMaxPartSize)
      throw ReadFailure("part " + name + " unpacks to more than " +
                        std::to_string(kMaxPartSize / (1024 * 1024)) + " MiB");
    parser.feed(buffer.data(), static_cast<int>(got), got == 0);
    if (got == 0) return;
  }
}

std::vector<Relationship> read_relationships(const Package& package, const std::string& source) {
  std::vector<Relationship> found;
  const std::string part = relationships_part_of(source);
  if (!package.has_part(part)) return found;
  RelationshipsHandler handler(source, found);
  package.parse(part, handler);
  return found;
}

std::string resolve_target(const std::string& source, const std::string& target) {
  const std::string path = target.starts_with('/') ? target : folder_of(source) + target;
  std::vector<std::string> segments;
  std::string segment;
  for (char ch : path) {
    if (ch == '/') {
      normalise_segments(segments, segment);
      segment.clear();
    } else {
      segment += ch;
    }
  }
  normalise_segments(segments, segment);
  std::string part;
  for (const std::string& s : segments) part += (part.empty() ? "" : "/") + s;
  return part;
}

}  // namespace kalvor::platform::detail
