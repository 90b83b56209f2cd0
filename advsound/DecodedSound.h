// A sound held in memory as PCM: what the sound cache stores under an ID and
// what a caching file stream plays. Decoded here through libsndfile into
// interleaved signed 16-bit samples; captured sounds carry whatever format
// their source stream delivered.
#pragma once

#include <cstddef>

#include "engineer/Boundary.h"

namespace vek {

struct DecodedSound {
    char fileName[kTextFieldSize] = {};  // filled for cache entries only
    char soundId[kTextFieldSize] = {};   // the cache's key
    uint32_t dataSize = 0;               // bytes of PCM in data
    uint8_t* data = nullptr;             // owned
    int32_t sampleRate = 0;
    int32_t channels = 0;
    int32_t bitsPerSample = 0;
    int32_t bytesPerSecond = 0;
    bool loaded = false;                 // complete and usable
    int32_t lastDeck = -1;               // the deck that last played it; -1 when none

    // Fills the sound from a file libsndfile can read; `loaded` tells whether
    // it worked. A file that delivers less than it announced leaves a silent
    // tail. A refused file leaves nothing allocated.
    void Decode(const char* path);
    // Frees the PCM only; the object belongs to its owner.
    void Release();
};

// Sounds are made and destroyed only through these, so that their number can
// be watched (each owner must destroy what it made).
DecodedSound* NewDecodedSound();
void DestroyDecodedSound(DecodedSound* sound);
size_t LiveDecodedSounds();

// Copies text into a fixed field when it fits with its terminator; false,
// and the field untouched, when it does not.
bool CopyIntoTextField(char (&field)[kTextFieldSize], const char* text);

}  // namespace vek
