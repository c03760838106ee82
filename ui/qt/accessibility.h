#pragma once
// What a screen reader finds in the window, where Qt's own accessible
// interfaces would say something else:
// - an editable combo box keeps its accessible name whatever text it holds
//   (Qt names it by its text on Linux) and reports the text as its value;
// - the window is a frame (Qt exposes a plain top-level widget as a filler);
// - the message box of a failed press is a modal alert;
// - a TableGrid is a table read row by row, its first row the column
//   headings;
// - an Announcer is a notification, which screen readers speak as it
//   appears, wherever the focus is.

namespace tavrelo::ui {

// Installs the interfaces' factory. Call once, after the QApplication exists
// and before the window is built.
void InstallAccessibleInterfaces();

}  // namespace tavrelo::ui
