// The mapping between game paths (Shift-JIS, '\', no regard to case) and host paths (UTF-8 or raw
// bytes, '/'), behind HostPath and GamePath of Files.h. Used only inside the stand-in.
#pragma once

#include <string>
#include <string_view>

// The drive letter of absolute game paths: "Z:\home\me" is the host path "/home/me".
constexpr char kHostDrive = 'Z';

// The game's name for one host file name: its Shift-JIS form when it is UTF-8 that Shift-JIS can
// express; the bytes as they are when they already are Shift-JIS (files unpacked from Windows
// archives keep such names). Returns false, with '?' in the name, when neither holds: the game
// could not reach that file by name.
bool GameNameOfHostName(std::string_view hostName, std::string& gameName);

// An absolute host path with "." and ".." folded textually (relative paths are taken from the
// current folder); "" when the current folder cannot be read.
std::string AbsoluteHostPath(const std::string& hostPath);
