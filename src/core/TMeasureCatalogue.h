#pragma once

// The eleven measurements of a face, numbered 1 to 11: 1 to 5 are horizontal
// distances, 6 to 11 vertical ones.
constexpr int MeasureCount = 11;

// True for the vertical measurements 6 to 11.
bool IsVerticalFaceValue(int n);
