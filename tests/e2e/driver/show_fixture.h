#pragma once
// The show started as the desktop starts it, with no password, the pointer at rest, and the
// program and its settings gone after each test whatever the test saw.
#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <string_view>

#include "driver.h"

namespace lumiroll::e2e {

inline constexpr wchar_t kShowTitle[] = L"SCRNSAVE: Lumiroll Screen Saver";

class ShowFixture : public testing::Test {
 protected:
  void SetUp() override {
    DeleteRegistryValue(HKEY_CURRENT_USER, L"Control Panel\\Desktop", L"ScreenSaveUsePassword");
    MovePointerTo(200, 300);
  }
  void TearDown() override {
    ClearSettings();
    if (program_ && program_->started() && program_->IsRunning()) program_->Kill();  // waits until it is gone
  }

  // Starts Lumiroll.scr /s with these settings.
  const RunningProgram& Launch(std::wstring_view time, std::wstring_view size, const std::wstring& folder,
                               std::wstring_view order) {
    static const std::wstring saver = BuiltProgram(L"Lumiroll.scr");
    StoreSettings(time, size, folder, order);
    program_.emplace(RunningProgram::Start(saver, L"/s"));
    return *program_;
  }

  // Launch, then wait for the show's window; nothing when it does not appear.
  HWND StartShowWindow(std::wstring_view time, std::wstring_view size, const std::wstring& folder,
                       std::wstring_view order) {
    const RunningProgram& program = Launch(time, size, folder, order);
    return program.started() ? program.WaitForWindow(kShowTitle) : nullptr;
  }

  std::optional<RunningProgram> program_;
};

}  // namespace lumiroll::e2e
