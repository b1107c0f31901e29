// Facts about the program that several layers quote: the version shown in the about box,
// written into saved games and sent with the update check, and the product web site.
#pragma once

// The version is the project's (project() in the top CMakeLists.txt), handed to every target
// that links the engine.
#ifndef VEXIL_PROGRAM_VERSION
#error "VEXIL_PROGRAM_VERSION is set by the engine's CMakeLists.txt"
#endif

namespace vexil {

constexpr double ProgramVersion = VEXIL_PROGRAM_VERSION;
constexpr const char* kProgramTitle = "Vexil Cube 3D";
// Host of the product site; a reserved example domain until the game has a site of its own.
constexpr const char* kProductSite = "http://vexilcube.example.com";
// The name the desktop knows the game by (menu entry, icons, metadata, window grouping): the
// product site's host reversed. desktop/CMakeLists.txt reads it from here; it must never change
// once released, or desktops lose the player's associations and pinned launchers.
constexpr const char* kDesktopAppId = "com.example.vexilcube";

} // namespace vexil
