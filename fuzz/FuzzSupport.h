#pragma once

#include <QString>

#include <cstddef>
#include <cstdint>

// What every harness needs before its first input: an offscreen GUI application (fonts
// and painting), the build's DATA folder, the control classes, and a user interface that
// answers nothing and shows nothing. Safe to call on every input.
void FuzzInit();

// A folder of this process, emptied by the harness between inputs.
QString FuzzScratchFolder();

// The entry point every harness defines (libFuzzer's name, also called by the replay).
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size);
