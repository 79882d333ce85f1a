#include "symbols.h"

namespace vorn::rc {

Symbols::Symbols()
    : m_values{
          {"IDOK", 1},
          {"IDCANCEL", 2},
          {"IDC_STATIC", -1},
          {"WS_POPUP", 0x80000000L},
          {"WS_CHILD", 0x40000000L},
          {"WS_VISIBLE", 0x10000000L},
          {"WS_DISABLED", 0x08000000L},
          {"WS_CAPTION", 0x00C00000L},
          {"WS_BORDER", 0x00800000L},
          {"WS_VSCROLL", 0x00200000L},
          {"WS_HSCROLL", 0x00100000L},
          {"WS_SYSMENU", 0x00080000L},
          {"WS_GROUP", 0x00020000L},
          {"WS_TABSTOP", 0x00010000L},
          {"WS_EX_DLGMODALFRAME", 0x1},
          {"WS_EX_TOPMOST", 0x8},
          {"WS_EX_CLIENTEDGE", 0x200},
          {"WS_EX_CONTEXTHELP", 0x400},
          {"DS_SYSMODAL", 0x2},
          {"DS_3DLOOK", 0x4},
          {"DS_SETFONT", 0x40},
          {"DS_MODALFRAME", 0x80},
          {"DS_CONTEXTHELP", 0x2000},
          {"ES_LEFT", 0x0},
          {"ES_PASSWORD", 0x20},
          {"ES_AUTOHSCROLL", 0x80},
          {"ES_READONLY", 0x800},
          {"BS_PUSHBUTTON", 0x0},
          {"BS_DEFPUSHBUTTON", 0x1},
          {"SS_LEFT", 0x0},
          {"CBS_SIMPLE", 0x1},
          {"CBS_DROPDOWN", 0x2},
          {"CBS_DROPDOWNLIST", 0x3},
          {"CBS_SORT", 0x100},
          {"LVS_REPORT", 0x1},
          {"LVS_SINGLESEL", 0x4},
          {"LVS_NOSORTHEADER", 0x8000},
          {"LANG_ENGLISH", 0x09},
          {"SUBLANG_ENGLISH_US", 0x01},
          {"LANG_NEUTRAL", 0x00},
          {"SUBLANG_NEUTRAL", 0x00},
      } {}

std::optional<long> Symbols::find(const std::string& name) const {
    auto found = m_values.find(name);
    if (found == m_values.end()) {
        return std::nullopt;
    }
    return found->second;
}

} // namespace vorn::rc
