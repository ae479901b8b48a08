#pragma once

#include <string>
#include <string_view>

// The program's identity and the about box's texts, as every shell shows
// them. UTF-8.
namespace AboutText {

// The ruler window's caption, the about text's first line and the title of
// the calibration box.
inline constexpr std::string_view productTitle = "Ostrel屏幕刻度尺";
inline constexpr std::string_view caption = "关于";
inline constexpr std::string_view closeCaption = "关闭(&C)";

// Seven lines joined by "\r\n" with no break after the last: the title, the
// version line, the author line and the forum line, each after an empty line.
// The version line puts the revision before the minor number, the order in
// which the ruler has always shown its version ("版本: Ver2.0.0"; minor 1 and
// revision 5 give "版本: Ver2.5.1").
std::string text(int major, int minor, int revision);
// The text with the version of this build.
std::string text();

} // namespace AboutText
