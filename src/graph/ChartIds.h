#pragma once

// Resource ids of the chart's parent-side controls, the same in the main view
// and in the data-logger window.
namespace chartid {
inline constexpr int kChart = 1010;
inline constexpr int kUndoZoom = 1000;         // "UnDo Zoom"
inline constexpr int kCursorAValue = 1004;
inline constexpr int kCursorATime = 1011;
inline constexpr int kFirstLevelStatic = 1012; // 1012 (bottom) .. 1022 (top), hidden
inline constexpr int kCursorBValue = 1023;
inline constexpr int kCursorBTime = 1024;
inline constexpr int kMaxValue = 1025;         // "Max.Between A and B"
inline constexpr int kMaxTime = 1026;
inline constexpr int kMinValue = 1027;         // "Min.Between A and B"
inline constexpr int kMinTime = 1028;
inline constexpr int kAverage = 1029;          // "Average.Between A and B"
inline constexpr int kCursorALabel = 1030;
inline constexpr int kCursorBLabel = 1031;
inline constexpr int kQuantity = 1032;         // "Quantity.Between A and B"
inline constexpr int kIndicationValue = 1033;  // "Value:"
inline constexpr int kIndicationTime = 1034;   // "Time:"
inline constexpr int kHScroll = 1038;
inline constexpr int kVScroll = 1039;
inline constexpr int kCursorGroup = 1061;      // "Cursor"
} // namespace chartid
