// The version of Korvane, written only here: the resource script's version information and
// scripts/package (the release's file name) read it.
#ifndef KORVANE_VERSION_H
#define KORVANE_VERSION_H

#define KORVANE_VERSION_MAJOR 1
#define KORVANE_VERSION_MINOR 0
#define KORVANE_VERSION_PATCH 0

#define KORVANE_STRINGIFY_(x) #x
#define KORVANE_STRINGIFY(x) KORVANE_STRINGIFY_(x)
// "1.0.0" for the product, "1.0.0.0" for the file (no spaces: they would enter the texts).
// clang-format off
#define KORVANE_VERSION_TEXT \
    KORVANE_STRINGIFY(KORVANE_VERSION_MAJOR.KORVANE_VERSION_MINOR.KORVANE_VERSION_PATCH)
#define KORVANE_FILE_VERSION_TEXT \
    KORVANE_STRINGIFY(KORVANE_VERSION_MAJOR.KORVANE_VERSION_MINOR.KORVANE_VERSION_PATCH.0)
// clang-format on

#endif
