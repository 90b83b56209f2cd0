// The extension-list text: extensions each introduced by a dot and separated
// by blanks, as ".it .xm .mod .s3m". Extensions are handed on without the dot.
#pragma once

#include <cstring>
#include <string>

#include "engineer/Boundary.h"

class AudioCore;
struct EngineerRecord;

namespace vek {

// Calls visit(const char* extension) for each extension of text, in order, and
// answers how many there were. A text without a dot yields none; a dot with
// nothing after it ends the list; within one extension everything from the
// first blank to the next dot is skipped. The visited text lives only during
// the call.
template <typename Visit>
int ForEachExtension(const char* text, Visit&& visit) {
    if (text == nullptr) return 0;
    std::string copy(text);
    int count = 0;
    size_t at = 0;
    for (;;) {
        const size_t dot = copy.find('.', at);
        if (dot == std::string::npos || dot + 1 >= copy.size()) break;
        const size_t start = dot + 1;
        const size_t nextDot = copy.find('.', start);
        size_t end = nextDot == std::string::npos ? copy.size() : nextDot;
        const size_t blank = copy.find(' ', start);
        if (blank != std::string::npos && blank < end) end = blank;
        const std::string extension = copy.substr(start, end - start);
        visit(extension.c_str());
        ++count;
        if (nextDot == std::string::npos) break;
        at = nextDot;
    }
    return count;
}

// Hands each extension of text to core->AddEngineerExtension(engineer, ...).
int HandExtensionsToCore(const char* text, AudioCore* core, EngineerRecord* engineer);

// Copies text into a 13-byte extension slot: at most 12 characters, the rest NUL.
void CopyExtensionSlot(char* slot, const char* text);

}  // namespace vek
