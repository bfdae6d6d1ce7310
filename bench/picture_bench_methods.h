#pragma once
// The ways the picture benchmark gets a JPEG from its file name into a 1920x1080 back buffer.
#include <windows.h>

#include <cstdint>
#include <string>

namespace lumiroll::bench {

inline constexpr int kBufferWidth = 1920, kBufferHeight = 1080;

// A 32-bit top-down DIB section with a memory DC, as the show's surface has.
struct BackBuffer {
  HDC dc = nullptr;  // not owned here: the owners live in the child's setup
  std::uint32_t* bits = nullptr;
};

// Where the picture goes: the fitted rectangle, the same for every method.
struct Placement {
  int left = 0, top = 0, width = 0, height = 0;
};

enum class Method { kOurs, kClassic, kGdiPlus, kWic, kFloor };
inline constexpr Method kMethods[] = {Method::kOurs, Method::kClassic, Method::kGdiPlus, Method::kWic, Method::kFloor};
[[nodiscard]] const wchar_t* MethodName(Method method);
// Whether the method draws into the back buffer (the floor only decodes).
[[nodiscard]] bool MethodDraws(Method method);

// Process-wide start-up a method needs (COM, GDI+), done before the timed runs.
void PrepareMethod(Method method);
// One timed run; false when the method failed.
[[nodiscard]] bool RunMethod(Method method, const std::wstring& photo, const BackBuffer& buffer, Placement place);

}  // namespace lumiroll::bench
