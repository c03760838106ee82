#pragma once
// Windows' clipboard flavour "HTML Format" (CF_HTML): an HTML fragment in a
// page, after a header that says where the page and the fragment begin and
// end, as byte offsets into the whole UTF-8 text (here for a fragment of
// 136 bytes):
//
//   Version:0.9
//   StartHTML:0000000105      offset of "<html>"
//   EndHTML:0000000305        the size of the whole text
//   StartFragment:0000000137  just after "<!--StartFragment-->"
//   EndFragment:0000000273    offset of "<!--EndFragment-->"
//   <html><body><!--StartFragment-->…<!--EndFragment--></body></html>
//
// The header's lines end with CR LF and its numbers have ten digits, so the
// header's length does not depend on them. Toolkit-free, so that the
// Windows binding and the tests use the same bytes.

#include <string>
#include <string_view>

namespace tavrelo::ui {

// The CF_HTML bytes of `fragment` (UTF-8, as core/report.h writes it).
[[nodiscard]] std::string ToCfHtml(std::string_view fragment);

}  // namespace tavrelo::ui
