// The shared single-instance byte (section SHARESEC: shared, readable, writable).
#include "state/SingleInstance.h"

namespace {
// Initialised data, so that the section is created with its contents.
volatile char g_instanceRunning __attribute__((section("SHARESEC"), shared)) = 0;
}  // namespace

bool ClaimSingleInstance() {
    if (g_instanceRunning == 1) return false;
    g_instanceRunning = 1;
    return true;
}

void ReleaseSingleInstance() { g_instanceRunning = 0; }
