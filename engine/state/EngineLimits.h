#pragma once

// Fixed capacities of the engine's data. Input beyond them is refused with a message in the
// report (status 1); nothing is ever stored past them.
inline constexpr int kMaxSegments = 500;
inline constexpr int kMaxSoilRows = 80;
inline constexpr int kSoilColumns = 19;
inline constexpr int kMaxCptPoints = 1000;
inline constexpr int kMaxTzDepths = 100;
inline constexpr int kMaxAreaRows = 100;
inline constexpr int kMethodCount = 9;
// The grid runs from penetration 0 to the embedded length, which lies within the segments.
inline constexpr int kMaxGridPoints = kMaxSegments + 1;

// Texts of the hand-over and project files.
inline constexpr int kVersionTextWidth = 12;
inline constexpr int kTitleReadWidth = 72;

// Tolerances the run driver compares depths with.
inline constexpr double kDepthTolerance = 0.000001;
