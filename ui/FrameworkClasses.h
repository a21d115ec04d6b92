#pragma once

class TClassRegistry;

// Adds the framework's own classes that form definitions may name (TForm, TTimer) to classes.
void RegisterFrameworkClasses(TClassRegistry& classes);
