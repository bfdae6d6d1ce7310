#include "saver/config/about_box_layout.h"

#include "saver/resource_ids.h"

namespace lumiroll {
namespace {

using enum LayoutKind;

// Every label is right-aligned and ends at x = 316, left of the logo.
// clang-format off
constexpr ControlLayout kLayout[] = {
    // name       kind           caption                           parent left top width height tab  id
    {L"Label1",   RightLabel,    L"Lumiroll Screen Saver",         L"",   91,  14, 225, 29, false, kIdLabel1, 13.5f},
    {L"Label3",   RightLabel,    L"Version 2.0 released 01/01/98", L"",  161,  49, 155, 15, false, kIdLabel3About},
    {L"Label5",   RightLabel,    L"Email:",                        L"",  182,  77,  29, 15, false, kIdLabel5},
    {L"Label22",  LinkLabel,     kMakerEmail,                      L"",  217,  77,  99, 15, false, kIdLabel22},
    {L"Label10",  RightLabel,    L"Web:",                          L"",  119,  91,  36, 22, false, kIdLabel10},
    {L"Label23",  LinkLabel,     kMakerWebPage,                    L"",  154,  91, 162, 22, false, kIdLabel23},
    {L"Command3", DefaultButton, L"OK",                            L"",  154, 168,  78, 22, true,  kIdCommand3},
    {L"Image1",   Picture,       L"",                              L"",  329,  13, 140, 178, false, kIdImage1, kDialogPoints, false, IDB_LOGO},
};
// clang-format on

}  // namespace

std::span<const ControlLayout> AboutBoxLayout() { return kLayout; }

}  // namespace lumiroll
