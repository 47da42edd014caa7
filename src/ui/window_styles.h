// Window, dialog and control style bits, with the values Windows gives them.
// Dialog templates are data in the portable core, so the numbers are spelt out
// here rather than taken from the platform's headers.
#pragma once

#include <cstdint>

namespace korvel::style {

inline constexpr std::uint32_t ws_popup = 0x80000000u;
inline constexpr std::uint32_t ws_visible = 0x10000000u;
inline constexpr std::uint32_t ws_disabled = 0x08000000u;
inline constexpr std::uint32_t ws_caption = 0x00C00000u;
inline constexpr std::uint32_t ws_border = 0x00800000u;
inline constexpr std::uint32_t ws_vscroll = 0x00200000u;
inline constexpr std::uint32_t ws_sysmenu = 0x00080000u;
inline constexpr std::uint32_t ws_group = 0x00020000u;
inline constexpr std::uint32_t ws_tabstop = 0x00010000u;
inline constexpr std::uint32_t ws_minimizebox = 0x00020000u;

inline constexpr std::uint32_t ws_ex_staticedge = 0x00020000u;

inline constexpr std::uint32_t ds_setfont = 0x40u;
inline constexpr std::uint32_t ds_modalframe = 0x80u;
inline constexpr std::uint32_t ds_center = 0x0800u;

inline constexpr std::uint32_t bs_pushbutton = 0x0u;
inline constexpr std::uint32_t bs_defpushbutton = 0x1u;
inline constexpr std::uint32_t bs_autocheckbox = 0x3u;
inline constexpr std::uint32_t bs_groupbox = 0x7u;
inline constexpr std::uint32_t bs_type_mask = 0xFu;
inline constexpr std::uint32_t bs_icon = 0x40u;
inline constexpr std::uint32_t bs_center = 0x300u;
inline constexpr std::uint32_t bs_multiline = 0x2000u;
inline constexpr std::uint32_t bs_flat = 0x8000u;

inline constexpr std::uint32_t es_left = 0x0u;
inline constexpr std::uint32_t es_multiline = 0x4u;

inline constexpr std::uint32_t ss_left = 0x0u;
inline constexpr std::uint32_t ss_icon = 0x3u;
inline constexpr std::uint32_t ss_centerimage = 0x200u;

inline constexpr std::uint32_t lbs_notify = 0x1u;
inline constexpr std::uint32_t lbs_ownerdrawfixed = 0x10u;
inline constexpr std::uint32_t lbs_ownerdrawvariable = 0x20u;
inline constexpr std::uint32_t lbs_multiplesel = 0x8u;
inline constexpr std::uint32_t lbs_extendedsel = 0x800u;
inline constexpr std::uint32_t lbs_nointegralheight = 0x100u;

inline constexpr std::uint32_t cbs_dropdownlist = 0x3u;
inline constexpr std::uint32_t cbs_type_mask = 0x3u;

}  // namespace korvel::style
