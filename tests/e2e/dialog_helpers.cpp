#include "dialog_helpers.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "saver/config/settings_dialog_layout.h"

namespace lumiroll::e2e {
namespace {

const std::wstring& Saver() {
  static const std::wstring path = BuiltProgram(L"Lumiroll.scr");
  return path;
}

POINT CentreOnScreen(HWND window) {
  RECT r;
  ::GetWindowRect(window, &r);
  return {(r.left + r.right) / 2, (r.top + r.bottom) / 2};
}

bool IsBlack(std::uint32_t pixel) {
  return ((pixel >> 16) & 0xFF) < 16 && ((pixel >> 8) & 0xFF) < 16 && (pixel & 0xFF) < 16;
}

}  // namespace

SettingsDialogSession::SettingsDialogSession(std::wstring_view workingFolder)
    : program(RunningProgram::Start(Saver(), L"/c", workingFolder)) {}

bool SettingsDialogSession::Open() {
  if (!program.started()) return false;
  dialog = program.WaitForWindow(L"Lumiroll Settings");
  if (!dialog) ADD_FAILURE() << "no settings dialog: the program " << program.Describe();
  return dialog && WaitForPainted(program, ::GetDlgItem(dialog, kIdCommandOK));
}

bool WaitForPainted(const RunningProgram& program, HWND control) {
  RECT r{};
  ::GetWindowRect(control, &r);
  return program.WaitUntil(
      [&] {
        const Screenshot shot = TakeScreenshotOf(r);
        return std::any_of(shot.pixels.begin(), shot.pixels.end(),
                           [&](std::uint32_t p) { return p != shot.pixels[0]; });
      },
      "the dialog painted");
}

std::vector<std::uint32_t> SettingsDialogSession::PreviewPixels() const {
  HWND preview = ::GetDlgItem(dialog, kIdPicture1);
  RECT client;
  ::GetClientRect(preview, &client);
  POINT origin{0, 0};
  ::ClientToScreen(preview, &origin);
  const Screenshot screen = TakeScreenshot();
  std::vector<std::uint32_t> pixels;
  for (int y = 0; y < client.bottom; ++y)
    for (int x = 0; x < client.right; ++x) pixels.push_back(screen.At(origin.x + x, origin.y + y));
  return pixels;
}

bool SettingsDialogSession::PreviewShowsAPicture() const {
  const auto pixels = PreviewPixels();
  return !pixels.empty() && BlackShare(pixels) < 0.99;
}

void SettingsDialogSession::SaveScreenshot(std::wstring_view name) {
  const std::optional<std::wstring> path = ScreenshotPath(name);
  if (!path) return;
  ::Sleep(300);  // only a picture for a person to look at, asked for by LUMIROLL_SCREENSHOT_DIR: not a check
  (void)TakeScreenshot().SaveBmp(*path);
}

void CopyAsset(const std::wstring& relative, const std::wstring& destination) {
  ASSERT_TRUE(::CopyFileW(AssetPath(relative).c_str(), destination.c_str(), FALSE)) << "asset " << relative.size();
}

std::wstring LastName(const std::wstring& path) { return path.substr(path.find_last_of(L'\\') + 1); }

SIZE ClientSize(HWND window) {
  RECT r;
  ::GetClientRect(window, &r);
  return {r.right, r.bottom};
}

bool IsCentred(HWND window) {
  const POINT centre = CentreOnScreen(window);
  RECT work;
  ::SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
  return std::abs(centre.x - (work.left + work.right) / 2) <= 1 &&
         std::abs(centre.y - (work.top + work.bottom) / 2) <= 1;
}

RECT ClientRectOf(HWND dialog, HWND control) {
  RECT r;
  ::GetWindowRect(control, &r);
  ::MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&r), 2);
  return r;
}

std::vector<int> TabOrder(HWND dialog, const std::vector<int>& ids) {
  std::vector<int> order;
  for (HWND child = ::GetWindow(dialog, GW_CHILD); child; child = ::GetWindow(child, GW_HWNDNEXT)) {
    const int id = ::GetDlgCtrlID(child);
    if (std::find(ids.begin(), ids.end(), id) == ids.end()) continue;
    const LONG style = ::GetWindowLongW(child, GWL_STYLE);
    const bool option =
        ::_wcsicmp(WindowClass(child).c_str(), L"Button") == 0 && (style & BS_TYPEMASK) == BS_AUTORADIOBUTTON;
    if ((style & WS_TABSTOP) || option) order.push_back(id);
  }
  return order;
}

std::wstring ControlText(HWND control) {
  const LRESULT length = ::SendMessageW(control, WM_GETTEXTLENGTH, 0, 0);
  std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
  const LRESULT copied = ::SendMessageW(control, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()));
  text.resize(copied > 0 ? static_cast<std::size_t>(copied) : 0);
  return text;
}

std::vector<int> CheckedOptions(HWND dialog) {
  std::vector<int> ids;
  for (int id : {kIdOption1Index1, kIdOption1Index2, kIdOption2Index1, kIdOption2Index2})
    if (::SendMessageW(::GetDlgItem(dialog, id), BM_GETCHECK, 0, 0) == BST_CHECKED) ids.push_back(id);
  return ids;
}

std::vector<std::wstring> ListTexts(HWND listBox) {
  std::vector<std::wstring> texts;
  const LRESULT count = ::SendMessageW(listBox, LB_GETCOUNT, 0, 0);
  for (LRESULT i = 0; i < count; ++i) {
    std::wstring text(static_cast<std::size_t>(::SendMessageW(listBox, LB_GETTEXTLEN, i, 0)) + 1, L'\0');
    const LRESULT length = ::SendMessageW(listBox, LB_GETTEXT, i, reinterpret_cast<LPARAM>(text.data()));
    text.resize(length > 0 ? static_cast<std::size_t>(length) : 0);
    texts.push_back(text);
  }
  return texts;
}

