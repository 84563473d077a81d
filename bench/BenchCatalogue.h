#pragma once

#include <filesystem>
#include <string>

// A catalogue in the program's layout filling the whole store: M 1 to 110,
// N 1 to 9999, then I 1 upwards, and the end marker as the last line. Every
// object has coordinates of its own, so each lookup changes the boxes.
std::string GeneratedCatalogue(int lineCount);

// The last object line of a full generated catalogue, as the user picks it,
// and a number that catalogue does not hold.
inline constexpr const char* LastObjectChoice = "IC";
inline constexpr const char* LastObjectNumber = "9890";
inline constexpr const char* MissingNumber = "9999";

// A full generated catalogue, written once for the whole run into a scratch
// folder that is the current working directory until the run ends.
const std::filesystem::path& GeneratedCatalogueFile();
