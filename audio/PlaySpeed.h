#pragma once

#include <QString>

#include <optional>

/// Playback speeds in tenths, so that stepping up and down never drifts: 10 is as recorded.
namespace PlaySpeed {
constexpr int kSlowest = 5;
constexpr int kNormal = 10;
constexpr int kFastest = 20;
} // namespace PlaySpeed

/// A speed as the user reads it: "0.7x".
QString SpeedText(int tenths);
/// The tenths of a speed written as a decimal ("0.7", "2", "1.5"); nothing when it is not a
/// whole number of tenths between the slowest and the fastest.
std::optional<int> ParseSpeed(const QString& text);
