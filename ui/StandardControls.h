#pragma once

class TClassRegistry;

// Adds the standard controls form definitions may name: TLabel, TImage, TShape, TGroupBox,
// TScrollBox, TImageList, TEdit and TSpeedButton.
void RegisterStandardControls(TClassRegistry& classes);
