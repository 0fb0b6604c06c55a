// The words of the exchange report's values, each defined once: converters
// write them through these names and read them back through the predicates
// below, so a word cannot drift between writing and reading.
#pragma once

#include <string_view>

namespace kalvor::report {

inline constexpr const char* kNotApplicable = "N/A";
inline constexpr const char* kYes = "Yes";
inline constexpr const char* kNo = "No";

inline const char* yes_no(bool yes) {
  return yes ? kYes : kNo;
}

// Barrier types.
inline constexpr const char* kReflective = "Reflective";
inline constexpr const char* kAbsorptive = "Absorptive";

// Road surface types.
inline constexpr const char* kBituminous = "Bituminous";
inline constexpr const char* kConcrete = "Concrete";
inline constexpr const char* kPervious = "Pervious";
inline constexpr const char* kOtherSurface = "Other";

// Road categories.
inline constexpr const char* kNewRoad = "(1) New";
inline constexpr const char* kExistingRoad = "(2) Existing";
inline constexpr const char* kOtherRoad = "(3) Other";

// Flow directions.
inline constexpr const char* kOneWay = "One Way";
inline constexpr const char* kTwoWay = "Two Way";

// Is `text` the "not applicable" word, in any letter case?
bool is_not_applicable(std::string_view text);

// Labels of the link records' "label: value" lines, without their colon.
inline constexpr std::string_view kLinkNoLabel = "Link No.";
inline constexpr std::string_view kLinkIdLabel = "Link ID";
inline constexpr std::string_view kAssociatedBarrierLabel = "Associated Barrier Link No.";
inline constexpr std::string_view kAssociatedRoadLabel = "Associated Road Link No.";

// Is `label_part` (the text of a line before its first colon) the label
// `label`, ignoring blanks around it and letter case?
bool has_label(std::string_view label_part, std::string_view label);
// Is it the label of a link's associated barriers or roads?
bool is_association_label(std::string_view label_part);

}  // namespace kalvor::report
