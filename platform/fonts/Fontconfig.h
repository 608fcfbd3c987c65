#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

struct _FcConfig;

namespace veltrane::fontconfig {

// What fontconfig itself says of the installed fonts; no Qt.

struct ReleaseConfiguration {
    void operator()(_FcConfig* configuration) const noexcept;
};
// A fontconfig configuration with its fonts: the one owner of a reference to it.
using Configuration = std::unique_ptr<_FcConfig, ReleaseConfiguration>;

// What a scan of the installed fonts found.
struct Scan {
    Configuration configuration;
    // Every path whose change may change what the scan read, existing or not.
    std::vector<std::string> watched;
    // Its scalable families, each once, by first family name, sorted by byte.
    std::vector<std::string> scalable;
    // The bytes of one of its fonts, at most a few megabytes, with which Qt's
    // font database is refilled; empty without fonts, or for the start's scan.
    std::string someFont;
    // The family the application's default family is drawn in with these
    // fonts; empty where none was asked for, or without fonts.
    std::string defaultDrawnIn;
    // Its fonts and configuration files as readFonts sums them up: scans of
    // equal digests show the same window.
    std::uint64_t digest = 0;
};

// Reads fontconfig's configuration as it is now and scans its font folders,
// opening every font file in them, but for any file that would never answer
// (a pipe, a socket, a device), which is left out. Slow, and waits as long as
// the folders' file systems make it wait: never on the user-interface thread.
// The start's scan, which Qt reads before it has read any, reads no font's bytes.
// `defaultFamily`, where not empty, is resolved as drawnIn resolves it.
Scan scan(bool forRefill, const std::string& defaultFamily);
// The paths to watch before any scan: the configuration's files and folders,
// its font folders, and the user's own configuration and font folders,
// existing or not (subfolders come with a scan). Reads the configuration's files.
std::vector<std::string> configurationPaths();

// A configuration without fonts, rules or folders.
Configuration noFonts();
// Makes `configuration` the one that every question to fontconfig is answered
// from, on any thread, and keeps fontconfig from rescanning on its own (which
// it would do on whichever thread asked). Gives it back: while the caller
// keeps it, the next one made current does not free it there, which at tens
// of thousands of fonts takes a while.
Configuration makeCurrent(Configuration configuration);

// What one pass over a configuration's fonts reads.
struct FontsRead {
    // Its scalable families, each once, by first family name, sorted by byte.
    std::vector<std::string> scalable;
    // Every font as fontconfig describes it, in whichever set and order, and
    // the configuration's files by name and identity (inode, size, mtime).
    std::uint64_t digest = 0;
};
FontsRead readFonts(_FcConfig* configuration);

// The families fontconfig would draw an upright font named `family` in, best first.
std::vector<std::string> fallbacks(const std::string& family);
// The first of them, among the fonts of `configuration` or the current one;
// empty without fonts.
std::string drawnIn(const std::string& family, _FcConfig* configuration = nullptr);

}  // namespace veltrane::fontconfig
