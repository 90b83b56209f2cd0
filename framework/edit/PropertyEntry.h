// One entry of the property table handed to the host's InsertProperties; a
// table ends with an entry of 24 zero bytes.
#pragma once

#include "engineer/Boundary.h"

struct PropertyEntry {
    uint32_t identifier;
    const char* title;
    const char* description;
    int32_t hostValue12;  // the host's; its meaning is the host's own
    int32_t hostValue16;
    int32_t hostValue20;
};

static_assert(sizeof(PropertyEntry) == 24, "PropertyEntry size");
static_assert(offsetof(PropertyEntry, title) == 4, "title");
static_assert(offsetof(PropertyEntry, description) == 8, "description");
static_assert(offsetof(PropertyEntry, hostValue12) == 12, "host value");
static_assert(offsetof(PropertyEntry, hostValue16) == 16, "host value");
static_assert(offsetof(PropertyEntry, hostValue20) == 20, "host value");
