#pragma once

// Reading small form definitions with the standard controls onto the fixture's form.

#include "FormTestSupport.h"

#include "classes/ClassRegistry.h"
#include "classes/FormReader.h"
#include "ui/FrameworkClasses.h"
#include "ui/StandardControls.h"

#include <string>

inline void ReadStandardForm(TForm& form, const std::string& text) {
    TClassRegistry classes;
    RegisterFrameworkClasses(classes);
    RegisterStandardControls(classes);
    TFormReader(classes, "test").Read(form, text);
}

// Counts the pixels of a colour inside a rectangle of the fixture's window.
inline int CountPixels(TFormFixture& f, const TRect& r, std::uint32_t color) {
    int n = 0;
    for (int y = r.Top; y < r.Bottom; ++y)
        for (int x = r.Left; x < r.Right; ++x)
            if (f.Pixel(x, y) == color) ++n;
    return n;
}
