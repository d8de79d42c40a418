#pragma once

// Whether the user's locale reads right to left. Controls mirror their
// layout only when this holds and their own BiDiMode asks for it. The
// program sets no such locale, so it is false unless a test sets it.

namespace pellamo {

bool LocaleReadsRightToLeft();
void SetLocaleReadsRightToLeft(bool on);

}
