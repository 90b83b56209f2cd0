// vekhost's commands, callable in-process:
//   vekhost [info] [--extensions DIR]
//   vekhost render SCENE -o OUT.wav [--png OUT.png] [--extensions DIR] [--decks N]
//   vekhost check FILE... [--extensions DIR]
#pragma once

#include <cstdio>
#include <string>
#include <vector>

namespace vekhost {

constexpr int kExitOk = 0;
constexpr int kExitFailure = 1;  // bad input, or (check) a file that no engineer plays
constexpr int kExitUsage = 2;

// Runs one command; `args` excludes the program name.
int RunVekhost(const std::vector<std::string>& args, std::FILE* out, std::FILE* err);

}  // namespace vekhost
