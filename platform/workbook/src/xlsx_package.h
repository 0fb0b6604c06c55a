// The zip package of an .xlsx workbook: its parts, read as XML with expat,
// and the relationships that lead from one part to the next.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

struct zip;

namespace kalvor::platform::detail {

// The attributes of an XML element as expat hands them over, with names in
// the form "namespace|local" (or just "local" for unqualified ones).
class XmlAttributes {
 public:
  explicit XmlAttributes(const char** pairs) : pairs_(pairs) {}
  // An unqualified attribute by name.
  std::optional<std::string_view> get(std::string_view name) const;
  // A qualified attribute by local name and the end of its namespace.
  std::optional<std::string_view> get(std::string_view namespace_end, std::string_view local) const;

 private:
  const char** pairs_;
};

// Receives the elements of one part; names are local names, without their
// namespace. A handler may throw ReadFailure; parsing then stops and the
// failure reaches the caller of Package::parse.
class XmlHandler {
 public:
  virtual ~XmlHandler() = default;
  virtual void start(std::string_view name, const XmlAttributes& attributes) = 0;
  virtual void end(std::string_view name) = 0;
  virtual void text(std::string_view data) = 0;
};

class Package {
 public:
  explicit Package(const std::string& path);
  ~Package();
  Package(const Package&) = delete;
  Package& operator=(const Package&) = delete;

  bool has_part(const std::string& name) const;
  // Streams the part through expat into the handler.
  void parse(const std::string& name, XmlHandler& handler) const;

 private:
  struct zip* zip_ = nullptr;
};

struct Relationship {
  std::string id;
  std::string type;
  std::string part;  // the target, as a part name of the package
};

// The internal relationships of a part ("" for the package itself); none when
// the part has no relationships part.
std::vector<Relationship> read_relationships(const Package& package, const std::string& source);

// The part a relationship target names, seen from the source part.
std::string resolve_target(const std::string& source, const std::string& target);

}  // namespace kalvor::platform::detail
