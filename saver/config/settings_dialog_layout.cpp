#include "saver/config/settings_dialog_layout.h"

#include "saver/resource_ids.h"

namespace lumiroll {
namespace {

using enum LayoutKind;

// In tab order; frames come before what they hold. Picture2, the hidden holder, has no window.
// clang-format off
constexpr ControlLayout kLayout[] = {
    // name            kind          caption            parent    left top  width height tab   id
    {L"Frame3",        Frame,        L"Photo Directory", L"",       12,   6, 340, 217, false, kIdFrame3},
    {L"Dir1",          FolderList,   L"",                L"Frame3", 12,  18, 154, 156, true,  kIdDir1},
    {L"Drive1",        DriveList,    L"",                L"Frame3", 12, 183, 154,  21, true,  kIdDrive1},
    {L"File1",         FileList,     L"",                L"Frame3", 174, 17, 154, 188, true,  kIdFile1},
    {L"Frame1",        Frame,        L"Photo Size",      L"",       12, 237, 106,  64, false, kIdFrame1},
    {L"Option1(1)",    OptionButton, L"Fit Screen",      L"Frame1",  9,  18,  70,  19, true,  kIdOption1Index1},
    {L"Option1(2)",    OptionButton, L"Actual Size",     L"Frame1",  9,  39,  73,  19, true,  kIdOption1Index2},
    {L"Frame2",        Frame,        L"Photo Order",     L"",      129, 237, 106,  64, false, kIdFrame2},
    {L"Option2(1)",    OptionButton, L"Alphabetic",      L"Frame2",  9,  18,  70,  19, true,  kIdOption2Index1},
    {L"Option2(2)",    OptionButton, L"Random",          L"Frame2",  9,  39,  61,  19, true,  kIdOption2Index2},
    {L"Frame4",        Frame,        L"Photo Delay",     L"",      246, 237, 106,  49, false, kIdFrame4},
    {L"Label3",        Label,        L"Seconds:",        L"Frame4",  9,  21,  46,  19, false, kIdLabel3},
    {L"Text1",         TextBox,      L"",                L"Frame4", 60,  18,  34,  19, true,  kIdText1},
    {L"CommandOK",     DefaultButton, L"OK",             L"",      472, 223,  78,  22, true,  kIdCommandOK},
    {L"CommandCancel", Button,       L"Cancel",          L"",      472, 251,  78,  22, true,  kIdCommandCancel},
    {L"CommandAbout",  Button,       L"About",           L"",      472, 279,  78,  22, true,  kIdCommandAbout},
    {L"Picture0",      Picture,      L"",                L"",      366,  12, 184, 169, false, kIdPicture0, kDialogPoints, false, IDB_MONITOR},
    {L"Picture1",      Preview,      L"",                L"",      381,  27, 154, 115, false, kIdPicture1},
};
// clang-format on

}  // namespace

std::span<const ControlLayout> SettingsDialogLayout() { return kLayout; }

}  // namespace lumiroll
