// vekhost: a stand-in host and a real mixing audio core for the Vek engineers.
//   vekhost [info] [--extensions DIR]        list every Vek*.mfx plug-in with what it reports
//   vekhost render SCENE -o OUT.wav [...]    run a scene of the game's actions into a wave file
//   vekhost check FILE...                    which engineer plays each file, and what it delivers
#include <cstdio>
#include <string>
#include <vector>

#include "tools/vekhost/Cli.h"

int main(int argc, char** argv) {
    const std::vector<std::string> args(argv + 1, argv + argc);
    return vekhost::RunVekhost(args, stdout, stderr);
}
