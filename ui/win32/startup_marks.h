#pragma once
// Where a start's time goes, for the start-up benchmark under Wine
// (bench/startup_memory.sh -W). Mark() notes the moment a step of the start
// ended: the system clock read into a table of fixed size, well under a
// microsecond, nothing sent anywhere. The first mark, "dlls-loaded", is made
// with the static objects, before main: the imported DLLs are loaded and
// started by then. WriteMarks(), as the program ends, writes the table to
// the file that TAVRELO_STARTUP_MARKS names, one line "STEP MICROSECONDS" a
// mark (microseconds since 1970, the clock Wine reads to 0.1 µs; Windows
// itself only to its timer tick), after a line "launched MICROSECONDS" when
// the benchmark's launcher said when it started the program
// (TAVRELO_LAUNCHED_AT); it does nothing when TAVRELO_STARTUP_MARKS is unset.

namespace tavrelo::ui::win32 {

// `step` is a string literal; marks beyond the table's 32 are dropped.
void Mark(const char* step) noexcept;
void WriteMarks() noexcept;

}  // namespace tavrelo::ui::win32
