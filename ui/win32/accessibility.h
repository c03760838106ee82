#pragma once
// What a screen reader (Narrator, NVDA) is told of the Windows window beyond
// what the controls tell it themselves: the names and descriptions of the
// inventory, set through the accessibility layer's annotation service, and
// the result box as a polite live region whose new sentence is read out
// wherever the focus is. Where Windows lacks a part of this (live regions
// came with Windows 8), the call does nothing and nothing fails.

#include <windows.h>

#include <string>

#include "ui/control_inventory.h"

namespace tavrelo::ui::win32 {

// Gives `window` the row's accessible name and description, where the row
// has them.
void Describe(HWND window, const ControlSpec& row);

// A picture: a screen reader's graphic, described by `description` (which
// changes with what it shows).
void MakeGraphic(HWND window);
void SetDescription(HWND window, const std::string& description);

// Makes `window` a polite live region: its new text is read out when
// AnnounceChange says it changed.
void MakeLiveRegion(HWND window);
void AnnounceChange(HWND window);

}  // namespace tavrelo::ui::win32
