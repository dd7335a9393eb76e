#pragma once

#include <QString>

#include <cstddef>
#include <cstdint>

// What every fuzz target needs around the code under test: one offscreen
// QGuiApplication for the whole run (the readers paint and lay out text) and
// a private temporary folder, since the readers take file paths.
class TFuzzEnvironment
{
public:
    // Call from LLVMFuzzerInitialize. Creates the application once and
    // silences Qt's warnings, which would flood the fuzzer's output.
    static void Initialize(int *argc, char ***argv);

    // Writes the bytes to <temporary folder>/<name> and returns its path; the
    // same name is overwritten by the next input.
    static QString WriteFile(const QString &name, const uint8_t *data, size_t size);
};
