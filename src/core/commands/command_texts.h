#pragma once

#include <string_view>

// The texts that the help command and the physical scale's tip show in the
// about box, each with the box's caption. UTF-8.
namespace CommandTexts {

inline constexpr std::string_view helpCaption = "帮助";
inline constexpr std::string_view help = "操作指南:\r\n\r\n"
                                         "1、方向键可以移动刻度尺。\r\n\r\n"
                                         "2、Shift+方向键可以更精确地移动刻度尺\r\n\r\n"
                                         "3、按[+]增大透明度，按[-]减少透明度\r\n\r\n"
                                         "4、在刻度尺右下角处可以拉伸刻度尺\r\n\r\n"
                                         "    此时鼠标光标会变成拉伸的形状";
inline constexpr std::string_view tipCaption = "提示";
inline constexpr std::string_view uncalibratedTip =
    "** 没有校正值，请在菜单中选择[输入校正值]以校正刻度尺。";

} // namespace CommandTexts
