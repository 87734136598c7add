// Process priority classes over the scheduler's nice values. The classes keep
// their Windows numbers, because the emulator shows them by those names; a
// class is set on every thread of the process, as Linux keeps nice per thread.
#pragma once

#include <cstdint>
#include <string>

namespace platform {

inline constexpr uint32_t NORMAL_PRIORITY_CLASS = 32;
inline constexpr uint32_t IDLE_PRIORITY_CLASS = 64;
inline constexpr uint32_t HIGH_PRIORITY_CLASS = 128;
inline constexpr uint32_t REALTIME_PRIORITY_CLASS = 256;
inline constexpr uint32_t BELOW_NORMAL_PRIORITY_CLASS = 16384;
inline constexpr uint32_t ABOVE_NORMAL_PRIORITY_CLASS = 32768;

// The nice value a class stands for (Normal 0, High -10, ...); 0 for a number
// that is no class.
int NiceForClass(uint32_t priorityClass);
// The class a nice value falls in.
uint32_t ClassForNice(int nice);

// The class of process `processId` (0: this process); 0 when it cannot be read.
uint32_t GetProcessPriority(int processId);
// Sets the class; where the right to do so is lacking nothing changes. Returns
// the class in force afterwards.
uint32_t SetProcessPriority(int processId, uint32_t priorityClass);

// "High", "Below Normal", ..., or "Unknown:" and the number.
std::string PriorityName(uint32_t priorityClass);

}  // namespace platform
