#pragma once
// The fonts the program draws with, whatever else the machine has installed.

namespace vantrel::platform {

// Maps every family the windows, drawings and report name ("Tahoma", "Arial", "MS Sans Serif", the
// default "Sans Serif", ...) to the Liberation face of the same kind that the program installs
// (Sans, Serif or Mono). Call once at start, after the application is created.
void MapFontFamilies();

} // namespace vantrel::platform
