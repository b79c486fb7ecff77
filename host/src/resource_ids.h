#pragma once

// Icons built into the program.
constexpr int kIconApplication = 100;
constexpr int kIconHelp = 132;
constexpr int kIconMoveUp = 133;
constexpr int kIconMoveDown = 134;