std::wstring SelectedListText(HWND listBox) {
  const LRESULT selected = ::SendMessageW(listBox, LB_GETCURSEL, 0, 0);
  const auto texts = ListTexts(listBox);
  if (selected < 0 || static_cast<std::size_t>(selected) >= texts.size()) return {};
  return texts[static_cast<std::size_t>(selected)];
}

HWND FocusOf(HWND dialog) {
  GUITHREADINFO info{};
  info.cbSize = sizeof info;
  if (!::GetGUIThreadInfo(::GetWindowThreadProcessId(dialog, nullptr), &info)) return nullptr;
  return info.hwndFocus;
}

namespace {
// A click on a control that takes the focus is taken once the focus is on it (or the window has
// gone, or a modal box has disabled it); a following sent message cannot overtake it then.
void WaitForClickTaken(HWND control) {
  const std::wstring kind = WindowClass(control);
  if (::_wcsicmp(kind.c_str(), L"Static") == 0) return;  // takes no focus: nothing to wait on
  HWND root = ::GetAncestor(control, GA_ROOT);
  (void)WaitUntil(
      [&] {
        const HWND focus = FocusOf(root);
        return !::IsWindow(control) || focus == control || !::IsWindowEnabled(root) ||
               (focus && ::GetAncestor(focus, GA_ROOT) != root);  // another window of the thread took it
      },
      kLivenessMs);
}
}  // namespace

void ClickControl(HWND control) {
  const POINT centre = CentreOnScreen(control);
  ClickAt(centre.x, centre.y);
  WaitForClickTaken(control);
}

void ClickListRow(HWND listBox, int index) {
  const int height = static_cast<int>(::SendMessageW(listBox, LB_GETITEMHEIGHT, 0, 0));
  const int top = static_cast<int>(::SendMessageW(listBox, LB_GETTOPINDEX, 0, 0));
  RECT client;
  ::GetClientRect(listBox, &client);
  POINT point{client.right / 2, (index - top) * height + height / 2};
  ::ClientToScreen(listBox, &point);
  ClickAt(point.x, point.y);
  WaitForClickTaken(listBox);
}

void ExpectMessage(const RunningProgram& program, std::wstring_view title, std::wstring_view text) {
  HWND box = program.WaitForMessageBox();
  ASSERT_NE(box, nullptr) << "no message box";
  const auto content = ReadMessageBox(box);
  ASSERT_TRUE(content);
  EXPECT_EQ(content->title, title);
  EXPECT_EQ(content->text, text);
  EXPECT_FALSE(content->hasCancel);
  PressButton(box, IDOK);
  EXPECT_TRUE(WaitUntil([&] { return !::IsWindow(box); }, kLivenessMs));
}

bool NoMessageBoxWithin(DWORD processId, DWORD timeoutMs) { return WaitForMessageBox(processId, timeoutMs) == nullptr; }

std::vector<std::wstring> StoredSettings() {
  std::vector<std::wstring> texts;
  for (const wchar_t* key : {L"PhotoDisplayTime", L"PhotoSize", L"PhotoDirectory", L"PhotoOrder"})
    texts.push_back(ReadRegistryText(HKEY_CURRENT_USER, kSettingsKey, key).value_or(L"<missing>"));
  return texts;
}

DWORD StoredValueCount() {
  UniqueKey key;
  if (::RegOpenKeyExW(HKEY_CURRENT_USER, kSettingsKey, 0, KEY_READ, key.put()) != ERROR_SUCCESS) return 0;
  DWORD values = 0;
  ::RegQueryInfoKeyW(key.get(), nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, &values, nullptr, nullptr,
                     nullptr, nullptr);
  return values;
}

double BlackShare(const std::vector<std::uint32_t>& pixels) {
  if (pixels.empty()) return 0.0;
  return static_cast<double>(std::count_if(pixels.begin(), pixels.end(), IsBlack)) / static_cast<double>(pixels.size());
}

std::wstring ReadClipboardText() {
  std::wstring text;
  if (!WaitUntil([] { return ::OpenClipboard(nullptr) != FALSE; }, 3000)) return L"<clipboard busy>";
  if (HANDLE data = ::GetClipboardData(CF_UNICODETEXT)) {  // owned by the clipboard
    if (const auto* chars = static_cast<const wchar_t*>(::GlobalLock(data))) {
      text = chars;
      ::GlobalUnlock(data);
    }
  }
  ::CloseClipboard();
  return text;
}

void PutOnClipboard(std::wstring_view text) {
  if (!WaitUntil([] { return ::OpenClipboard(nullptr) != FALSE; }, 3000)) return;
  ::EmptyClipboard();
  const SIZE_T bytes = (text.size() + 1) * sizeof(wchar_t);
  if (HGLOBAL memory = ::GlobalAlloc(GMEM_MOVEABLE, bytes)) {
    auto* chars = static_cast<wchar_t*>(::GlobalLock(memory));
    std::copy(text.begin(), text.end(), chars);
    chars[text.size()] = L'\0';
    ::GlobalUnlock(memory);
    if (!::SetClipboardData(CF_UNICODETEXT, memory)) ::GlobalFree(memory);  // owned by the clipboard on success
  }
  ::CloseClipboard();
}

}  // namespace lumiroll::e2e
