//===- app/status_text.h - What the status label says -----------*- C++ -*-===//
//
// The status label's captions and colours.  Colours are 0x00BBGGRR values.
//
//===----------------------------------------------------------------------===//
#ifndef FILECRYPTER_APP_STATUS_TEXT_H
#define FILECRYPTER_APP_STATUS_TEXT_H

#include "app/commands.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace filecrypter {

using Colour = std::uint32_t; // 0x00BBGGRR

inline constexpr std::string_view kStatusRunning = "正在进行中 . . .";
inline constexpr Colour kColourRunning = 0x800080; // RGB(128, 0, 128)
inline constexpr std::string_view kStatusDone = "√ 完成";
inline constexpr Colour kColourDone = 0x808000; // RGB(0, 128, 128)
inline constexpr std::string_view kStatusNothingDropped = "× 请先拖入文件";
inline constexpr Colour kColourFailed = 0x0000C0; // RGB(192, 0, 0)

constexpr std::uint8_t RedOf(Colour c) noexcept { return static_cast<std::uint8_t>(c); }
constexpr std::uint8_t GreenOf(Colour c) noexcept { return static_cast<std::uint8_t>(c >> 8); }
constexpr std::uint8_t BlueOf(Colour c) noexcept { return static_cast<std::uint8_t>(c >> 16); }

struct StatusLine {
  std::string text;
  Colour colour = kColourRunning;
};

// The caption after a command: "√ 完成" when every file succeeded,
// "× N 个文件失败" when N failed, "× 请先拖入文件" when it was refused.
StatusLine FinalStatus(const CommandReport &report);

// One line per failure, "path: reason", for a tooltip or a log; empty when
// there was none.
std::string FailureDetails(const CommandReport &report);

} // namespace filecrypter

#endif // FILECRYPTER_APP_STATUS_TEXT_H
