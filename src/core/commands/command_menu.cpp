#include "command_menu.h"

#include <array>

namespace {

using enum MenuCommand;

constexpr MenuEntry separator{};

constexpr std::array entries{
    MenuEntry{"单位: 像素(&P)", ScaleMode, 1, true},
    MenuEntry{"单位: 英寸(&I)", ScaleMode, 2, true},
    MenuEntry{"单位: 毫米(&M)", ScaleMode, 3, true},
    separator,
    MenuEntry{"向上移动(UP)", Move, 1},
    MenuEntry{"向下移动(DOWN)", Move, 2},
    MenuEntry{"向左移动(LEFT)", Move, 3},
    MenuEntry{"向右移动(RIGHT)", Move, 4},
    separator,
    MenuEntry{"增加透明度(+)", Tran, 1},
    MenuEntry{"减少透明度(-)", Tran, 2},
    separator,
    MenuEntry{"始终在前(&T)", AlwaysOnTop, 0, true},
    MenuEntry{"在任务栏出现(&R)", Taskbar, 0, true},
    separator,
    MenuEntry{"设置颜色(&R)", Color},
    separator,
    MenuEntry{"水平刻度尺(&H)", Direction, 0, true},
    MenuEntry{"竖直刻度尺(&V)", Direction, 1, true},
    separator,
    MenuEntry{"虚拟刻度尺(&P)", Size, 0, true},
    MenuEntry{"物理刻度尺(&S)", Size, 1, true},
    separator,
    MenuEntry{"输入校正值(&R)", Revise},
    separator,
    MenuEntry{"关于(&A)", About},
    MenuEntry{"帮助(&H)", Help},
    separator,
    MenuEntry{"退出(&Q)", Quit},
};

} // namespace

std::span<const MenuEntry> commandMenu()
{
    return entries;
}

bool isChecked(const MenuEntry &entry, const CommandState &state)
{
    switch (entry.command) {
    case ScaleMode:
        return state.unit.isMarked(entry.index);
    case Direction:
        return state.direction.isMarked(entry.index);
    case Size:
        return state.size.isMarked(entry.index);
    case AlwaysOnTop:
        return state.alwaysOnTop;
    case Taskbar:
        return state.taskbar;
    default:
        return false;
    }
}
