// Where a TNIA v2.0 workbook keeps its data, and the file channels of the
// converter.
#pragma once

namespace kalvor::tnia {

inline constexpr int kSheetCount = 6;
inline constexpr int kGeometrySheet = 1;           // nodes and receiver points
inline constexpr int kRoadSheet = 2;               // road link attributes
inline constexpr int kBarrierSheet = 3;            // barriers of kinds A and B
inline constexpr int kAbsorptiveBarrierSheet = 4;  // barriers of kind O
inline constexpr int kReceiverSheet = 5;           // receivers; D2 and E2 model-wide settings
inline constexpr int kLevelSheet = 6;              // receiver levels

// Worksheet 1: title in B1, data from row 3 on.
inline constexpr long kTitleRow = 1;
inline constexpr long kTitleColumn = 2;
inline constexpr long kFirstDataRow = 3;
inline constexpr long kIdColumn = 1;  // A, in every worksheet
inline constexpr long kXColumn = 2;
inline constexpr long kYColumn = 3;
inline constexpr long kZColumn = 4;
inline constexpr long kKindColumn = 5;

// Worksheet 2.
inline constexpr long kSurfaceColumn = 2;
inline constexpr long kRoadWidthColumn = 3;
inline constexpr long kFlowColumn = 4;
inline constexpr long kHeavyVehiclesColumn = 5;
inline constexpr long kSpeedColumn = 6;
inline constexpr long kGradientFlagColumn = 8;

// Worksheets 3 and 4; the associations of worksheet 3 are read from row 2
// while column B holds a height.
inline constexpr long kFirstAssociationRow = 2;
inline constexpr long kBarrierIdColumn = 1;
inline constexpr long kBarrierHeightColumn = 2;
inline constexpr long kAssociatedRoadColumn = 3;

// Worksheet 5.
inline constexpr long kLevelKeyColumn = 2;
inline constexpr long kFacadeFlagColumn = 3;

// Worksheet 5, row 2: the model-wide settings.
inline constexpr long kSettingsRow = 2;
inline constexpr long kReflectiveColumn = 4;      // D2: "Y" for reflective barriers
inline constexpr long kCutoffDistanceColumn = 5;  // E2

// Worksheet 6, from row 2 on.
inline constexpr long kFirstLevelRow = 2;
inline constexpr long kLevelLabelColumn = 2;
inline constexpr long kLevelHeightColumn = 3;

inline constexpr int kReportChannel = 11;
inline constexpr int kRoadIndexChannel = 12;
inline constexpr int kBarrierIndexChannel = 13;
inline constexpr int kMiscChannel = 14;
inline constexpr int kRoadChannel = 15;
inline constexpr int kBarrierChannel = 16;
inline constexpr int kReceiverChannel = 17;

}  // namespace kalvor::tnia
