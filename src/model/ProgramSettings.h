// Program-wide values created at start and shared by the main window and its dialogs.
#pragma once

#include <array>
#include <string>

#include "model/ColourRamp.h"
#include "model/NumberOrText.h"

namespace brimvale {

struct PrintOptions {
    float dotSize = 6.0f;
    float frameThickness = 3.0f;
    float zoom = 1.0f;
    float fontSize = 10.0f;
    std::string title;
};

struct ProgramSettings {
    ColourRamp colourRamp;
    std::array<float, 3> colourComponents{}; // scratch result of the colour lookup
    bool greyScale = false;
    bool colourSettingsChanged = false;
    float whiteThreshold = 0.0f;
    float zEnhancement = 1.0f; // multiplies every probability before the colour lookup
    PrintOptions printOptions;
    NumberOrText confidenceCoefficient1; // percent, a number (older matrices) or a text (newer)
    NumberOrText confidenceCoefficient2;
    bool probabilityMode = false; // the figures show probabilities
    bool confidenceMode = false;  // the figures show confidence classes
    bool legacyMatrix = false;    // the matrix holds one kind only; the view cannot switch
};

} // namespace brimvale
